#pragma once

// The members that a window class lists for its controls: one per control, named after
// it, in creation order, yielding the window's control of that name (an empty handle when
// the window has none by that name).

#include "description/DescriptionTable.h"
#include "runtime/ClassRecord.h"

#include <vector>

namespace platform {

std::vector<Operation> controlMembers(const std::vector<ControlTableRow>& rows);

// A window class's own operations followed by its control members.
std::vector<Operation> withControlMembers(std::vector<Operation> operations, const std::vector<ControlTableRow>& rows);

} // namespace platform
