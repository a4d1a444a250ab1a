#include "alarm_window/window1.h"

#include "settings/class_datafile.h"

namespace {
// The window's stored property list. It sets no position: the framework places the window
// where a new one opens and the Open handler may move it to the saved one.
const PropertyList kWindowProperties = {
    {"Width", 281},
    {"Height", 179},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 32000},
    {"MaxHeight", 32000},
    {"Frame", 9},
    {"Title", std::string("   ")},
    {"CloseButton", true},
    {"Resizeable", false},
    {"MaximizeButton", false},
    {"MinimizeButton", true},
    {"FullScreenButton", false},
    {"Composite", true},
    {"MacProcID", 0},
    {"Placement", 0},
    {"Visible", true},
    {"LiveResize", false},
    {"FullScreen", false},
    {"HasBackColor", false},
    {"BackColor", Color{0xFFFFFF}},
    {"MenuBarVisible", true},
};
} // namespace

Window1::Window1() {
    // The window owns these handlers, so they never outlive it.
    on_layout = [this] { Layout(); };
    on_create_controls = [this] { CreateControls(); };
    on_open = [this] { Event_Open(); };
    on_close = [this] { Event_Close(); };
    on_activate = [this] { Event_Activate(); };
    on_deactivate = [this] { Event_Deactivate(); };
    on_key_down = [this](const std::string& key) { return Event_KeyDown(key); };
}

Window1::~Window1() {
    auto held = std::move(data_file);
    data_file = nullptr;
    held.reset();
}

void Window1::Layout() {
    SetProperties(kWindowProperties);
}

void Window1::CreateControls() {
    CreateControls0();
}
