// The window's property list: every value is kept; what Qt can show is applied.
#include "shell/framework/core/exceptions.h"
#include "shell/framework/gui/content_palette.h"
#include "shell/framework/gui/property_table.h"
#include "shell/framework/gui/qt_values.h"
#include "shell/framework/gui/window.h"
#include "shell/framework/gui/window_host.h"

#include <QLayout>

namespace {
using namespace std::string_literals;

// Every property a window takes, with the value it has until a list sets it; a list's
// value must have the same type.
const PropertyList kWindowDefaults = {
    {"Width", 300},
    {"Height", 200},
    {"MinWidth", 64},
    {"MinHeight", 64},
    {"MaxWidth", 32000},
    {"MaxHeight", 32000},
    // The frame and placement codes, compositing, the process id and live resizing are
    // the original platform's: a titled window, centred on the screen when it first opens,
    // stands in.
    {"Frame", 0},
    {"Title", ""s},
    {"CloseButton", true},
    {"Resizeable", true},
    {"MaximizeButton", true},
    {"MinimizeButton", true},
    {"FullScreenButton", false},
    {"Composite", false},
    {"MacProcID", 0},
    {"Placement", 0},
    {"Visible", true},
    {"LiveResize", true},
    {"FullScreen", false},
    {"HasBackColor", false},
    {"BackColor", Color{0xFFFFFF}},
    {"MenuBarVisible", true},
};

template <class T> T Read(const PropertyList& stored, const std::string& name) {
    const PropertyValue* value = FindPropertyValue(stored, name);
    return std::get<T>(value ? *value : *FindPropertyValue(kWindowDefaults, name));
}
} // namespace

void Window::SetProperties(const PropertyList& list) {
    for (const auto& [name, value] : list) {
        const PropertyValue* fallback = FindPropertyValue(kWindowDefaults, name);
        if (!fallback) throw RuntimeException("unknown property " + name + " of a window");
        if (fallback->index() != value.index())
            throw RuntimeException("property " + name + " has a value of the wrong type");
        StorePropertyValue(stored_, name, value);
    }
    ApplyProperties();
}

const PropertyValue* Window::StoredProperty(const std::string& name) const {
    return FindPropertyValue(stored_, name);
}

std::string Window::Title() const {
    return Read<std::string>(stored_, "Title");
}

int32_t Window::Width() const {
    Host().ContentOffset(); // settles the layout
    return Host().Content()->width();
}

int32_t Window::Height() const {
    Host().ContentOffset();
    return Host().Content()->height();
}

void Window::ApplyProperties() {
    auto& host = Host();
    const auto is = [this](const char* name) { return Read<bool>(stored_, name); };
    const auto number = [this](const char* name) { return Read<int32_t>(stored_, name); };
    host.setWindowTitle(ToQString(Read<std::string>(stored_, "Title")));

    const bool resizeable = is("Resizeable");
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (is("CloseButton")) flags |= Qt::WindowCloseButtonHint;
    if (is("MinimizeButton")) flags |= Qt::WindowMinimizeButtonHint;
    if (is("MaximizeButton") && resizeable) flags |= Qt::WindowMaximizeButtonHint;
    if (is("FullScreenButton") && resizeable) flags |= Qt::WindowFullscreenButtonHint;
    if (flags != host.windowFlags()) {
        const bool shown = host.isVisible(); // new flags hide a shown window
        host.setWindowFlags(flags);
        if (shown) host.show();
    }

    QWidget* content = host.Content();
    const QSize size(number("Width"), number("Height"));
    if (resizeable) {
        content->setMinimumSize(number("MinWidth"), number("MinHeight"));
        content->setMaximumSize(number("MaxWidth"), number("MaxHeight"));
        host.layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        host.resize(size + QSize(0, host.ContentOffset().y()));
    } else {
        content->setFixedSize(size);
        host.layout()->setSizeConstraint(QLayout::SetFixedSize);
    }

    std::optional<Color> back_color;
    if (is("HasBackColor")) back_color = Read<Color>(stored_, "BackColor");
    ApplyContentPalette(*content, back_color);
    if (host.menuWidget()) host.menuWidget()->setVisible(is("MenuBarVisible"));
}
