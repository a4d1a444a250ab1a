#include "shell/appearance/small_controls.h"

#include "shell/appearance/members.h"

#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {
constexpr QStyle::PrimitiveElement kArrows[] = {
    QStyle::PE_IndicatorArrowRight, QStyle::PE_IndicatorArrowLeft, QStyle::PE_IndicatorArrowUp,
    QStyle::PE_IndicatorArrowDown};

void DrawArrow(QWidget& widget, int32_t facing) {
    const bool known = facing >= 0 && facing < static_cast<int32_t>(std::size(kArrows));
    QPainter painter(&widget);
    QStyleOption option;
    option.initFrom(&widget);
    widget.style()->drawPrimitive(kArrows[known ? facing : 0], &option, &painter, &widget);
}
} // namespace

DisclosureTriangleWidget::DisclosureTriangleWidget(QWidget* parent,
                                                   AppearanceEventCallback callback, void* context)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this, callback, context] {
        SetValue(!value_);
        if (callback) callback(context, kAppearanceAction, 0);
    });
}

void DisclosureTriangleWidget::paintEvent(QPaintEvent*) {
    DrawArrow(*this, value_ ? 3 : (facing_ == 1 ? 1 : 0));
}

void PopupArrowWidget::paintEvent(QPaintEvent*) {
    DrawArrow(*this, facing_);
}

void PlacardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QBrush face = palette().button();
    qDrawShadePanel(&painter, rect(), palette(), value_, 1, &face);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

void ImageWellWidget::SetImage(const QString& path) {
    image_ = path;
    pixmap_ = QPixmap(path);
    update();
}

void ImageWellWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
    if (pixmap_.isNull()) return;
    const QRect inside = rect().adjusted(2, 2, -2, -2);
    const QPixmap fitted =
        pixmap_.scaled(inside.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(
        QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, fitted.size(), inside), fitted);
}

void AddSmallControlMembers(Members& members) {
    using appearance::AddProperty;
    using DT = DisclosureTriangleWidget;
    AddProperty<&DT::Facing, &DT::SetFacing>(members, "DisclosureTriangle.Facing");
    AddProperty<&DT::Value, &DT::SetValue>(members, "DisclosureTriangle.Value");
    AddProperty<&PopupArrowWidget::Facing, &PopupArrowWidget::SetFacing>(members,
                                                                         "PopupArrow.Facing");
    AddProperty<&PlacardWidget::Caption, &PlacardWidget::SetCaption>(members, "Placard.Caption");
    AddProperty<&PlacardWidget::Value, &PlacardWidget::SetValue>(members, "Placard.Value");
    AddProperty<&ImageWellWidget::Image, &ImageWellWidget::SetImage>(members, "ImageWell.Image");
}
