#pragma once
// The C interface between the appearance-controls module and the framework's glue.
// The module exports one function, AppearanceControlsLookup, that finds a member by
// its name; each member is one of the plain function types below. Widgets cross as
// void* (a QWidget*); text crosses as UTF-8.

#include <cstddef>
#include <cstdint>

// The module's one exported symbol.
#define APPEARANCE_CONTROLS_LOOKUP "AppearanceControlsLookup"
using AppearanceLookup = void* (*)(const char* name);

// Events the module raises into the glue.
enum AppearanceEvent : int32_t {
    kAppearanceAction = 1, // argument: the chosen row (bevel button), else 0
    kAppearanceUp = 2,
    kAppearanceDown = 3,
};
using AppearanceEventCallback = void (*)(void* context, int32_t event, int32_t argument);

// "_": creates the widget of a plug-in class ("BevelButton", "UpDownArrows", …) under
// `parent` (may be null); nullptr for an unknown class. The widget calls `callback`
// with `context` for each event it raises.
using AppearanceFactory = void* (*)(const char* class_name, void* parent,
                                    AppearanceEventCallback callback, void* context);

// Members of a widget.
using AppearanceMethod = void (*)(void* widget);
using AppearanceIntMethod = void (*)(void* widget, int32_t value);
using AppearanceTextMethod = void (*)(void* widget, const char* text);
using AppearanceIntTextMethod = void (*)(void* widget, int32_t index, const char* text);
using AppearanceIntFunction = int32_t (*)(void* widget);
// Text results: writes at most `capacity` bytes including a terminating NUL and returns
// the whole text's length in bytes (as snprintf does).
using AppearanceTextFunction = std::size_t (*)(void* widget, char* buffer, std::size_t capacity);
using AppearanceIndexTextFunction = std::size_t (*)(void* widget, int32_t index, char* buffer,
                                                    std::size_t capacity);

// Property accessors.
using AppearanceGetInt = int32_t (*)(void* widget);
using AppearanceSetInt = void (*)(void* widget, int32_t value);
using AppearanceGetBool = bool (*)(void* widget);
using AppearanceSetBool = void (*)(void* widget, bool value);
using AppearanceGetDouble = double (*)(void* widget);
using AppearanceSetDouble = void (*)(void* widget, double value);
using AppearanceGetColor = uint32_t (*)(void* widget); // 0xRRGGBB
using AppearanceSetColor = void (*)(void* widget, uint32_t rgb);
using AppearanceGetText = AppearanceTextFunction;
using AppearanceSetText = AppearanceTextMethod;
