#include "info/aboutWin.h"
#include "info/infoWin.h"

namespace parvolin {

namespace {

std::vector<platform::Operation> notYetBuilt(const char* window, std::initializer_list<std::pair<const char*, const char*>> operations)
{
    std::vector<platform::Operation> table;
    for (const auto& [name, signature] : operations)
        table.push_back(platform::declaredOnly(name, signature, std::string(window) + " is not part of this build yet.",
                                               std::string_view(name) == "_CreateControls0"));
    return table;
}

} // namespace

platform::ClassDefinition aboutWin::classDefinition()
{
    return {kClassName, "Window", [] {
                return notYetBuilt("the About window",
                                   {{"Layout", "(  )"},
                                    {"CreateControls", "(  )"},
                                    {"_CreateControls0", "(  )"},
                                    {"Canvas1_MouseEnter", "(  )"},
                                    {"Canvas1_MouseExit", "(  )"},
                                    {"PushButton1_Action", "(  )"},
                                    {"StaticText4_MouseDown", "( Int32, Int32 ) as Boolean"},
                                    {"StaticText4_MouseEnter", "(  )"},
                                    {"StaticText4_MouseExit", "(  )"},
                                    {"StaticText5_MouseDown", "( Int32, Int32 ) as Boolean"},
                                    {"StaticText5_MouseEnter", "(  )"},
                                    {"StaticText5_MouseExit", "(  )"},
                                    {"BevelButton1_Action", "(  )"}});
            }};
}

platform::ClassDefinition infoWin::classDefinition()
{
    return {kClassName, "Window", [] {
                return notYetBuilt("the help window", {{"Layout", "(  )"},
                                                       {"CreateControls", "(  )"},
                                                       {"_CreateControls0", "(  )"},
                                                       {"PushButton1_Action", "(  )"}});
            }};
}

} // namespace parvolin
