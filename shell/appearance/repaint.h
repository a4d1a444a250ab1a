#pragma once
// A widget's setter: stores the value and repaints, only when the value changed.

#include <QWidget>

template <class T, class V> void SetAndRepaint(QWidget& widget, T& field, const V& value) {
    if (field == value) return;
    field = value;
    widget.update();
}
