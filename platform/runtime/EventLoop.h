#pragma once

// The run time's life: start, the framework's initialisation, the event loop and its yield
// point, the report of exceptions nobody handled, and the end.

#include "runtime/Delegate.h"

#include <exception>
#include <functional>
#include <string>

namespace platform {

// Starts the run time; the first call of the process. It takes no process argument: the
// Qt application is made from the executable's own path alone, and Qt names the program
// after its executable. Reuses a Qt application object that already exists (a test's).
void RuntimeInit();

// The program's name as Qt holds it (its executable's name): the title of its messages.
std::string RuntimeProgramName();

// Ends the run time and returns the process exit status: 0, or 1 when an exception reached
// the top level (UnhandledException) during this run.
int RuntimeExit();

bool RuntimeIsRunning();

// Initialises the framework's classes and lists, then calls the start-up callback once.
// An exception from the callback passes on to the caller.
void RunFrameworkInitialization(const Delegate& startup);

// The event loop; returns when the application quits (the main window is closed).
void RuntimeRun();
// Ends the event loop at its next turn.
void RuntimeQuit();

// The yield point: pending events run here (timers, clicks, keys, redraws).
void RuntimeBackgroundTask();

// ---- Exceptions nobody handled -------------------------------------------------------------

struct ExceptionReport {
    std::string message; // plain words, for the user
    bool fatal = false;  // true when it reached the program's top level
};

// Shows the report: by default a modal message box. Tests put their own in place.
using ExceptionReporter = std::function<void(const ExceptionReport&)>;
ExceptionReporter setExceptionReporter(ExceptionReporter reporter);

// The report of an exception that reached the program's top level; the exit status becomes 1.
void UnhandledException(std::exception_ptr exception);

// The report of an exception that left an event handler, a timer's action or a menu
// handler: the user is told and the program goes on with the next event.
void ReportHandlerException(std::exception_ptr exception, const std::string& where);

// Runs an event's handler with the report around it; returns the handler's result, or the
// fallback when it threw.
Value dispatchGuarded(const std::string& where, const std::function<Value()>& handler, Value fallback = {});

std::string describeException(std::exception_ptr exception);

// The slot that holds the application object (see Application.h); emptied by RuntimeExit.
Ref<Object>& applicationObjectSlot();

} // namespace platform
