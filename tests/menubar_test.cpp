// The menu bar: its tree, its single instance, and where its commands go.

#include "TestSupport.h"
#include "browser/Window1.h"
#include "menus/MenuBar.h"
#include "runtime/Application.h"
#include "runtime/EventLoop.h"
#include "shell/App.h"
#include "menubar/MenuBar1.h"
#include "shell/Startup.h"
#include "ui/MenuCommands.h"
#include "ui/Window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;
using parvolin::MenuBar1;

namespace {

// A window and an application whose menu handlers note that they ran.
class CommandWindow : public Window {
public:
    static constexpr const char* kClassName = "CommandWindow.CommandWindow";
    bool about()
    {
        heard.push_back("window About");
        return false;
    }
    std::vector<std::string> heard;
};

class CommandApp : public Application {
public:
    static constexpr const char* kClassName = "CommandApp";
    bool about()
    {
        heard.push_back("application About");
        return true;
    }
    bool help()
    {
        heard.push_back("application Help");
        return true;
    }
    std::vector<std::string> heard;
};

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parvolin::initializeClassRecords();
        auto& registry = ClassRegistry::instance();
        if (!registry.isDeclared(CommandWindow::kClassName)) {
            registry.declare({CommandWindow::kClassName, "Window", [] {
                                  return std::vector<Operation>{method<&CommandWindow::about>("_AppleAbout_Action")};
                              }});
            registry.declare({CommandApp::kClassName, "Application", [] {
                                  return std::vector<Operation>{method<&CommandApp::about>("_AppleAbout_Action"),
                                                                method<&CommandApp::help>("_infoHelp_Action")};
                              }});
        }
        registry.build(CommandWindow::kClassName);
        registry.build(CommandApp::kClassName);
    }

    void TearDown() override
    {
        MenuBar1::releaseInstance();
        releaseWindowLists();
        // Lets go of the application object; the run time goes on for the next test.
        RuntimeExit();
        RuntimeInit();
    }

    // A shown window, carrying the menu bar when asked to, that handles About itself.
    static Ref<CommandWindow> openWindow(bool withMenuBar)
    {
        auto window = RuntimeNewObject<CommandWindow>();
        window->Constructor();
        if (withMenuBar) {
            window->setMenuBar(MenuBar1::instance());
            window->AddMenuHandler("AppleAbout",
                                   menuHandlerDelegate(Ref<Object>(window), "AppleAbout", "_AppleAbout_Action"));
        }
        window->widget()->resize(300, 200);
        window->Show();
        return window;
    }

    static Ref<CommandApp> registerApplication()
    {
        auto app = RuntimeNewObject<CommandApp>();
        RuntimeRegisterAppObject(app);
        return app;
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

const std::vector<std::string> kMenus{
    "EditMenu|Edit||auto",
    "  EditCopy|Copy|Cmd+C|auto",
    "  AppleAbout|About Parvolin...|Cmd+I|auto",
    "Info|Info||auto",
    "  infoHelp|Help...||auto",
};

} // namespace

TEST_F(MenuBarTest, BuildsEditAndInfoOnceWithTheirItemsInOrder)
{
    const Ref<MenuBar1> bar = MenuBar1::instance();
    EXPECT_EQ(MenuBar1::instance().get(), bar.get());
    EXPECT_EQ(describe(*bar), kMenus);
    EXPECT_TRUE(RuntimeCheckCast<AppleMenuItem>(bar->Lookup(Text("AppleAbout"))));
    EXPECT_FALSE(bar->Lookup(Text("UntitledMenu0")));
    EXPECT_TRUE(bar->Name().empty());

    MenuBar1::releaseInstance();
    EXPECT_FALSE(MenuBar1::exists());
    MenuBar1::releaseInstance(); // a second release does nothing
    EXPECT_NE(MenuBar1::instance().get(), nullptr);
}

TEST_F(MenuBarTest, ConstructedThroughItsClassRecordTheMenuBarBuildsItsMenus)
{
    // The bar's own constructor takes the place of the one it inherits, so the framework,
    // calling "Constructor" by name, builds the menus.
    auto bar = RuntimeNewObject<MenuBar1>();
    delegateForMethod(Ref<Object>(bar), "Constructor", "(  )", "test").invoke();
    EXPECT_EQ(describe(*bar), kMenus);
    const auto& operations = ClassRegistry::instance().record(MenuBar1::kClassName).operations();
    EXPECT_EQ(std::count_if(operations.begin(), operations.end(),
                            [](const Operation& op) { return op.name == "Constructor" && op.signature == "(  )"; }),
              1);
}

