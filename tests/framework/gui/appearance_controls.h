#pragma once
// Plug-in tests: the module loaded and the entry table filled, as start-up does it, and
// a shown window that creates one control from its property list.

#include "shell/framework/gui/plugin.h"
#include "shell/framework/gui/rect_control.h"
#include "shell/framework/gui/window.h"
#include "tests/support/gui_test.h"

#include <iterator>
#include <memory>

// Fills a fresh table every time, so a test that spoils it spoils only itself.
inline void LoadAppearanceControls() {
    RuntimeLoadPlugin("AppearanceControls.so");
    void** table = RuntimeAllocatePluginEntrypointsTable(std::size(kPluginEntryNames));
    for (std::size_t i = 0; i < std::size(kPluginEntryNames); ++i)
        table[i] = RuntimeLookupPluginEntrypoint(kPluginEntryNames[i]);
}

class PluginTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        LoadAppearanceControls();
    }
    void TearDown() override {
        if (window) window->Close();
        window.reset();
        GuiTest::TearDown();
    }

    // Shows a window whose CreateControls adds `control` and applies `properties`.
    void ShowWindowWith(const std::shared_ptr<RectControl>& control,
                        const PropertyList& properties) {
        window = std::make_shared<Window>();
        window->on_create_controls = [this, control, properties] {
            window->AddControl(control);
            control->SetProperties(properties);
        };
        window->Show();
    }

    std::shared_ptr<Window> window;
};
