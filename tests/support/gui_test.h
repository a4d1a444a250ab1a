#pragma once
// Fixture for tests that build windows: a QApplication on the offscreen platform, the
// recording message box and a manual clock (Thursday 2026-12-10 07:00:00).

#include "tests/support/manual_clock.h"
#include "tests/support/recording_message_box.h"

#include <gtest/gtest.h>
#include <memory>

class QApplication;
class Window;

// The one QApplication of the test process, created on first use and kept to the end.
QApplication& EnsureTestApplication();

class GuiTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Shows the window and lets the platform make it the active one (keys and menu
    // shortcuts go to the active window); false when it did not become active.
    static bool ShowActive(Window& window);

    std::shared_ptr<RecordingMessageBox> messages;
    std::shared_ptr<ManualClock> clock;
};
