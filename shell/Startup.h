#pragma once

// The life of the process, from its entry to its exit status.

#include <string>
#include <vector>

namespace parvolin {

// The process entry: starts the run time, builds the class records, runs the program
// (framework initialisation with the start-up routine, then the event loop), runs the
// module-level exits and returns the run time's end as the exit status.
int processEntry();

// Builds the class records: the framework's first, then the program's in this order: App,
// Window1, Window1.Timer1, Window1.Timer2, Window2, aboutWin, infoWin, MenuBar1.
void initializeClassRecords();

// The framework's initialisation with the start-up routine as its callback, then the event
// loop; an exception out of either is reported and ends the run normally.
void runMain();

// The start-up routine's six steps; an exception ends it at once and passes on.
void startup();
void initFileTypes();
void newAppInstance();
void applicationAddMenuHandlers();
void makeDefaultView();

// The names of the plug-in controls' entry points that start-up looks up, in order.
const std::vector<std::string>& pluginEntryPointNames();

// The module-level exits: the framework's lists, then the menu bar.
void finalizeModules();

} // namespace parvolin
