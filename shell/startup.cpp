#include "shell/startup.h"

#include "alarm_window/window1.h"
#include "shell/app.h"
#include "shell/file_types.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/event_loop.h"
#include "shell/framework/gui/plugin.h"
#include "shell/main_menu_bar.h"
#include "shell/resources_folder.h"
#include "shell/sounds.h"
#include "shell/zk_module.h"

#include <iterator>

namespace {
constexpr std::size_t kPluginEntryCount = 70;
// The plug-in entry table that start-up fills.
void** plugin_entrypoints = nullptr;

// Reads a static, sets it to nil, then releases what it held.
template <class T> void Release(std::shared_ptr<T>& static_value) {
    auto held = std::move(static_value);
    static_value = nullptr;
    held.reset();
}

void RegisterClasses() {
    RuntimeRegisterClass({"App", "Application", {{"Event_Open"}, {"Constructor"}}});
    RuntimeRegisterClass(
        {"MainMenuBar", "MenuBar", {{"Constructor"}, {"Untitled0"}, {"Untitled1"}}});
    RuntimeRegisterClass({"Class_datafile",
                          "Object",
                          {{"Constructor"},
                           {"delete_file"},
                           {"get_data"},
                           {"put_data"},
                           {"get_all"},
                           {"put_all"},
                           {"add_all"},
                           {"clear_file"},
                           {"open_in", Access::Private},
                           {"close_in", Access::Private},
                           {"open_out", Access::Private},
                           {"close_out", Access::Private}}});
    RuntimeRegisterClass(Window1ClassRecord());
}

struct SoundStatic {
    const char* name;
    SoundStatics& statics;
};
const SoundStatic kSounds[] = {{"ChuToy", ChuToyStatics},       {"Glass", GlassStatics},
                               {"Purr", PurrStatics},           {"Sosumi", SosumiStatics},
                               {"Submarine", SubmarineStatics}, {"Temple", TempleStatics}};
} // namespace

void RegisterProgram() {
    RuntimeRegisterInitializer("classes", RegisterClasses);
    // Every static but the file-type list starts at its zero value.
    RuntimeRegisterInitializer("FileTypes.pAllFileTypes.__Init", [] {
        FileTypes::pAllFileTypes = std::make_shared<FileTypes::FileTypeList>();
    });
    for (const auto& sound : kSounds) {
        auto* statics = &sound.statics;
        RuntimeRegisterFinalizer(std::string(sound.name) + ".permaSound.__Exit",
                                 [statics] { Release(statics->permaSound); });
    }
    RuntimeRegisterFinalizer("FileTypes.pAllFileTypes.__Exit",
                             [] { Release(FileTypes::pAllFileTypes); });
    RuntimeRegisterFinalizer("FileTypes.pUntitled.__Exit", [] { Release(FileTypes::pUntitled); });
    RuntimeRegisterFinalizer("MainMenuBar._implicitInstance.__Exit",
                             [] { Release(MainMenuBar::_implicitInstance); });
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void*), void* argument) {
    try {
        routine(argument);
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void UnhandledException(const std::exception_ptr& exception) {
    RuntimeUnhandledException(exception);
}

void InitPluginEntrypoints() {
    RuntimeLoadPlugin("AppearanceControls.so");
    plugin_entrypoints = RuntimeAllocatePluginEntrypointsTable(kPluginEntryCount);
    for (std::size_t i = 0; i < std::size(kPluginEntryNames); ++i)
        plugin_entrypoints[i] = RuntimeLookupPluginEntrypoint(kPluginEntryNames[i]);
}

void InitFileTypes() {
    FileTypes::Initialize();
}

void NewAppInstance() {
    auto app = std::make_shared<class App>();
    app->Constructor();
    NotNil(app).SetMenuBar(MainMenuBar());
    RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {}

void LateStartup() {}

void EarlyStartup() {
    Application::SetSupportsHiDPI(true);
    RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    ResolvePluginClasses();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void Main() {
    try {
        RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
        RuntimeDeclareVersion(2018.01);
        EarlyStartup();
        RunFrameworkInitialization(&LateStartup);
        RuntimeRun();
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

int RunProgram() {
    RuntimeInit();
    RegisterProgram();
    RuntimePerformInitializers();
    Main();
    RuntimePerformFinalizers();
    return RuntimeExit();
}

void ResetStaticsForTesting() {
    for (const auto& sound : kSounds)
        sound.statics = SoundStatics{};
    FileTypes::pAllFileTypes = nullptr;
    FileTypes::pUntitled = nullptr;
    MainMenuBar::_implicitInstance = nullptr;
    zkModule::f_windowcloseing = false;
    plugin_entrypoints = nullptr;
    SetPackageChildLookupForTesting({});
}
