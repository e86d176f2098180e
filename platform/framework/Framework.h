#pragma once

// The framework as a whole: its classes, and its lists released at shut-down.

namespace platform {

// Declares and builds the class records of the framework's own classes and starts watching
// the keyboard (once; later calls do nothing).
void initializeFrameworkClasses();

// The framework's module-level exits, in this order: the list of implicit windows, the
// list of windows waiting to be redrawn, the list of windows, then the type information.
void releaseFrameworkLists();

} // namespace platform
