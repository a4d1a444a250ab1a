#include "tests/support/gui_test.h"

#include "shell/framework/gui/window.h"

#include <QApplication>
#include <QWidget>
#include <cstdlib>

QApplication& EnsureTestApplication() {
    // Kept for the whole process and shared by its cases: the windows a case makes are
    // gone by its end (tests/support/process_state.h), the application is not.
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "Dorvane2-test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

void GuiTest::SetUp() {
    EnsureTestApplication();
    messages = InstallRecordingMessageBox();
    clock = InstallManualClock({2026, 12, 10, 7, 0, 0});
}

void GuiTest::TearDown() {
    InstallClock(nullptr);
    InstallMessageBoxPresenter(nullptr);
}

bool GuiTest::ShowActive(Window& window) {
    window.Show();
    QWidget* native = window.NativeWidget();
    // The offscreen platform activates a shown window on the next pass of the queue.
    for (int pass = 0; pass < 10 && !native->isActiveWindow(); ++pass)
        QApplication::processEvents();
    return native->isActiveWindow();
}
