#pragma once
// The runtime's entry points that start-up and shutdown call, in their order of use.

#include "shell/framework/core/exceptions.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Object;

// Sets up the run time: the clock, the timer queue's waker, the class records of the
// framework's own classes.
void RuntimeInit();

// The exception-handling entry point: calls `routine(argument)`; returns nullptr when it
// returns normally and the exception when it raised a RuntimeException (anything else
// propagates). The framework runs every event handler through it.
using ExceptionHelper = std::exception_ptr (*)(void (*routine)(void*), void* argument);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Runs `handler` through the installed helper; a RuntimeException that escapes it is
// reported (stderr with its class name, and one message box at a time) and the caller
// goes on. Any other exception is reported the same way.
void RuntimeDispatch(const std::function<void()>& handler);
// Reports an exception as RuntimeDispatch does: stderr always, a message box unless one
// is already open.
void RuntimeReportException(const std::exception_ptr& exception);

// Static initialisers and finalizers, run in registration order by the two passes.
void RuntimeRegisterInitializer(std::string name, std::function<void()> initializer);
void RuntimeRegisterFinalizer(std::string name, std::function<void()> finalizer);
void RuntimePerformInitializers();
void RuntimePerformFinalizers();
// Names of the finalizers in the order they ran (for the shutdown trace).
const std::vector<std::string>& RuntimeFinalizersRun();

// The version the program is written for; recorded, it selects nothing.
void RuntimeDeclareVersion(double version);
void RuntimeInitExternalClasses();
void ResolvePluginClasses();

// The application object, held by the framework for the rest of the run.
void RuntimeRegisterAppObject(std::shared_ptr<Object> app);
std::shared_ptr<Object> getAppObject();

// File types as the framework keeps them.
struct RegisteredFileType {
    std::string name, mac_creator, mac_type, extensions, uti;
};
void RuntimeRegisterFileType(const std::string& name, const std::string& mac_creator,
                             const std::string& mac_type, const std::string& extensions,
                             const std::string& uti);
void RuntimeDeregisterFileType(const std::string& name);
const std::vector<RegisteredFileType>& RuntimeRegisteredFileTypes();

// The late start-up hook, called once while the framework finishes its initialisation.
void RunFrameworkInitialization(void (*late_startup)());

// Asks the application to quit: records the code and tells the event loop, which ends
// once the current handler has run to its end (gui/event_loop.h).
void Quit(int32_t code = 0);
// How a running event loop hears of a Quit; none is set while no loop runs.
void RuntimeSetQuitHandler(std::function<void()> handler);
// The exit status: the code of the last Quit (0 when none was made).
int32_t RuntimeExit();

// Tests: the run time as a new process has it, before RuntimeInit: no registries, class
// records, exception helper, application object or quit code; the system clock and no
// message-box presenter.
void RuntimeResetForTesting();
