#pragma once
// Little arrows: two stacked arrow buttons that raise Up and Down, repeating while held.

#include "shell/appearance/appearance_abi.h"

#include <QToolButton>
#include <QWidget>

class UpDownArrowsWidget : public QWidget {
  public:
    UpDownArrowsWidget(QWidget* parent, AppearanceEventCallback callback, void* context);

    bool AcceptFocus() const { return up_->focusPolicy() != Qt::NoFocus; }
    void SetAcceptFocus(bool accept);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* Arrow(Qt::ArrowType type, AppearanceEvent event);

    AppearanceEventCallback callback_;
    void* context_;
    QToolButton* up_;
    QToolButton* down_;
};
