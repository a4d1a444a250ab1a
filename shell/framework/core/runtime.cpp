// The runtime's registries, its exception handling and the quit request; the event loop
// that serves them is gui/event_loop.cpp.
#include "shell/framework/core/runtime.h"

#include "shell/framework/core/clock.h"
#include "shell/framework/core/msg_box.h"
#include "shell/framework/core/object.h"
#include "shell/framework/core/timer_queue.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {
struct Registered {
    std::string name;
    std::function<void()> run;
};

struct Runtime {
    ExceptionHelper exception_helper = nullptr;
    std::vector<Registered> initializers, finalizers;
    std::vector<std::string> finalizers_run;
    std::shared_ptr<Object> app;
    std::function<void()> quit_handler;
    int32_t exit_code = 0;
    std::vector<RegisteredFileType> file_types;
    double declared_version = 0;
    bool reporting = false;
};

// Never destroyed: statics of the program that outlive main (a registered file type)
// still reach it while the process exits.
Runtime& State() {
    static auto* runtime = new Runtime;
    return *runtime;
}

void RegisterFrameworkClasses() {
    for (const char* name : {"Object", "Application", "Window", "Control", "MenuItem", "FileType",
                             "FolderItem", "Sound", "Date", "RuntimeException"})
        RuntimeRegisterClass({name, std::string(name) == "Object" ? "" : "Object"});
    for (const char* name : {"Timer", "RectControl"})
        RuntimeRegisterClass({name, "Control"});
    for (const char* name : {"PushButton", "Label", "TextField", "GroupBox", "BevelButton",
                             "UpDownArrows", "ProgressWheel"})
        RuntimeRegisterClass({name, "RectControl"});
    for (const char* name : {"MenuBar", "QuitMenuItem"})
        RuntimeRegisterClass({name, "MenuItem"});
    for (const char* name : {"NilObjectException", "IOException"})
        RuntimeRegisterClass({name, "RuntimeException"});
}

void RunHandler(void* handler) {
    (*static_cast<const std::function<void()>*>(handler))();
}

std::string Describe(const std::exception_ptr& exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        std::string what = e.what();
        return e.ClassName() + (what.empty() ? "" : ": " + what);
    } catch (const std::exception& e) {
        return std::string("std::exception: ") + e.what();
    } catch (...) {
        return "unknown exception";
    }
}
} // namespace

void RuntimeInit() {
    RegisterFrameworkClasses();
    InstallTimerQueueWaker();
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
    State().exception_helper = helper;
}

void RuntimeReportException(const std::exception_ptr& exception) {
    const std::string description = Describe(exception);
    std::fprintf(stderr, "Dorvane2: unhandled exception %s\n", description.c_str());
    // The box is modal and runs a nested loop: further reports only go to stderr.
    if (State().reporting) return;
    State().reporting = true;
    try {
        MsgBox("予期しないエラーが発生しました。\n" + description);
    } catch (...) {
        std::fprintf(stderr, "Dorvane2: the error message could not be shown\n");
    }
    State().reporting = false;
}

void RuntimeDispatch(const std::function<void()>& handler) {
    std::exception_ptr escaped;
    try {
        if (auto helper = State().exception_helper) {
            escaped = helper(&RunHandler, const_cast<std::function<void()>*>(&handler));
        } else {
            handler();
        }
    } catch (...) {
        escaped = std::current_exception();
    }
    if (escaped) RuntimeReportException(escaped);
}

void RuntimeRegisterInitializer(std::string name, std::function<void()> initializer) {
    State().initializers.push_back({std::move(name), std::move(initializer)});
}

void RuntimeRegisterFinalizer(std::string name, std::function<void()> finalizer) {
    State().finalizers.push_back({std::move(name), std::move(finalizer)});
}

void RuntimePerformInitializers() {
    for (const auto& initializer : State().initializers)
        initializer.run();
}

void RuntimePerformFinalizers() {
    for (const auto& finalizer : State().finalizers) {
        State().finalizers_run.push_back(finalizer.name);
        finalizer.run();
    }
}

const std::vector<std::string>& RuntimeFinalizersRun() {
    return State().finalizers_run;
}

void RuntimeDeclareVersion(double version) {
    State().declared_version = version;
}

void RuntimeInitExternalClasses() {}

void RuntimeRegisterAppObject(std::shared_ptr<Object> app) {
    State().app = std::move(app);
}

std::shared_ptr<Object> getAppObject() {
    return State().app;
}

void RuntimeRegisterFileType(const std::string& name, const std::string& mac_creator,
                             const std::string& mac_type, const std::string& extensions,
                             const std::string& uti) {
    State().file_types.push_back({name, mac_creator, mac_type, extensions, uti});
}

void RuntimeDeregisterFileType(const std::string& name) {
    auto& types = State().file_types;
    std::erase_if(types, [&](const RegisteredFileType& type) { return type.name == name; });
}

const std::vector<RegisteredFileType>& RuntimeRegisteredFileTypes() {
    return State().file_types;
}

void Quit(int32_t code) {
    State().exit_code = code;
    if (State().quit_handler) State().quit_handler();
}

void RuntimeSetQuitHandler(std::function<void()> handler) {
    State().quit_handler = std::move(handler);
}

int32_t RuntimeExit() {
    return State().exit_code;
}

void RunFrameworkInitialization(void (*late_startup)()) {
    if (late_startup) RuntimeDispatch(late_startup);
}

void RuntimeResetForTesting() {
    State() = Runtime{};
    RuntimeForgetClasses();
    InstallClock(nullptr);
    InstallMessageBoxPresenter(nullptr);
    SetRealMessageBoxPresenter(nullptr);
}
