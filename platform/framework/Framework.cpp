#include "framework/Framework.h"

#include "files/FolderItem.h"
#include "menus/MenuBar.h"
#include "runtime/Application.h"
#include "sound/Sound.h"
#include "ui/Controls.h"
#include "ui/Window.h"

namespace platform {

namespace {

void declare(const char* name, const char* superclass, std::function<std::vector<Operation>()> operations = {})
{
    ClassRegistry::instance().declare(ClassDefinition{name, superclass, std::move(operations)});
}

// Plug-in controls that the plug-in table names but that no window here can make: their
// operations are listed so that the table's names resolve, and refuse when called.
void declareForeignPluginControls()
{
    declare("Placard", RectControl::kClassName, [] {
        return std::vector<Operation>{
            declaredOnly("Value.Set", "( Int32 )", "this framework makes no placards, so none can be set."),
        };
    });
    declare("DisclosureTriangle", RectControl::kClassName, [] {
        return std::vector<Operation>{
            declaredOnly("Value.Set", "( Boolean )", "this framework makes no disclosure triangles, so none can be set."),
        };
    });
    declare("ImageWell", RectControl::kClassName, [] {
        return std::vector<Operation>{
            declaredOnly("Image.Set", "( Picture )", "this framework makes no image wells, so none can be given a picture."),
        };
    });
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
    declare(Sound::kClassName, "Object");
    registerDescriptionLayout(Window::propertyTable().layout());
    declare("MenuItem", "Object", &MenuItem::operations);
    declare("AppleMenuItem", "MenuItem");
    declare("MenuBar", "MenuItem", &MenuBar::operations);
    declareControlClasses();
    declareForeignPluginControls();
    for (const char* name : {"Object", "Application", "Window", FolderItem::kClassName, Sound::kClassName, "MenuItem", "AppleMenuItem", "MenuBar"})
        registry.build(name);
    buildControlClasses();
    for (const char* name : {"Placard", "DisclosureTriangle", "ImageWell"})
        registry.build(name);
}

void releaseFrameworkLists()
{
    releaseImplicitWindowList();
    releaseRedrawList();
    releaseWindowList();
    // The type information: the declared classes, their records and their build order.
    ClassRegistry::instance().clear();
    clearDescriptionLayouts();
}

} // namespace platform
