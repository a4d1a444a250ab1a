#pragma once
// The event loop and the last-resort exception handler.

#include <exception>

// Raises the application's Open event and dispatches events until a Quit; then the
// open window has been closed (its Close event ran once).
void RuntimeRun();
// The handler for an exception that escaped start-up or the event loop.
void RuntimeUnhandledException(const std::exception_ptr& exception);
