#include "shell/appearance/progress_wheel_widget.h"

#include <QPainter>

namespace {
constexpr int kSpokes = 12;
// One step a second, like a second hand: the wheel shows for as long as the alarm waits,
// often all night, and every step is a wake-up with a repaint (eight a second cost half a
// percent of a core here; one costs a twentieth).
constexpr int kFrameInterval_ms = 1000;
} // namespace

ProgressWheelWidget::ProgressWheelWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    timer_.setInterval(kFrameInterval_ms);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kSpokes;
        update();
    });
}

void ProgressWheelWidget::showEvent(QShowEvent*) {
    // Shown again: the spin starts over. A window shown minimised shows its children too.
    frame_ = 0;
    if (!window()->isMinimized()) timer_.start();
}

void ProgressWheelWidget::hideEvent(QHideEvent*) {
    timer_.stop();
}

void ProgressWheelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    painter.translate(width() / 2.0, height() / 2.0);
    QColor color = palette().color(QPalette::WindowText);
    QPen pen(color, qMax<qreal>(1.5, side / 10), Qt::SolidLine, Qt::RoundCap);
    for (int i = 0; i < kSpokes; ++i) {
        // The leading spoke is darkest; those behind it fade to a quarter.
        const int behind = (frame_ - i + kSpokes) % kSpokes;
        color.setAlphaF(1.0 - 0.75 * behind / (kSpokes - 1));
        pen.setColor(color);
        painter.setPen(pen);
        painter.drawLine(QPointF(0, -side * 0.22), QPointF(0, -side * 0.44));
        painter.rotate(360.0 / kSpokes);
    }
}
