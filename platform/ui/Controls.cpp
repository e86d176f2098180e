#include "platform/ui/Controls.h"

#include "platform/runtime/ClassRecord.h"

namespace platform {

void declareControlClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    registry.declare(ClassDefinition{"Control", "Object", {}});
    registry.declare(ClassDefinition{"RectControl", "Control", {}});
}

void buildControlClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    registry.build("RectControl");
}

} // namespace platform
