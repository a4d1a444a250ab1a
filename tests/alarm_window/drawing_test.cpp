// What the window draws where its controls overlap: the hint line over the lower part of
// the clock line's box, both readable.
#include "tests/alarm_window/window_fixture.h"

#include <QImage>
#include <QRect>
#include <set>

namespace {
// The rows in `box` holding a pixel that `is_ink` accepts.
template <class Ink> std::set<int> InkRows(const QImage& image, const QRect& box, Ink is_ink) {
    std::set<int> rows;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (is_ink(image.pixelColor(x, y))) rows.insert(y);
    return rows;
}

// The clock line's black text, antialiased: dark and grey.
bool IsBlackInk(const QColor& c) {
    const int high = std::max({c.red(), c.green(), c.blue()});
    const int low = std::min({c.red(), c.green(), c.blue()});
    return high < 128 && high - low <= 8;
}

// The hint's dark olive green (&h2B4807) at half coverage or more.
bool IsGreenInk(const QColor& c) {
    return c.green() - c.blue() >= 32 && c.green() >= c.red();
}

class DrawingTest : public WindowTest {};
} // namespace

TEST_F(DrawingTest, TheHintAndTheClockLineShareNoPixelRowWhileRingingSoftly) {
    WriteSettings("h_data\n7\nm_data\n00");
    Open(6, 59, 50);
    Advance(11000); // the first soft ring
    ASSERT_EQ(W().StaticText_comment()->Text(), kHint);
    ASSERT_EQ(W().EditField3()->Text(), "現在7:00:00    設定07:00");

    const QImage content = W().ContentWidget()->grab().toImage();
    auto box = [](RectControl& control) {
        return QRect(control.Left(), control.Top(), control.Width(), control.Height());
    };
    const std::set<int> clock_rows = InkRows(content, box(*W().EditField3()), IsBlackInk);
    const std::set<int> hint_rows = InkRows(content, box(*W().StaticText_comment()), IsGreenInk);
    ASSERT_FALSE(clock_rows.empty());
    ASSERT_FALSE(hint_rows.empty());
    EXPECT_LT(*clock_rows.rbegin(), *hint_rows.begin())
        << "clock line rows " << *clock_rows.begin() << "-" << *clock_rows.rbegin()
        << ", hint rows " << *hint_rows.begin() << "-" << *hint_rows.rbegin();
}
