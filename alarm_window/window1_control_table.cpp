#include "alarm_window/window1_control_table.h"

#include "alarm_window/window1.h"
#include "shell/framework/core/exceptions.h"

#include <climits>
#include <functional>
#include <initializer_list>

using namespace std::string_literals;

namespace {
template <class T> std::shared_ptr<Control> Make(Window& window) {
    return window.New<T>();
}

// A delegate on the control's event that calls the handler on this window, reached
// through a weak reference so that a control never keeps its window alive.
template <class T, std::function<void(T&)> T::*Event, void (Window1::*Handler)(T&)>
void Bind(class Window1& window, const std::string& name) {
    auto& control = NotNil(RuntimeCheckCast<T>(window.ControlByName(name)));
    std::weak_ptr<Object> target = window.weak_from_this();
    control.*Event = [target](T& sender) {
        (NotNil(RuntimeCheckCast<class Window1>(target.lock())).*Handler)(sender);
    };
}

PropertyList Join(std::initializer_list<PropertyList> parts) {
    PropertyList joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

// No control carries an index: each is found by its name alone.
constexpr int32_t kNoIndex = INT32_MIN;

struct Box {
    int32_t left, top, width, height, tab_index;
};

// What every visual control sets; `locked` gives it the top and left edge locks.
PropertyList Visual(const std::string& name, Box box, bool locked) {
    return {{"Name", name},
            {"Index", kNoIndex},
            {"Left", box.left},
            {"Top", box.top},
            {"Width", box.width},
            {"Height", box.height},
            {"TabIndex", box.tab_index},
            {"Visible", true},
            {"Enabled", true},
            {"TabStop", true},
            {"AutoDeactivate", true},
            {"HelpTag", ""s},
            {"TabPanelIndex", 0},
            {"InitialParent", ""s},
            {"LockTop", locked},
            {"LockLeft", locked},
            {"LockBottom", false},
            {"LockRight", false}};
}

PropertyList Font(const std::string& face, double size) {
    return {{"TextFont", face}, {"TextSize", size},   {"Bold", false},
            {"Italic", false},  {"Underline", false}, {"TextUnit", 0}};
}

PropertyList TimerProperties(const std::string& name, int32_t period_ms) {
    return {{"Name", name}, {"Index", kNoIndex}, {"Period", period_ms}, {"Mode", 0}};
}

const PropertyList kPushButton = {
    {"ButtonStyle", 0}, {"Default", false}, {"Cancel", false}, {"Transparent", true}};
const PropertyList kLabel = Join({Font("Osaka", 12.0),
                                  {{"TextColor", Color{0x000000}},
                                   {"TextAlign", 0},
                                   {"Selectable", false},
                                   {"Multiline", false},
                                   {"Transparent", false},
                                   {"DataField", ""s},
                                   {"DataSource", ""s}}});
const PropertyList kTextField = {{"Text", ""s},         {"Password", false},
                                 {"LimitText", 0},      {"Mask", ""s},
                                 {"CueText", ""s},      {"Format", ""s},
                                 {"AcceptTabs", false}, {"AutomaticallyCheckSpelling", false},
                                 {"DataField", ""s},    {"DataSource", ""s},
                                 {"Transparent", true}};
// The four time fields; their colours are their rows'.
const PropertyList kTimeField =
    Join({kTextField,
          Font("System", 0.0),
          {{"ReadOnly", false}, {"Alignment", 0}, {"Border", true}, {"UseFocusRing", true}}});
const PropertyList kAlarmColors = {{"BackColor", Color{0xFFFFFF}}, {"TextColor", Color{0x000000}}};
const PropertyList kDurationColors = {{"BackColor", Color{0x8000FE}},
                                      {"TextColor", Color{0xFC6FCE}}};
const PropertyList kUpDownArrows = {{"AcceptFocus", false}, {"Transparent", true}};
const PropertyList kBevelButton = Join({Font("Osaka", 12.0),
                                        {{"HasMenu", 1},
                                         {"MenuValue", 0},
                                         {"Value", false},
                                         {"Caption", ""s},
                                         {"CaptionAlign", 3},
                                         {"CaptionPlacement", 1},
                                         {"CaptionDelta", 0},
                                         {"Bevel", 0},
                                         {"ButtonType", 0},
                                         {"IconAlign", 0},
                                         {"IconDX", 0},
                                         {"IconDY", 0},
                                         {"TextColor", Color{0x000000}},
                                         {"HasBackColor", false},
                                         {"BackColor", Color{0x000000}},
                                         {"AcceptFocus", false},
                                         {"Transparent", true}}});

PropertyList Button(const std::string& name, Box box, const std::string& caption) {
    return Join(
        {Visual(name, box, false), Font("Osaka", 12.0), kPushButton, {{"Caption", caption}}});
}

PropertyList Text(const std::string& name, Box box, const std::string& text) {
    return Join({Visual(name, box, false), kLabel, {{"Text", text}}});
}

PropertyList Field(const std::string& name, Box box, const PropertyList& colors) {
    return Join({Visual(name, box, true), kTimeField, colors});
}

PropertyList Arrows(const std::string& name, Box box) {
    return Join({Visual(name, box, true), kUpDownArrows});
}

using W = class Window1;
} // namespace

const std::vector<ControlRow>& Window1ControlTable() {
    static const std::vector<ControlRow> table = {
        {"GroupBox1",
         Make<GroupBox>,
         Join({Visual("GroupBox1", {54, 100, 221, 34, 24}, true),
               Font("System", 0.0),
               {{"Caption", ""s}, {"Transparent", false}}}),
         {}},
        {"PushButton1",
         Make<PushButton>,
         Button("PushButton1", {20, 5, 69, 33, 0}, "スタート"),
         {Bind<PushButton, &PushButton::on_action, &W::PushButton1_Action>}},
        {"Timer1",
         Make<Timer>,
         TimerProperties("Timer1", 5000),
         {Bind<Timer, &Timer::on_action, &W::Timer1_Action>}},
        {"StaticText1", Make<Label>, Text("StaticText1", {168, 59, 12, 26, 3}, ":"), {}},
        {"EditField3",
         Make<TextField>,
         Join({Visual("EditField3", {28, 141, 218, 27, 4}, false),
               kTextField,
               Font("Osaka", 12.0),
               {{"ReadOnly", true}, {"Alignment", 2}, {"Border", false}, {"UseFocusRing", false}},
               kAlarmColors}),
         {}},
        {"PushButton2",
         Make<PushButton>,
         Button("PushButton2", {159, 11, 30, 20, 5}, "音"),
         {Bind<PushButton, &PushButton::on_action, &W::PushButton2_Action>}},
        {"Timer2",
         Make<Timer>,
         TimerProperties("Timer2", 1000),
         {Bind<Timer, &Timer::on_action, &W::Timer2_Action>}},
        {"StaticText2", Make<Label>, Text("StaticText2", {47, 62, 76, 20, 6}, "アラーム時刻"), {}},
        {"StaticText3",
         Make<Label>,
         Join({Text("StaticText3", {28, 40, 99, 20, 7}, ""), {{"TextColor", Color{0x004080}}}}),
         {}},
        {"BevelButton1",
         Make<BevelButton>,
         Join({Visual("BevelButton1", {190, 10, 77, 21, 8}, false), kBevelButton}),
         {Bind<BevelButton, &BevelButton::on_open, &W::BevelButton1_Open>,
          Bind<BevelButton, &BevelButton::on_action, &W::BevelButton1_Action>}},
        {"Timer3",
         Make<Timer>,
         TimerProperties("Timer3", 300000),
         {Bind<Timer, &Timer::on_action, &W::Timer3_Action>}},
        {"StaticText_comment",
         Make<Label>,
         Join({Text("StaticText_comment", {2, 155, 277, 20, 11}, ""),
               {{"TextSize", 11.0}, {"TextColor", Color{0x2B4807}}}}),
         {}},
        {"EditField1",
         Make<TextField>,
         Field("EditField1", {118, 61, 38, 22, 12}, kAlarmColors),
         {Bind<TextField, &TextField::on_open, &W::EditField1_Open>}},
        {"UpDownArrows1",
         Make<UpDownArrows>,
         Arrows("UpDownArrows1", {155, 61, 13, 23, 13}),
         {Bind<UpDownArrows, &UpDownArrows::on_up, &W::UpDownArrows1_Up>,
          Bind<UpDownArrows, &UpDownArrows::on_down, &W::UpDownArrows1_Down>}},
        {"EditField2",
         Make<TextField>,
         Field("EditField2", {174, 61, 38, 22, 14}, kAlarmColors),
         {Bind<TextField, &TextField::on_open, &W::EditField2_Open>}},
        {"UpDownArrows2",
         Make<UpDownArrows>,
         Arrows("UpDownArrows2", {211, 61, 13, 23, 15}),
         {Bind<UpDownArrows, &UpDownArrows::on_down, &W::UpDownArrows2_Down>,
          Bind<UpDownArrows, &UpDownArrows::on_up, &W::UpDownArrows2_Up>}},
        {"ProgressWheel1",
         Make<ProgressWheel>,
         Join({Visual("ProgressWheel1", {6, 59, 16, 16, 16}, true),
               {{"Transparent", true}, {"Visible", false}}}),
         {}},
        {"Label1", Make<Label>, Text("Label1", {168, 103, 12, 26, 17}, ":"), {}},
        {"Label2",
         Make<Label>,
         Join({Text("Label2", {38, 106, 76, 20, 18}, "タイマ時間"),
               {{"TextColor", Color{0xFC6FCE}}, {"TextAlign", 2}}}),
         {}},
        {"TextField1",
         Make<TextField>,
         Field("TextField1", {118, 105, 38, 22, 19}, kDurationColors),
         {Bind<TextField, &TextField::on_open, &W::TextField1_Open>}},
        {"UpDownArrows3",
         Make<UpDownArrows>,
         Arrows("UpDownArrows3", {155, 105, 13, 23, 20}),
         {Bind<UpDownArrows, &UpDownArrows::on_up, &W::UpDownArrows3_Up>,
          Bind<UpDownArrows, &UpDownArrows::on_down, &W::UpDownArrows3_Down>}},
        {"TextField2",
         Make<TextField>,
         Field("TextField2", {174, 105, 38, 22, 21}, kDurationColors),
         {Bind<TextField, &TextField::on_open, &W::TextField2_Open>}},
        {"UpDownArrows4",
         Make<UpDownArrows>,
         Arrows("UpDownArrows4", {211, 105, 13, 23, 22}),
         {Bind<UpDownArrows, &UpDownArrows::on_down, &W::UpDownArrows4_Down>,
          Bind<UpDownArrows, &UpDownArrows::on_up, &W::UpDownArrows4_Up>}},
        {"PushButton3",
         Make<PushButton>,
         Join({Button("PushButton3", {224, 103, 51, 33, 23}, "set"), {{"Cancel", true}}}),
         {Bind<PushButton, &PushButton::on_action, &W::PushButton3_Action>}},
    };
    return table;
}
