// The bevel button's font members: they edit the widget's own font.
#include "shell/appearance/bevel_button_widget.h"

#include <QApplication>

namespace {
template <class Change> void EditFont(QWidget& widget, Change change) {
    QFont font = widget.font();
    change(font);
    widget.setFont(font);
}
} // namespace

void BevelButtonWidget::SetTextFont(const QString& family) {
    EditFont(*this, [&](QFont& font) { font.setFamily(family); });
}

double BevelButtonWidget::TextSize() const {
    const int pixels = font().pixelSize();
    return pixels > 0 ? pixels : 0;
}

void BevelButtonWidget::SetTextSize(double size) {
    EditFont(*this, [&](QFont& font) {
        if (size > 0)
            font.setPixelSize(qRound(size));
        else
            font.setPointSizeF(QApplication::font().pointSizeF());
    });
}

void BevelButtonWidget::SetBold(bool bold) {
    EditFont(*this, [&](QFont& font) { font.setBold(bold); });
}

void BevelButtonWidget::SetItalic(bool italic) {
    EditFont(*this, [&](QFont& font) { font.setItalic(italic); });
}

void BevelButtonWidget::SetUnderline(bool underline) {
    EditFont(*this, [&](QFont& font) { font.setUnderline(underline); });
}
