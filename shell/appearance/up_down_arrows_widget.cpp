#include "shell/appearance/up_down_arrows_widget.h"

#include "shell/appearance/members.h"

namespace {
// Holding an arrow repeats, as the system's little arrows do.
constexpr int kRepeatDelay_ms = 300;
constexpr int kRepeatInterval_ms = 80;
} // namespace

UpDownArrowsWidget::UpDownArrowsWidget(QWidget* parent, AppearanceEventCallback callback,
                                       void* context)
    : QWidget(parent), callback_(callback), context_(context),
      up_(Arrow(Qt::UpArrow, kAppearanceUp)), down_(Arrow(Qt::DownArrow, kAppearanceDown)) {
    setFocusPolicy(Qt::NoFocus);
    SetAcceptFocus(false);
}

QToolButton* UpDownArrowsWidget::Arrow(Qt::ArrowType type, AppearanceEvent event) {
    auto* arrow = new QToolButton(this);
    arrow->setArrowType(type);
    arrow->setAutoRepeat(true);
    arrow->setAutoRepeatDelay(kRepeatDelay_ms);
    arrow->setAutoRepeatInterval(kRepeatInterval_ms);
    connect(arrow, &QToolButton::clicked, this, [this, event] {
        if (callback_) callback_(context_, event, 0);
    });
    return arrow;
}

void UpDownArrowsWidget::SetAcceptFocus(bool accept) {
    for (auto* arrow : {up_, down_})
        arrow->setFocusPolicy(accept ? Qt::TabFocus : Qt::NoFocus);
}

void UpDownArrowsWidget::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void AddUpDownArrowsMembers(Members& members) {
    using W = UpDownArrowsWidget;
    appearance::AddProperty<&W::AcceptFocus, &W::SetAcceptFocus>(members,
                                                                 "UpDownArrows.AcceptFocus");
}
