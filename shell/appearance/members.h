#pragma once
// The module's members as plain functions: each accessor of a widget class becomes a
// C-callable entry that takes the widget as void*.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

struct Member {
    std::string name;
    void* entry;
};
using Members = std::vector<Member>;

namespace appearance {

template <class M> struct GetterOf;
template <class W, class R> struct GetterOf<R (W::*)() const> {
    using Widget = W;
    using Result = R;
};
template <class M> struct SetterOf;
template <class W, class A> struct SetterOf<void (W::*)(A)> {
    using Widget = W;
    using Arg = A;
};

// Copies UTF-8 text into a caller's buffer; returns the whole length (snprintf-style).
std::size_t CopyText(const QString& text, char* buffer, std::size_t capacity);

template <auto Get> auto Read(void* widget) {
    using G = GetterOf<decltype(Get)>;
    return (static_cast<typename G::Widget*>(widget)->*Get)();
}
template <auto Get> std::size_t ReadText(void* widget, char* buffer, std::size_t capacity) {
    return CopyText(Read<Get>(widget), buffer, capacity);
}
template <auto Set> void Write(void* widget, typename SetterOf<decltype(Set)>::Arg value) {
    (static_cast<typename SetterOf<decltype(Set)>::Widget*>(widget)->*Set)(value);
}
template <auto Set> void WriteText(void* widget, const char* text) {
    (static_cast<typename SetterOf<decltype(Set)>::Widget*>(widget)->*Set)(QString::fromUtf8(text));
}

template <class F> void* Entry(F* function) {
    return reinterpret_cast<void*>(function);
}

// Adds "<name>.Get" and "<name>.Set".
template <auto Get, auto Set> void AddProperty(Members& members, const std::string& name) {
    if constexpr (std::is_same_v<typename GetterOf<decltype(Get)>::Result, QString>) {
        members.push_back({name + ".Get", Entry(&ReadText<Get>)});
        members.push_back({name + ".Set", Entry(&WriteText<Set>)});
    } else {
        members.push_back({name + ".Get", Entry(&Read<Get>)});
        members.push_back({name + ".Set", Entry(&Write<Set>)});
    }
}

} // namespace appearance

// Each control's members, in the order of the framework's entry table.
void AddBevelButtonMembers(Members& members);
void AddUpDownArrowsMembers(Members& members);
void AddSmallControlMembers(Members& members);
