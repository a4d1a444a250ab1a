#pragma once
// The framework's values as Qt takes them: UTF-8 texts shown exactly as written, 24-bit
// colours, alignment codes.

#include "shell/framework/core/property_list.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <string>

inline QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// For captions and menu texts, where Qt would read "&" as a mnemonic marker.
inline QString ToCaption(const std::string& text) {
    return ToQString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

inline QColor ToQColor(Color color) {
    return QColor::fromRgb(color.rgb & 0xFFFFFFu);
}

// Gives `role` the colour in every colour group, so that an inactive window shows
// the same colours.
inline void SetPaletteColor(QWidget& widget, QPalette::ColorRole role, Color color) {
    QPalette palette = widget.palette();
    palette.setColor(role, ToQColor(color));
    widget.setPalette(palette);
}

// Text alignment codes: 0 default (left), 1 left, 2 centre, 3 right.
inline Qt::Alignment HorizontalAlignment(int32_t code) {
    switch (code) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}
