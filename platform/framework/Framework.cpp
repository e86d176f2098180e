#include "framework/Framework.h"

#include "dialogs/SelectFolderDialog.h"
#include "files/FolderItem.h"
#include "menus/MenuBar.h"
#include "runtime/Application.h"
#include "ui/Controls.h"
#include "ui/Keyboard.h"
#include "ui/Window.h"

namespace platform {

namespace {

void declare(const char* name, const char* superclass, std::function<std::vector<Operation>()> operations = {})
{
    ClassRegistry::instance().declare(ClassDefinition{name, superclass, std::move(operations)});
}

} // namespace

void initializeFrameworkClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    if (registry.find("Object"))
        return;
    declare("Object", "");
    declare("Application", "Object", &Application::operations);
    declare("Window", "Object", &Window::operations);
    declare(FolderItem::kClassName, "Object");
    declare(SelectFolderDialog::kClassName, "Object", &SelectFolderDialog::operations);
    declare("MenuItem", "Object", &MenuItem::operations);
    declare("AppleMenuItem", "MenuItem");
    declare("MenuBar", "MenuItem", &MenuBar::operations);
    declareControlClasses();
    for (const char* name : {"Object", "Application", "Window", FolderItem::kClassName, SelectFolderDialog::kClassName, "MenuItem",
                             "AppleMenuItem", "MenuBar"})
        registry.build(name);
    buildControlClasses();
    Keyboard::startWatching();
}

void releaseFrameworkLists()
{
    releaseWindowLists();
    ClassRegistry::instance().clear();
}

} // namespace platform
