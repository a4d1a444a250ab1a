#include "shell/framework/gui/fonts.h"

#include <QApplication>
#include <cmath>

namespace {
struct FaceMapping {
    const char* name;
    const char* family;
};

// Faces of the original platform and what stands in for them here (fonts-noto-cjk).
constexpr FaceMapping kFaces[] = {
    {"Osaka", "Noto Sans CJK JP"},
};

QString FamilyFor(const std::string& name) {
    for (const auto& face : kFaces)
        if (name == face.name) return QString::fromLatin1(face.family);
    return QString::fromStdString(name);
}
} // namespace

QFont FontFor(const FontRequest& request) {
    // Asking for one family by name lets fontconfig match it; nothing here lists fonts.
    QFont font = QApplication::font();
    if (request.name != "System") font.setFamily(FamilyFor(request.name));
    if (request.size > 0) font.setPixelSize(static_cast<int>(std::lround(request.size)));
    font.setBold(request.bold);
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    return font;
}
