#pragma once
// The content area's colours. A layout's text colours (black, dark blue, dark green, pink
// on violet) were chosen for the light ground that a window with no background colour of
// its own always had, so the content area keeps that ground, and its controls the light
// palette, whatever palette the desktop gives. The menu bar and message boxes lie outside
// it and follow the desktop.

#include "shell/framework/core/property_list.h"

#include <optional>

class QPalette;
class QWidget;

// Qt's standard light palette, Fusion's: a #efefef ground, black text, white fields.
QPalette LightPalette();

// Gives the content area the light palette and paints its ground: the window's own
// background colour where it has one, else the light ground.
void ApplyContentPalette(QWidget& content, std::optional<Color> back_color);
