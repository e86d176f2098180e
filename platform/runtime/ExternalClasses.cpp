#include "runtime/ExternalClasses.h"

namespace platform {

void RuntimeInitExternalClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    const std::pair<const char*, const char*> classes[] = {
        {"RuntimeException", "Object"},        {"NilObjectException", "RuntimeException"},
        {"IllegalCastException", "RuntimeException"}, {"BindingError", "RuntimeException"},
        {"DescriptionError", "RuntimeException"}, {"UnsupportedOperation", "RuntimeException"},
    };
    for (const auto& [name, superclass] : classes) {
        if (!registry.isDeclared(name))
            registry.declare(ClassDefinition{name, superclass, {}});
        registry.build(name);
    }
}

PluginEntryPoints& PluginEntryPoints::instance()
{
    static PluginEntryPoints table;
    return table;
}

namespace {

const Operation* resolve(const std::string& name)
{
    static const Operation placeholder =
        declaredOnly("_", "(  )", "the first place of the plug-in table is a placeholder that stands for no control.");
    if (name == "_")
        return &placeholder;
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0)
        return nullptr;
    const ClassRecord* record = ClassRegistry::instance().find(std::string_view(name).substr(0, dot));
    return record ? record->find(std::string_view(name).substr(dot + 1)) : nullptr;
}

} // namespace

void PluginEntryPoints::fill(const std::vector<std::string>& names)
{
    std::vector<Operation> entries;
    entries.reserve(names.size());
    for (const std::string& name : names) {
        const Operation* found = resolve(name);
        if (!found || !found->body) {
            clear();
            throw BindingError("The plug-in entry point \"" + name + "\" names no operation of the framework.");
        }
        entries.push_back(*found);
    }
    names_ = names;
    entries_ = std::move(entries);
}

const Operation* PluginEntryPoints::find(std::string_view name) const
{
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return &entries_[i];
    return nullptr;
}

void PluginEntryPoints::clear()
{
    names_.clear();
    entries_.clear();
}

} // namespace platform
