#include "shell/Startup.h"

#include "browser/Window1.h"
#include "browser/Window2.h"
#include "info/aboutWin.h"
#include "info/infoWin.h"
#include "menubar/MenuBar1.h"
#include "shell/App.h"

#include "framework/Framework.h"
#include "runtime/Runtime.h"

namespace parvolin {

// Of these controls the program uses only the bevel button, on the About window.
const std::vector<std::string>& pluginEntryPointNames()
{
    static const std::vector<std::string> names{
        "_",
        "BevelButton.DeleteAllRows",
        "BevelButton.AddRow",
        "BevelButton.AddSeparator",
        "BevelButton.InsertRow",
        "BevelButton.List",
        "BevelButton.Caption.Get",
        "BevelButton.Caption.Set",
        "BevelButton.CaptionAlign.Set",
        "BevelButton.CaptionPlacement.Set",
        "BevelButton.CaptionDelta.Set",
        "BevelButton.Icon.Set",
        "BevelButton.IconAlign.Set",
        "BevelButton.IconDX.Set",
        "BevelButton.IconDY.Set",
        "BevelButton.Bevel.Set",
        "BevelButton.HasMenu.Set",
        "BevelButton.MenuValue.Get",
        "BevelButton.MenuValue.Set",
        "BevelButton.Value.Get",
        "BevelButton.Value.Set",
        "BevelButton.TextColor.Set",
        "BevelButton.TextFont.Set",
        "Placard.Value.Set",
        "DisclosureTriangle.Value.Set",
        "ImageWell.Image.Set",
    };
    return names;
}

void initializeClassRecords()
{
    platform::initializeFrameworkClasses();
    platform::ClassRegistry& registry = platform::ClassRegistry::instance();
    const platform::ClassDefinition program[] = {
        App::classDefinition(),     Window1::classDefinition(), Window1::timerClassDefinition("Window1.Timer1"),
        Window1::timerClassDefinition("Window1.Timer2"), Window2::classDefinition(), aboutWin::classDefinition(),
        infoWin::classDefinition(), MenuBar1::classDefinition(),
    };
    for (const platform::ClassDefinition& definition : program)
        if (!registry.isDeclared(definition.name))
            registry.declare(definition);
    for (const platform::ClassDefinition& definition : program)
        registry.build(definition.name);
}

void initFileTypes()
{
    // Parvolin opens no documents, so it registers no file types.
}

void newAppInstance()
{
    platform::RuntimeRegisterAppObject(platform::RuntimeNewObject<App>());
}

void applicationAddMenuHandlers()
{
    const platform::Ref<App> application = App::instance();
    application->AddMenuHandler("infoHelp", platform::menuHandlerDelegate(platform::Ref<platform::Object>(App::instance()),
                                                                          "infoHelp", "_infoHelp_Action"));
}

void makeDefaultView()
{
    // Referring to the main window builds and opens it; the reference is dropped at once.
    (void)Window1::instance();
}

void startup()
{
    platform::RuntimeInitExternalClasses();
    platform::PluginEntryPoints::instance().fill(pluginEntryPointNames());
    initFileTypes();
    newAppInstance();
    applicationAddMenuHandlers();
    makeDefaultView();
}

void runMain()
{
    try {
        platform::Delegate callback =
            platform::RuntimeCreateDelegate(platform::Invoker::Invoke, "_Startup", &startup, "(  )");
        platform::RunFrameworkInitialization(callback);
        callback = platform::Delegate();
        platform::RuntimeRun();
    } catch (...) {
        platform::UnhandledException(std::current_exception());
    }
}

void finalizeModules()
{
    platform::releaseFrameworkLists();
    MenuBar1::releaseInstance();
}

int processEntry()
{
    platform::RuntimeInit();
    initializeClassRecords();
    runMain();
    finalizeModules();
    return platform::RuntimeExit();
}

} // namespace parvolin
