#include "shell/framework/gui/window_placement.h"

#include "shell/framework/gui/frame_extents.h"
#include "shell/framework/gui/window_host.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {
// Wayland tells a client neither where its window is nor lets it choose.
bool PlacesAreTold() {
    return !QGuiApplication::platformName().startsWith("wayland");
}

int64_t Overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return static_cast<int64_t>(common.width()) * common.height();
}

// The squared distance between two rectangles that do not meet.
int64_t Distance(const QRect& a, const QRect& b) {
    const int64_t dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const int64_t dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

// The least move along one axis that puts [start, start + length) inside [low, high).
int Within(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}
} // namespace

QPoint ContentPosition(WindowHost& host) {
    if (!PlacesAreTold()) return host.asked_position;
    return host.geometry().topLeft() + host.ContentOffset();
}

void MoveContentTo(WindowHost& host, QPoint position) {
    host.asked_position = position;
    QRect geometry = host.geometry();
    geometry.moveTopLeft(position - host.ContentOffset());
    host.setGeometry(geometry);
}

void PlaceCentred(WindowHost& host) {
    if (host.testAttribute(Qt::WA_Moved)) return; // given a position already
    const QScreen* screen = host.screen();
    if (!screen) return;
    const QPoint offset = host.ContentOffset(); // settles the size
    QRect geometry = host.geometry();
    geometry.moveCenter(screen->availableGeometry().center());
    MoveContentTo(host, geometry.topLeft() + offset);
}

void KeepOnScreen(WindowHost& host) {
    if (!PlacesAreTold()) return;
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    host.ContentOffset(); // settles the size
    const QRect frame = host.geometry().marginsAdded(FrameExtents(host));
    const QPoint moved = FrameOnScreen(frame, areas) - frame.topLeft();
    if (!moved.isNull()) MoveContentTo(host, ContentPosition(host) + moved);
}

QPoint FrameOnScreen(const QRect& frame, const std::vector<QRect>& areas) {
    if (areas.empty()) return frame.topLeft();
    if (std::any_of(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(frame); }))
        return frame.topLeft();
    // The first of equals wins: the primary screen comes first.
    const auto best =
        std::min_element(areas.begin(), areas.end(), [&](const QRect& a, const QRect& b) {
            const int64_t overlap_a = Overlap(frame, a), overlap_b = Overlap(frame, b);
            if (overlap_a != overlap_b) return overlap_a > overlap_b;
            return overlap_a == 0 && Distance(frame, a) < Distance(frame, b);
        });
    return {Within(frame.left(), frame.width(), best->left(), best->right() + 1),
            Within(frame.top(), frame.height(), best->top(), best->bottom() + 1)};
}
