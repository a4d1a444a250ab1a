#include "shell/appearance/bevel_button_widget.h"
#include "shell/appearance/members.h"

using namespace appearance;
using W = BevelButtonWidget;

namespace {
template <auto Method> void Call(void* widget) {
    (static_cast<W*>(widget)->*Method)();
}
template <auto Method> void CallWith(void* widget, int32_t value) {
    (static_cast<W*>(widget)->*Method)(value);
}
void AddRow(void* widget, const char* text) {
    static_cast<W*>(widget)->AddRow(QString::fromUtf8(text));
}
void InsertRow(void* widget, int32_t index, const char* text) {
    static_cast<W*>(widget)->InsertRow(index, QString::fromUtf8(text));
}
std::size_t List(void* widget, int32_t index, char* buffer, std::size_t capacity) {
    return CopyText(static_cast<W*>(widget)->List(index), buffer, capacity);
}
} // namespace

void AddBevelButtonMembers(Members& members) {
    members.push_back({"BevelButton.AddRow(text As String)", Entry(&AddRow)});
    members.push_back({"BevelButton.AddSeparator()", Entry(&Call<&W::AddSeparator>)});
    members.push_back({"BevelButton.ChooseRow(row As Integer)", Entry(&CallWith<&W::ChooseRow>)});
    members.push_back({"BevelButton.DeleteAllRows()", Entry(&Call<&W::DeleteAllRows>)});
    members.push_back(
        {"BevelButton.InsertRow(index As Integer, text As String)", Entry(&InsertRow)});
    members.push_back({"BevelButton.List(index As Integer) As String", Entry(&List)});
    members.push_back({"BevelButton.Push()", Entry(&Call<&W::Push>)});
    members.push_back({"BevelButton.RemoveRow(index As Integer)", Entry(&CallWith<&W::RemoveRow>)});
    members.push_back({"BevelButton.RowCount() As Integer", Entry(&Read<&W::RowCount>)});

    AddProperty<&W::HasMenu, &W::SetHasMenu>(members, "BevelButton.HasMenu");
    AddProperty<&W::MenuValue, &W::SetMenuValue>(members, "BevelButton.MenuValue");
    AddProperty<&W::Value, &W::SetValue>(members, "BevelButton.Value");
    AddProperty<&W::Caption, &W::SetCaption>(members, "BevelButton.Caption");
    AddProperty<&W::CaptionAlign, &W::SetCaptionAlign>(members, "BevelButton.CaptionAlign");
    AddProperty<&W::CaptionPlacement, &W::SetCaptionPlacement>(members,
                                                               "BevelButton.CaptionPlacement");
    AddProperty<&W::CaptionDelta, &W::SetCaptionDelta>(members, "BevelButton.CaptionDelta");
    AddProperty<&W::Bevel, &W::SetBevel>(members, "BevelButton.Bevel");
    AddProperty<&W::ButtonType, &W::SetButtonType>(members, "BevelButton.ButtonType");
    AddProperty<&W::Icon, &W::SetIcon>(members, "BevelButton.Icon");
    AddProperty<&W::IconAlign, &W::SetIconAlign>(members, "BevelButton.IconAlign");
    AddProperty<&W::IconDX, &W::SetIconDX>(members, "BevelButton.IconDX");
    AddProperty<&W::IconDY, &W::SetIconDY>(members, "BevelButton.IconDY");
    AddProperty<&W::TextColor, &W::SetTextColor>(members, "BevelButton.TextColor");
    AddProperty<&W::HasBackColor, &W::SetHasBackColor>(members, "BevelButton.HasBackColor");
    AddProperty<&W::BackColor, &W::SetBackColor>(members, "BevelButton.BackColor");
    AddProperty<&W::TextFont, &W::SetTextFont>(members, "BevelButton.TextFont");
    AddProperty<&W::TextSize, &W::SetTextSize>(members, "BevelButton.TextSize");
    AddProperty<&W::TextUnit, &W::SetTextUnit>(members, "BevelButton.TextUnit");
    AddProperty<&W::Bold, &W::SetBold>(members, "BevelButton.Bold");
    AddProperty<&W::Italic, &W::SetItalic>(members, "BevelButton.Italic");
    AddProperty<&W::Underline, &W::SetUnderline>(members, "BevelButton.Underline");
    AddProperty<&W::AcceptFocus, &W::SetAcceptFocus>(members, "BevelButton.AcceptFocus");
}
