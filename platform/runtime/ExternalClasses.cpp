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

void PluginEntryPoints::fill(const std::vector<std::string>& names)
{
    names_ = names;
    entries_.assign(names.size(), nullptr);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t dot = names[i].find('.');
        if (dot == std::string::npos)
            continue;
        if (const ClassRecord* record = ClassRegistry::instance().find(names[i].substr(0, dot)))
            entries_[i] = record->find(names[i].substr(dot + 1));
    }
}

void PluginEntryPoints::clear()
{
    names_.clear();
    entries_.clear();
}

} // namespace platform