TEST_F(MenuBarTest, CommandIsCtrlOnThisDesktop)
{
    EXPECT_EQ(shortcutFromText(Text("Cmd+C")), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(shortcutFromText(Text("Cmd+I")), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_TRUE(shortcutFromText(Text("")).isEmpty());

    auto window = openWindow(true);
    QMenuBar* bar = window->widget()->menuBar();
    ASSERT_EQ(bar->actions().size(), 2);
    const QList<QAction*> edit = bar->actions()[0]->menu()->actions();
    ASSERT_EQ(edit.size(), 2);
    EXPECT_EQ(edit[0]->text(), "Copy");
    EXPECT_EQ(edit[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(edit[1]->text(), "About Parvolin...");
    EXPECT_EQ(edit[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_EQ(bar->actions()[1]->menu()->actions()[0]->text(), "Help...");
}

TEST_F(MenuBarTest, MenuShortcutsWorkWhateverWindowOfTheProgramIsInFront)
{
    auto main = openWindow(true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main->widget()));
    QTest::keyClick(main->widget(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(main->heard.size(), 1u);

    auto other = openWindow(false);
    ASSERT_TRUE(QTest::qWaitForWindowActive(other->widget()));
    ASSERT_FALSE(main->widget()->isActiveWindow());
    QTest::keyClick(other->widget(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(main->heard.size(), 2u) << "Cmd+I in the window in front reaches the main window's handler";
    EXPECT_TRUE(other->heard.empty());
}

TEST_F(MenuBarTest, AMenuCommandGoesToTheWindowLevelHandlerBeforeTheApplications)
{
    testsupport::ReportCatcher reports;
    auto window = openWindow(true);
    auto app = registerApplication();
    // "About" is bound at both levels; "Help" at application level only.
    app->AddMenuHandler("AppleAbout", menuHandlerDelegate(Ref<Object>(app), "AppleAbout", "_AppleAbout_Action"));
    app->AddMenuHandler("infoHelp", menuHandlerDelegate(Ref<Object>(app), "infoHelp", "_infoHelp_Action"));

    EXPECT_TRUE(dispatchMenuCommand(Text("AppleAbout"), window));
    EXPECT_EQ(window->heard, std::vector<std::string>{"window About"});
    EXPECT_TRUE(app->heard.empty()) << "the window's handler took the command";

    EXPECT_TRUE(dispatchMenuCommand(Text("infoHelp"), window));
    EXPECT_TRUE(dispatchMenuCommand(Text("infoHelp"), nullptr)); // no window of the program in front
    EXPECT_EQ(app->heard, (std::vector<std::string>{"application Help", "application Help"}));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(MenuBarTest, CopyWithoutAHandlerCopiesTheSelectionOfTheFocusedTextField)
{
    auto window = openWindow(true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->widget()));
    auto* field = new QLineEdit(QStringLiteral("F00 song"), window->content());
    auto* notes = new QPlainTextEdit(QStringLiteral("one\ntwo"), window->content());
    field->show();
    notes->show();

    field->setFocus();
    field->selectAll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == field; }, testsupport::kPatience));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_TRUE(dispatchMenuCommand(Text("EditCopy"), window));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("F00 song"));

    notes->setFocus();
    notes->selectAll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == notes; }, testsupport::kPatience));
    EXPECT_TRUE(dispatchMenuCommand(Text("EditCopy"), window));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
}

TEST_F(MenuBarTest, AMisspeltMenuHandlerIsReportedWithTheWindowTheItemAndTheMethod)
{
    const auto expectError = [](const Ref<Object>& target, const char* item, const char* method,
                                const std::vector<std::string>& parts) {
        try {
            menuHandlerDelegate(target, item, method);
            ADD_FAILURE() << method << " was bound";
        } catch (const BindingError& error) {
            const std::string message = error.what();
            for (const std::string& part : parts)
                EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
        }
    };
    testsupport::ReportCatcher reports;
    const Ref<parvolin::Window1> main = parvolin::Window1::instance();
    expectError(Ref<Object>(main), "AppleAbout", "_AppleAbout_Actoin",
                {"Window1, menu item AppleAbout", "\"_AppleAbout_Actoin\""});
    // A method of another signature is no menu handler either.
    expectError(Ref<Object>(main), "AppleAbout", "readIpodFiles",
                {"Window1, menu item AppleAbout", "\"readIpodFiles\"", "( Int32 )"});

    parvolin::newAppInstance();
    expectError(Ref<Object>(parvolin::App::instance()), "infoHelp", "_infoHelp_Actoin",
                {"App, menu item infoHelp", "\"_infoHelp_Actoin\""});
}
