// The module's one exported function and its factory "_".
#include "shell/appearance/bevel_button_widget.h"
#include "shell/appearance/members.h"
#include "shell/appearance/progress_wheel_widget.h"
#include "shell/appearance/small_controls.h"
#include "shell/appearance/up_down_arrows_widget.h"

#include <QByteArray>
#include <cstring>
#include <type_traits>

namespace {
// Each class's widget; those that raise no events take no callback.
template <class W> QWidget* Make(QWidget* parent, AppearanceEventCallback callback, void* context) {
    if constexpr (std::is_constructible_v<W, QWidget*, AppearanceEventCallback, void*>)
        return new W(parent, callback, context);
    else
        return new W(parent);
}

struct PluginClass {
    const char* name;
    QWidget* (*make)(QWidget* parent, AppearanceEventCallback callback, void* context);
};

const PluginClass kClasses[] = {
    {"BevelButton", Make<BevelButtonWidget>},
    {"UpDownArrows", Make<UpDownArrowsWidget>},
    {"ProgressWheel", Make<ProgressWheelWidget>},
    {"DisclosureTriangle", Make<DisclosureTriangleWidget>},
    {"PopupArrow", Make<PopupArrowWidget>},
    {"Placard", Make<PlacardWidget>},
    {"ImageWell", Make<ImageWellWidget>},
};

void* Create(const char* class_name, void* parent, AppearanceEventCallback callback,
             void* context) {
    for (const auto& plugin_class : kClasses)
        if (class_name && std::strcmp(class_name, plugin_class.name) == 0)
            return plugin_class.make(static_cast<QWidget*>(parent), callback, context);
    return nullptr;
}

Members AllMembers() {
    Members members{{"_", appearance::Entry(&Create)}};
    AddBevelButtonMembers(members);
    AddUpDownArrowsMembers(members);
    AddSmallControlMembers(members);
    return members;
}
} // namespace

std::size_t appearance::CopyText(const QString& text, char* buffer, std::size_t capacity) {
    const QByteArray utf8 = text.toUtf8();
    const auto length = static_cast<std::size_t>(utf8.size());
    if (buffer && capacity > 0) {
        const std::size_t copied = length < capacity ? length : capacity - 1;
        std::memcpy(buffer, utf8.constData(), copied);
        buffer[copied] = '\0';
    }
    return length;
}

extern "C" __attribute__((visibility("default"))) void* AppearanceControlsLookup(const char* name) {
    static const Members members = AllMembers();
    for (const auto& member : members)
        if (name && member.name == name) return member.entry;
    return nullptr;
}
