#pragma once
// A spinning activity indicator: a ring of fading spokes. Its timer runs only while the
// wheel is shown on a window that is not minimised, so a hidden wheel costs nothing.

#include <QTimer>
#include <QWidget>

class ProgressWheelWidget : public QWidget {
  public:
    explicit ProgressWheelWidget(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Minimising a window hides its children and restoring shows them again (Qt sends
    // both), so these two also follow the window's state.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QTimer timer_{this};
    int frame_ = 0;
};
