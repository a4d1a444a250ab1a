#include "tests/support/offscreen_screens.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qwindowsysteminterface.h>
#include <stdexcept>
#include <string>

namespace {
// The offscreen platform takes its configuration through two functions of its native
// interface; the interface itself is their last argument.
QPlatformNativeInterface& Native() {
    auto* native = QGuiApplication::platformNativeInterface();
    if (!native || QGuiApplication::platformName() != "offscreen")
        throw std::logic_error("screens can only be set on the offscreen platform");
    return *native;
}

QJsonObject Configuration() {
    using Get = QJsonObject (*)(QPlatformNativeInterface*);
    auto get = reinterpret_cast<Get>(Native().nativeResourceForIntegration("configuration"));
    return get(&Native());
}

void Configure(const QJsonObject& configuration) {
    using Put = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    auto put = reinterpret_cast<Put>(Native().nativeResourceForIntegration("setConfiguration"));
    put(configuration, &Native());
    // A screen's new size reaches its QScreen as a window system event.
    QWindowSystemInterface::flushWindowSystemEvents();
}
} // namespace

OffscreenScreens::OffscreenScreens() : saved_(Configuration()) {}

OffscreenScreens::~OffscreenScreens() {
    Configure(saved_);
}

void OffscreenScreens::Set(const std::vector<QRect>& screens) {
    // Screens are told apart by name: the first keeps the primary screen's.
    const QString primary = saved_["screens"].toArray().first()["name"].toString();
    QJsonArray list;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const QRect& area = screens[i];
        list.append(QJsonObject{
            {"name", i == 0 ? primary : QString("screen %1").arg(i + 1)},
            {"x", area.x()},
            {"y", area.y()},
            {"width", area.width()},
            {"height", area.height()},
        });
    }
    QJsonObject configuration = saved_;
    configuration["screens"] = list;
    Configure(configuration);
}
