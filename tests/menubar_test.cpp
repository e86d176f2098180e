// The menu bar: its tree, its single instance, and where its commands go.

#include "TestSupport.h"
#include "menus/MenuBar.h"
#include "ui/MenuCommands.h"
#include "runtime/Application.h"
#include "runtime/EventLoop.h"
#include "ui/Window.h"
#include "shell/App.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace platform;
using parvolin::MenuBar1;

namespace {

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override { parvolin::initializeClassRecords(); }
    void TearDown() override
    {
        MenuBar1::releaseInstance();
        releaseWindowLists();
    }
};

std::vector<std::string> describe(const MenuItem& parent)
{
    std::vector<std::string> rows;
    for (const Ref<MenuItem>& item : parent.children()) {
        rows.push_back(item->Name().bytes() + "|" + item->Text().bytes() + "|" + item->KeyboardShortcut().bytes() +
                       (item->AutoEnable() ? "|auto" : "|manual"));
        for (const std::string& child : describe(*item))
            rows.push_back("  " + child);
    }
    return rows;
}

// A window class with a window-level handler, standing in for the main window.
class CommandWindow : public Window {
public:
    static constexpr const char* kClassName = "CommandWindow.CommandWindow";
    bool about()
    {
        ++abouts;
        return false;
    }
    int abouts = 0;
};

} // namespace

TEST_F(MenuBarTest, BuildsEditAndInfoOnceWithTheirItemsInOrder)
{
    const Ref<MenuBar1> bar = MenuBar1::instance();
    EXPECT_EQ(MenuBar1::instance().get(), bar.get());
    EXPECT_EQ(describe(*bar), (std::vector<std::string>{
                                  "EditMenu|Edit||auto",
                                  "  EditCopy|Copy|Cmd+C|auto",
                                  "  AppleAbout|About Parvolin...|Cmd+I|auto",
                                  "Info|Info||auto",
                                  "  infoHelp|Help...||auto",
                              }));
    EXPECT_TRUE(RuntimeCheckCast<AppleMenuItem>(bar->Lookup(Text("AppleAbout"))));
    EXPECT_FALSE(bar->Lookup(Text("UntitledMenu0")));
    EXPECT_TRUE(bar->Name().empty());

    MenuBar1::releaseInstance();
    EXPECT_FALSE(MenuBar1::exists());
    MenuBar1::releaseInstance(); // a second release does nothing
    EXPECT_NE(MenuBar1::instance().get(), nullptr);
}

TEST_F(MenuBarTest, ClassRecordPutsItsConstructorInTheInheritedSlot)
{
    const ClassRecord& record = ClassRegistry::instance().record("MenuBar1.MenuBar1");
    const auto& ops = record.operations();
    ASSERT_EQ(ops.size(), 25u);
    EXPECT_EQ(ops[20].name, "Constructor");
    EXPECT_EQ(ops[20].signature, "(  )");
    EXPECT_EQ(ops[21].name, "_InstallClone");
    EXPECT_EQ(ops[23].name, "Untitled2");
    EXPECT_EQ(ops[24].name, "Untitled3");
    // The slot holds the bar's own constructor, which builds the menus.
    auto bar = RuntimeNewObject<MenuBar1>();
    ops[20].body(*bar, {});
    EXPECT_EQ(bar->Count(), 2);
}

TEST_F(MenuBarTest, ShortcutsUseCtrlForTheCommandKey)
{
    EXPECT_EQ(shortcutFromText(Text("Cmd+C")), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(shortcutFromText(Text("Cmd+I")), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_TRUE(shortcutFromText(Text("")).isEmpty());

    auto window = RuntimeNewObject<Window>();
    window->Constructor();
    window->setMenuBar(MenuBar1::instance());
    QMenuBar* bar = window->widget()->menuBar();
    ASSERT_EQ(bar->actions().size(), 2);
    const QList<QAction*> edit = bar->actions()[0]->menu()->actions();
    ASSERT_EQ(edit.size(), 2);
    EXPECT_EQ(edit[0]->text(), "Copy");
    EXPECT_EQ(edit[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(edit[1]->text(), "About Parvolin...");
    EXPECT_EQ(edit[1]->objectName(), "AppleAbout");
    EXPECT_EQ(bar->actions()[1]->menu()->actions()[0]->text(), "Help...");
    window->Close();
}

TEST_F(MenuBarTest, CommandsGoToTheWindowFirstThenToTheApplication)
{
    testsupport::ReportCatcher reports;
    auto& registry = ClassRegistry::instance();
    if (!registry.isDeclared(CommandWindow::kClassName))
        registry.declare({CommandWindow::kClassName, "Window",
                          [] { return std::vector<Operation>{method<&CommandWindow::about>("_AppleAbout_Action")}; }});
    registry.build(CommandWindow::kClassName);
    auto window = RuntimeNewObject<CommandWindow>();
    window->Constructor();
    window->setMenuBar(MenuBar1::instance());
    window->AddMenuHandler("AppleAbout", delegateForMethod(Ref<Object>(window), "_AppleAbout_Action",
                                                           "(  ) as Boolean", "test"));

    auto app = RuntimeNewObject<parvolin::App>();
    RuntimeRegisterAppObject(app);
    parvolin::applicationAddMenuHandlers();

    EXPECT_TRUE(dispatchMenuCommand(Text("AppleAbout"), window));
    EXPECT_EQ(window->abouts, 1);
    EXPECT_TRUE(dispatchMenuCommand(Text("infoHelp"), window));  // application level
    EXPECT_TRUE(dispatchMenuCommand(Text("infoHelp"), nullptr)); // whatever window is in front
    EXPECT_FALSE(dispatchMenuCommand(Text("EditCopy"), window)); // nothing of the program's own
    EXPECT_TRUE(reports.reports().empty());

    // "Copy" without a handler copies the selection of the focused text field.
    window->widget()->show();
    auto* field = new QLineEdit(QStringLiteral("F00 song"), window->content());
    field->show();
    field->setFocus();
    QApplication::setActiveWindow(window->widget());
    field->selectAll();
    if (QApplication::focusWidget() == field) {
        EXPECT_TRUE(dispatchMenuCommand(Text("EditCopy"), window));
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("F00 song"));
    }
    window->Close();
    RuntimeExit();
    RuntimeInit("Parvolin");
}
