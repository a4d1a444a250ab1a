#pragma once
// The framework's font names on this platform. Sizes are pixels, so a fixed layout stays
// as drawn; "System" at size 0 is the platform's interface font.

#include <QFont>
#include <string>

struct FontRequest {
    std::string name = "System";
    double size = 0;
    bool bold = false, italic = false, underline = false;
};

QFont FontFor(const FontRequest& request);
