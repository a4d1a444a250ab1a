#pragma once
// The module's other small controls, which the alarm window does not use.

#include "shell/appearance/appearance_abi.h"
#include "shell/appearance/repaint.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QString>
#include <QWidget>

// A triangle that opens and closes a section; a click toggles Value and raises Action.
class DisclosureTriangleWidget : public QAbstractButton {
  public:
    DisclosureTriangleWidget(QWidget* parent, AppearanceEventCallback callback, void* context);
    // 0 points right when closed, 1 left.
    int32_t Facing() const { return facing_; }
    void SetFacing(int32_t facing) { SetAndRepaint(*this, facing_, facing); }
    // True: open (pointing down).
    bool Value() const { return value_; }
    void SetValue(bool value) { SetAndRepaint(*this, value_, value); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int32_t facing_ = 0;
    bool value_ = false;
};

// A small arrow: 0 east, 1 west, 2 north, 3 south.
class PopupArrowWidget : public QWidget {
  public:
    using QWidget::QWidget;
    int32_t Facing() const { return facing_; }
    void SetFacing(int32_t facing) { SetAndRepaint(*this, facing_, facing); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int32_t facing_ = 0;
};

// A bevelled panel with a caption; Value True draws it pressed in.
class PlacardWidget : public QWidget {
  public:
    using QWidget::QWidget;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { SetAndRepaint(*this, caption_, caption); }
    bool Value() const { return value_; }
    void SetValue(bool value) { SetAndRepaint(*this, value_, value); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    bool value_ = false;
};

// A sunken well showing an image file, scaled to fit.
class ImageWellWidget : public QWidget {
  public:
    using QWidget::QWidget;
    QString Image() const { return image_; }
    void SetImage(const QString& path);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString image_;
    QPixmap pixmap_;
};
