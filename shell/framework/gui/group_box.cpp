#include "shell/framework/gui/group_box.h"

#include "shell/framework/gui/qt_values.h"

#include <QGroupBox>

void GroupBox::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name != "Caption") return RectControl::SetProperty(name, value);
    caption_ = AsString(name, value);
    Remember(name, value);
    if (widget_) static_cast<QGroupBox*>(widget_)->setTitle(ToCaption(caption_));
}

QWidget* GroupBox::CreateWidget(QWidget* parent) {
    // A frame only: the controls drawn over it are the window's, not the box's.
    return new QGroupBox(ToCaption(caption_), parent);
}
