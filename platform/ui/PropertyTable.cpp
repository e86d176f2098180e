#include "ui/PropertyTable.h"

#include <stdexcept>
#include <string>

namespace platform {

namespace {

const PropertyEntry* findIn(const std::vector<PropertyEntry>& entries, std::string_view key)
{
    for (const PropertyEntry& entry : entries)
        if (entry.layout.key == key)
            return &entry;
    return nullptr;
}

} // namespace

PropertyTable::PropertyTable(std::string_view className, std::string_view textKey,
                             const std::vector<PropertyEntry>& shared, const std::vector<TableLine>& lines)
    : className_(className), textKey_(textKey)
{
    for (const TableLine& line : lines) {
        const PropertyEntry* entry = line.entry ? &*line.entry : findIn(shared, line.sharedKey);
        if (!entry)
            throw std::logic_error("The table of " + std::string(className) + " names \"" +
                                   std::string(line.sharedKey) + "\", which is no shared key.");
        if (!entry->apply && entry->noEffect.empty())
            throw std::logic_error("The table of " + std::string(className) + " gives \"" +
                                   std::string(entry->layout.key) + "\" neither an effect nor a reason.");
        if (find(entry->layout.key))
            throw std::logic_error("The table of " + std::string(className) + " has \"" +
                                   std::string(entry->layout.key) + "\" twice.");
        entries_.push_back(*entry);
    }
}

const PropertyEntry* PropertyTable::find(std::string_view key) const { return findIn(entries_, key); }

ClassLayout PropertyTable::layout() const
{
    ClassLayout layout{std::string(className_), {}, textKey_};
    for (const PropertyEntry& entry : entries_)
        layout.keys.push_back(entry.layout);
    return layout;
}

} // namespace platform
