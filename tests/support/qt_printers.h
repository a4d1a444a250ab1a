#pragma once
// How GoogleTest prints Qt's geometry values in a failure.

#include <QPoint>
#include <ostream>

inline void PrintTo(const QPoint& point, std::ostream* os) {
    *os << "(" << point.x() << ", " << point.y() << ")";
}
