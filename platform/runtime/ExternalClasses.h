#pragma once

// Classes that the framework registers for every program during start-up: its exception
// classes, and the entry points of the plug-in controls.

#include "runtime/ClassRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Declares and builds the records of the framework's exception classes.
void RuntimeInitExternalClasses();

// The plug-in entry points: a table filled once at start-up by looking each name up.
// "BevelButton.Icon.Set" is the operation "Icon.Set" of the class record "BevelButton"; the
// name "_", which holds the table's first place, is a placeholder that stands for no
// control and refuses when called. The table keeps its own copy of every operation, so it
// stays sound after the class records have been released at shut-down.
class PluginEntryPoints {
public:
    static PluginEntryPoints& instance();

    // Looks every name up, in order. A name that resolves to no operation is an error
    // (BindingError, naming it); the table is then left empty.
    void fill(const std::vector<std::string>& names);

    std::size_t size() const { return entries_.size(); }
    const std::string& name(std::size_t index) const { return names_.at(index); }
    const Operation& entry(std::size_t index) const { return entries_.at(index); }
    // The entry of that name, or null when the table has none.
    const Operation* find(std::string_view name) const;
    void clear();

private:
    std::vector<std::string> names_;
    std::vector<Operation> entries_;
};

} // namespace platform
