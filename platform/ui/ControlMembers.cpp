#include "ui/ControlMembers.h"

#include "ui/Window.h"

namespace platform {

std::vector<Operation> controlMembers(const std::vector<ControlTableRow>& rows)
{
    std::vector<Operation> members;
    members.reserve(rows.size());
    for (const ControlTableRow& row : rows) {
        const std::string name(row.name);
        // A timer yields itself as its generated class ("Window1.Timer1").
        const std::string_view type = row.generatedClass.empty() ? row.className : row.generatedClass;
        members.push_back(operation(name, "(  ) as " + std::string(type),
                                    [name](Object& self, const Arguments&) -> Value {
                                        auto* window = dynamic_cast<Window*>(&self);
                                        if (!window)
                                            throw IllegalCastException("A window's control member was asked of "
                                                                       "an object that is not a window.");
                                        return Ref<Object>(window->controlByName(name));
                                    }));
    }
    return members;
}

std::vector<Operation> withControlMembers(std::vector<Operation> operations, const std::vector<ControlTableRow>& rows)
{
    for (Operation& member : controlMembers(rows))
        operations.push_back(std::move(member));
    return operations;
}

} // namespace platform
