#include "shell/framework/gui/frame_extents.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <vector>
#include <xcb/xcb.h>

namespace {
using namespace std::chrono;

// How long a window manager may take to answer, once, before the window's first show. With
// openbox here it answers within a few milliseconds, but one that has only just started
// drops about one request in six: the request is sent again until it is answered.
constexpr milliseconds kAnswerWithin{200}, kAskAgainAfter{20};

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                         &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A 32-bit property of a window, empty when it is not set.
std::vector<uint32_t> Property(xcb_connection_t* connection, xcb_window_t window, const char* name,
                               xcb_atom_t type) {
    const auto cookie =
        xcb_get_property(connection, 0, window, Atom(connection, name), type, 0, 4096);
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr),
                                          &std::free);
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// _NET_FRAME_EXTENTS holds left, right, top and bottom.
std::optional<QMargins> ReadExtents(xcb_connection_t* connection, xcb_window_t window) {
    const auto extents = Property(connection, window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (extents.size() != 4) return std::nullopt;
    return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                    static_cast<int>(extents[1]), static_cast<int>(extents[3]));
}

// Asks the window manager which frame it will give the window, on a connection of our own:
// its answer, a property change, must not be taken out of Qt's event queue.
std::optional<QMargins> AskExtents(xcb_window_t window) {
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> owned(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    xcb_connection_t* connection = owned.get();
    if (xcb_connection_has_error(connection)) return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const auto supported = Property(connection, root, "_NET_SUPPORTED", XCB_ATOM_ATOM);
    if (std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt; // no window manager, or one that would not answer

    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    const auto ask = [&] {
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection);
    };

    const auto deadline = steady_clock::now() + kAnswerWithin;
    auto next_ask = steady_clock::now();
    pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection), &std::free}) {
            const auto* changed = reinterpret_cast<xcb_property_notify_event_t*>(event.get());
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && changed->atom == extents)
                return ReadExtents(connection, window);
        }
        const auto now = steady_clock::now();
        if (now >= deadline) return std::nullopt;
        if (now >= next_ask) {
            ask();
            next_ask = now + kAskAgainAfter;
        }
        const auto wait = duration_cast<milliseconds>(std::min(next_ask, deadline) - now);
        if (poll(&readable, 1, static_cast<int>(wait.count()) + 1) < 0 && errno != EINTR)
            return std::nullopt;
    }
}
} // namespace

QMargins FrameExtents(QWidget& window) {
    // The platform window, made now if need be: its frame can be asked for before it shows.
    const auto id = static_cast<xcb_window_t>(window.winId());
    // The offscreen platform also answers as X11, with no connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    // Qt's own X11 figure is read once and kept, often before the window manager has said.
    if (!connection) return window.windowHandle()->frameMargins();
    if (auto known = ReadExtents(connection, id)) return *known;
    if (window.isVisible()) return {};
    return AskExtents(id).value_or(QMargins());
}
