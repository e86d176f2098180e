#include "framework/Framework.h"

#include "dialogs/SelectFolderDialog.h"
#include "files/FolderItem.h"
#include "menus/MenuBar.h"
#include "runtime/Application.h"
#include "sound/Sound.h"
#include "ui/Controls.h"
#include "ui/Keyboard.h"
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
    // The framework's own classes, built in this order once all are declared.
    struct FrameworkClass {
        const char* name;
        const char* superclass;
        std::function<std::vector<Operation>()> operations;
    };
    const FrameworkClass classes[] = {
        {"Object", "", {}},
        {"Application", "Object", &Application::operations},
        {"Window", "Object", &Window::operations},
        {FolderItem::kClassName, "Object", {}},
        {Sound::kClassName, "Object", {}},
        {SelectFolderDialog::kClassName, "Object", &SelectFolderDialog::operations},
        {"MenuItem", "Object", &MenuItem::operations},
        {"AppleMenuItem", "MenuItem", {}},
        {"MenuBar", "MenuItem", &MenuBar::operations},
    };
    for (const FrameworkClass& frameworkClass : classes)
        declare(frameworkClass.name, frameworkClass.superclass, frameworkClass.operations);
    registerDescriptionLayout(Window::propertyTable().layout());
    declareControlClasses();
    declareForeignPluginControls();
    for (const FrameworkClass& frameworkClass : classes)
        registry.build(frameworkClass.name);
    buildControlClasses();
    for (const char* name : {"Placard", "DisclosureTriangle", "ImageWell"})
        registry.build(name);
    Keyboard::startWatching();
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
