// How a bevel button looks: the style's button face, the caption aligned by its code,
// the icon, and the menu arrow.
#include "shell/appearance/bevel_button_widget.h"

#include <QIcon>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
// CaptionAlign: 0 flush left, 1 flush right, 2 system direction, 3 centre.
// IconAlign: 0 system direction, 1 centre, 2 left, 3 right. Other codes centre.
constexpr Qt::Alignment kCaptionAlign[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeading,
                                           Qt::AlignHCenter};
constexpr Qt::Alignment kIconAlign[] = {Qt::AlignLeading, Qt::AlignHCenter, Qt::AlignLeft,
                                        Qt::AlignRight};

// The menu arrow: a small down arrow near the right edge, so that the caption has the
// rest of the face (the style's own indicator keeps a wide margin beside it).
constexpr int kMenuArrowWidth = 7;
constexpr int kMenuArrowMargin = 3; // inside the contents, right of the arrow

template <std::size_t N>
Qt::Alignment Lookup(const Qt::Alignment (&table)[N], int32_t code, Qt::Alignment otherwise) {
    return code >= 0 && code < static_cast<int32_t>(N) ? table[code] : otherwise;
}
} // namespace

void BevelButtonWidget::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    const bool pressed = isDown() || value_;
    option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (value_) option.state |= QStyle::State_On;
    if (has_back_color_) option.palette.setColor(QPalette::Button, QColor::fromRgb(back_color_));
    option.palette.setColor(QPalette::ButtonText, QColor::fromRgb(text_color_));
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (has_menu_ != 0) {
        QStyleOption arrow = option;
        arrow.rect =
            QRect(area.right() - kMenuArrowMargin - kMenuArrowWidth + 1,
                  area.center().y() - kMenuArrowWidth / 2, kMenuArrowWidth, kMenuArrowWidth);
        arrow.palette.setColor(QPalette::WindowText, QColor::fromRgb(text_color_));
        painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
        // The caption is centred in what the arrow leaves.
        area.setRight(arrow.rect.left() - 1);
    }
    if (!icon_path_.isEmpty()) {
        const int side = qMin(16, area.height());
        const QRect icon = QStyle::alignedRect(
            layoutDirection(), Lookup(kIconAlign, icon_align_, Qt::AlignHCenter) | Qt::AlignVCenter,
            QSize(side, side), area);
        QIcon(icon_path_).paint(&painter, icon.translated(icon_dx_, icon_dy_));
        // The caption sits beside the icon.
        if (icon.center().x() < area.center().x())
            area.setLeft(icon.right() + 4);
        else
            area.setRight(icon.left() - 4);
    }
    const Qt::Alignment align = Lookup(kCaptionAlign, caption_align_, Qt::AlignHCenter);
    if (align & Qt::AlignRight)
        area.adjust(0, 0, -caption_delta_, 0);
    else if (!(align & Qt::AlignHCenter))
        area.adjust(caption_delta_, 0, 0, 0);
    painter.drawItemText(area, align | Qt::AlignVCenter | Qt::TextSingleLine, option.palette,
                         isEnabled(), text(), QPalette::ButtonText);
}
