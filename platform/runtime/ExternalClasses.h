#pragma once

// Classes that the framework registers for every program during start-up: its exception
// classes, and the entry points of the plug-in controls.

#include "runtime/ClassRecord.h"

#include <string>
#include <vector>

namespace platform {

// Declares and builds the records of the framework's exception classes.
void RuntimeInitExternalClasses();

// The plug-in entry points, looked up by name ("BevelButton.Icon.Set": class record
// BevelButton, operation "Icon.Set"). A name that no class offers leaves its entry empty.
class PluginEntryPoints {
public:
    static PluginEntryPoints& instance();
    void fill(const std::vector<std::string>& names);
    std::size_t size() const { return entries_.size(); }
    const std::string& name(std::size_t index) const { return names_.at(index); }
    // The operation behind an entry, or null when nothing offers it.
    const Operation* entry(std::size_t index) const { return entries_.at(index); }
    void clear();

private:
    std::vector<std::string> names_;
    std::vector<const Operation*> entries_;
};

} // namespace platform
