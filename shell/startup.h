#pragma once
// The process from its entry to its exit: start-up steps in their order, the
// module-level statics' initialisers and finalizers, and shutdown.

#include <exception>

// main's whole body: set-up, start-up, the event loop, the finalizers; the exit status.
int RunProgram();

// Registers the class records and the statics' initialisers and finalizers.
void RegisterProgram();
void Main();
void EarlyStartup();
void InitPluginEntrypoints();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
// The exception-handling entry point handed to the framework.
std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void*), void* argument);
void UnhandledException(const std::exception_ptr& exception);

// Tests: every module-level static back to its start value (nil, False, no list), as a
// new process has them before RuntimePerformInitializers.
void ResetStaticsForTesting();
