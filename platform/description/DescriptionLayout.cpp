#include "description/DescriptionLayout.h"

#include "runtime/Exceptions.h"

#include <map>

namespace platform {

namespace {

struct Registered {
    ClassLayout layout;
    std::vector<std::string_view> keyNames;
};

std::map<std::string, Registered, std::less<>>& layouts()
{
    static std::map<std::string, Registered, std::less<>> registered;
    return registered;
}

const Registered& registered(std::string_view className)
{
    const auto found = layouts().find(className);
    if (found == layouts().end())
        throw DescriptionError("There is no description layout for the class \"" + std::string(className) + "\".");
    return found->second;
}

} // namespace

const KeyLayout* ClassLayout::find(std::string_view key) const
{
    for (const KeyLayout& layout : keys)
        if (layout.key == key)
            return &layout;
    return nullptr;
}

void registerDescriptionLayout(ClassLayout layout)
{
    Registered entry{std::move(layout), {}};
    for (const KeyLayout& key : entry.layout.keys)
        entry.keyNames.push_back(key.key);
    const std::string name = entry.layout.className;
    layouts().insert_or_assign(name, std::move(entry));
}

const ClassLayout& descriptionLayout(std::string_view className) { return registered(className).layout; }

const std::vector<std::string_view>& descriptionKeys(std::string_view className)
{
    return registered(className).keyNames;
}

std::vector<const ClassLayout*> descriptionLayouts()
{
    std::vector<const ClassLayout*> all;
    for (const auto& [name, entry] : layouts())
        all.push_back(&entry.layout);
    return all;
}

void clearDescriptionLayouts() { layouts().clear(); }

} // namespace platform
