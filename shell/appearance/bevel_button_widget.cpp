#include "shell/appearance/bevel_button_widget.h"

#include <QAction>
#include <QMouseEvent>

BevelButtonWidget::BevelButtonWidget(QWidget* parent, AppearanceEventCallback callback,
                                     void* context)
    : QAbstractButton(parent), callback_(callback), context_(context), menu_(new QMenu(this)) {
    setFocusPolicy(Qt::NoFocus);
    // The mouse opens the menu on press; this is a click without it, or the keyboard's.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (has_menu_ != 0) return ShowMenu();
        if (button_type_ == 1) SetValue(!value_);
        if (button_type_ == 2) SetValue(true);
        Raise(kAppearanceAction, 0);
    });
    // The choice is delivered once the menu has closed, so that a handler runs outside
    // the menu's own event handling (and is dropped if the button is gone by then).
    connect(menu_, &QMenu::triggered, this, [this](QAction* action) {
        const auto row = static_cast<int32_t>(menu_->actions().indexOf(action));
        QMetaObject::invokeMethod(
            this, [this, row] { ChooseRow(row); }, Qt::QueuedConnection);
    });
    connect(menu_, &QMenu::aboutToHide, this, [this] { setDown(false); });
}

void BevelButtonWidget::AddRow(const QString& text) {
    InsertRow(RowCount(), text);
}

void BevelButtonWidget::AddSeparator() {
    menu_->addSeparator();
}

void BevelButtonWidget::InsertRow(int32_t index, const QString& text) {
    const int32_t count = RowCount();
    if (index < 0 || index > count) return;
    auto* row = new QAction(text, menu_);
    menu_->insertAction(index < count ? menu_->actions().at(index) : nullptr, row);
    // The chosen row stays chosen.
    if (menu_value_ < count && index <= menu_value_) ++menu_value_;
}

void BevelButtonWidget::RemoveRow(int32_t index) {
    if (index < 0 || index >= RowCount()) return;
    delete menu_->actions().at(index);
    if (index < menu_value_)
        --menu_value_;
    else if (index == menu_value_)
        menu_value_ = 0;
}

void BevelButtonWidget::DeleteAllRows() {
    menu_->clear();
    menu_value_ = 0;
}

QString BevelButtonWidget::List(int32_t index) const {
    if (index < 0 || index >= RowCount()) return {};
    const QAction* row = menu_->actions().at(index);
    return row->isSeparator() ? QStringLiteral("-") : row->text();
}

bool BevelButtonWidget::IsChoosable(int32_t row) const {
    return row >= 0 && row < RowCount() && !menu_->actions().at(row)->isSeparator();
}

void BevelButtonWidget::ChooseRow(int32_t row) {
    if (!isEnabled() || !IsChoosable(row)) return;
    menu_value_ = row;
    Raise(kAppearanceAction, row);
}

void BevelButtonWidget::Push() {
    click(); // nothing while disabled
}

void BevelButtonWidget::SetMenuValue(int32_t row) {
    if (IsChoosable(row)) menu_value_ = row;
}

void BevelButtonWidget::SetAcceptFocus(bool accept) {
    accept_focus_ = accept;
    setFocusPolicy(accept ? Qt::TabFocus : Qt::NoFocus);
}

void BevelButtonWidget::mousePressEvent(QMouseEvent* event) {
    if (has_menu_ != 0 && event->button() == Qt::LeftButton) {
        ShowMenu();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void BevelButtonWidget::ShowMenu() {
    if (menu_->isEmpty()) return;
    const auto rows = menu_->actions();
    // A check mark on the chosen row only; the others show no empty box.
    for (int32_t i = 0; i < rows.size(); ++i) {
        rows[i]->setCheckable(i == menu_value_);
        rows[i]->setChecked(i == menu_value_);
    }
    setDown(true);
    menu_->popup(mapToGlobal(QPoint(0, height())));
}

void BevelButtonWidget::Raise(int32_t event, int32_t argument) {
    // Last thing a caller does: the handler may delete this button.
    if (callback_) callback_(context_, event, argument);
}
