#include "tests/support/window_shape.h"

#include "shell/framework/gui/window.h"

#include <QWidget>
#include <gtest/gtest.h>

void ExpectAlarmWindowShape(Window& window) {
    QWidget* native = window.NativeWidget();
    EXPECT_EQ(native->windowTitle(), "   ");
    const Qt::WindowFlags flags = native->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowFullscreenButtonHint);
    EXPECT_EQ(native->minimumSize(), native->maximumSize());
    EXPECT_EQ(window.ContentWidget()->size(), QSize(281, 179));
    const QSize before = native->size();
    native->resize(before + QSize(120, 120)); // as a resize by the user would ask
    EXPECT_EQ(native->size(), before);
    EXPECT_EQ(window.ContentWidget()->size(), QSize(281, 179));
}
