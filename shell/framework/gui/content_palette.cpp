#include "shell/framework/gui/content_palette.h"

#include "shell/framework/gui/qt_values.h"

#include <QPalette>
#include <QWidget>

namespace {
struct RoleColours {
    QPalette::ColorRole role;
    QRgb normal; // active and inactive alike
    QRgb disabled;
};

// Fusion's light palette as Qt 6.4 builds it when no platform theme gives another.
// Written out, not asked of Qt: Qt's own default follows a dark desktop too.
constexpr RoleColours kLight[] = {
    {QPalette::WindowText, 0xFF000000, 0xFFBEBEBE},
    {QPalette::Button, 0xFFEFEFEF, 0xFFEFEFEF},
    {QPalette::Light, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::Midlight, 0xFFCACACA, 0xFFCACACA},
    {QPalette::Dark, 0xFF9F9F9F, 0xFFBEBEBE},
    {QPalette::Mid, 0xFFB8B8B8, 0xFFB8B8B8},
    {QPalette::Text, 0xFF000000, 0xFFBEBEBE},
    {QPalette::BrightText, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::ButtonText, 0xFF000000, 0xFFBEBEBE},
    {QPalette::Base, 0xFFFFFFFF, 0xFFEFEFEF},
    {QPalette::Window, 0xFFEFEFEF, 0xFFEFEFEF},
    {QPalette::Shadow, 0xFF767676, 0xFFB1B1B1},
    {QPalette::Highlight, 0xFF308CC6, 0xFF919191},
    {QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::Link, 0xFF0000FF, 0xFF0000FF},
    {QPalette::LinkVisited, 0xFFFF00FF, 0xFFFF00FF},
    {QPalette::AlternateBase, 0xFFF7F7F7, 0xFFF7F7F7},
    {QPalette::ToolTipBase, 0xFFFFFFDC, 0xFFFFFFDC},
    {QPalette::ToolTipText, 0xFF000000, 0xFF000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
};
} // namespace

QPalette LightPalette() {
    // Every role set in every group: nothing of the desktop's palette shows through.
    QPalette palette;
    for (const auto& [role, normal, disabled] : kLight) {
        palette.setColor(QPalette::Active, role, QColor::fromRgba(normal));
        palette.setColor(QPalette::Inactive, role, QColor::fromRgba(normal));
        palette.setColor(QPalette::Disabled, role, QColor::fromRgba(disabled));
    }
    return palette;
}

void ApplyContentPalette(QWidget& content, std::optional<Color> back_color) {
    QPalette palette = LightPalette();
    if (back_color) palette.setColor(QPalette::Window, ToQColor(*back_color));
    content.setPalette(palette);
    // The content area paints its own ground; the main window behind it has the desktop's.
    content.setAutoFillBackground(true);
}
