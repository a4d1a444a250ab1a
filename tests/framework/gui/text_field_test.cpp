// A text field holds any text: no limit but the one its LimitText sets.
#include "shell/framework/core/text.h"
#include "shell/framework/gui/text_field.h"
#include "shell/framework/gui/window.h"
#include "tests/support/gui_test.h"

#include <QLineEdit>

namespace {
class TextFieldTest : public GuiTest {};

std::string Characters(int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i)
        text += i % 2 ? "x" : "時";
    return text;
}

struct LimitCase {
    int32_t limit_text;
    int32_t length, kept; // characters set, characters the field holds
    int32_t kept_after;   // of one character more, set by the program
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << "LimitText " << c.limit_text << ", " << c.length << " characters";
}

class TextFieldLimitTest : public TextFieldTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(TextFieldLimitTest, HoldsTheTextUpToItsLimitWhetherSetBeforeOrAfterItIsBuilt) {
    const auto [limit_text, length, kept, kept_after] = GetParam();
    auto window = std::make_shared<Window>();
    auto field = window->New<TextField>();
    field->SetName("EditField1");
    window->AddControl(field);
    field->SetProperties({{"LimitText", limit_text}, {"Text", Characters(length)}});
    window->Show();
    EXPECT_TRUE(field->Text() == Characters(kept)) << Len(field->Text()) << " from the list";
    EXPECT_EQ(static_cast<QLineEdit*>(field->NativeWidget())->text().size(), kept);

    field->SetText(Characters(length + 1));
    EXPECT_TRUE(field->Text() == Characters(kept_after)) << Len(field->Text()) << " set later";
}

INSTANTIATE_TEST_SUITE_P(Limits, TextFieldLimitTest,
                         testing::Values(LimitCase{0, 40000, 40000, 40001}, LimitCase{0, 3, 3, 4},
                                         LimitCase{5, 40000, 5, 5}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });
} // namespace
