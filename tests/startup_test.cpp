// The life of the process: start-up, the event loop, shut-down and the exit status.

#include "TestSupport.h"
#include "browser/Window1.h"
#include "browser/Window2.h"
#include "framework/Framework.h"
#include "runtime/ClassRecord.h"
#include "pictures/Picture.h"
#include "runtime/ExternalClasses.h"
#include "ui/Window.h"
#include "shell/App.h"
#include "menubar/MenuBar1.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QThread>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

using namespace platform;
using parvolin::App;
using parvolin::MenuBar1;
using parvolin::Window1;

namespace {

// Runs the whole program. Steps given to `inEventLoop` run one per turn of the event loop
// proper (not at a yield during start-up); a run that does not end by itself is ended by a
// watchdog, so that the test fails instead of hanging. Both timers belong to the test.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        steps_.setInterval(5);
        QObject::connect(&steps_, &QTimer::timeout, [this] {
            if (QThread::currentThread()->loopLevel() == 0 || pending_.empty())
                return;
            const std::function<void()> step = std::move(pending_.front());
            pending_.pop_front();
            ++stepsRun;
            step();
        });
        steps_.start();
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] {
            watchdogFired = true;
            QCoreApplication::exit(0);
        });
        watchdog_.start(testsupport::kPatience);
    }

    void TearDown() override
    {
        steps_.stop();
        watchdog_.stop();
        // A full run ends with the type information released; the other tests need it back.
        initializeFrameworkClasses();
    }

    void inEventLoop(std::function<void()> step) { pending_.push_back(std::move(step)); }
    // Ends a run that should not have reached the event loop, noting that it did.
    void noteIfEventLoopRuns(bool& reached)
    {
        inEventLoop([&reached] {
            reached = true;
            QCoreApplication::exit(0);
        });
    }

    int stepsRun = 0;
    bool watchdogFired = false;

private:
    QTimer steps_;
    QTimer watchdog_;
    std::deque<std::function<void()>> pending_;
};


// A window that notes, as it goes, what the framework still holds.
class ProbeWindow : public Window {
public:
    static constexpr const char* kClassName = "ProbeWindow.ProbeWindow";

    ~ProbeWindow() override
    {
        if (!log)
            return;
        log->push_back(label + ": implicit " + std::to_string(GetImplicitWindow(kClassName) ? 1 : 0) + ", redraw " +
                       std::to_string(windowsAwaitingRedraw().size()) + ", windows " +
                       std::to_string(openWindows().size()) + ", classes " +
                       (ClassRegistry::instance().find("Window") ? "yes" : "no") + ", menu bar " +
                       (MenuBar1::exists() ? "yes" : "no"));
    }

    std::string label;
    std::vector<std::string>* log = nullptr;
};

} // namespace

TEST_F(StartupTest, ClosingTheMainWindowQuitsTheProgramWithExitStatusZero)
{
    testsupport::ReportCatcher reports;
    std::vector<std::string> seen;
    bool menuBarExisted = false;
    inEventLoop([&] {
        for (const ClassRecord* record : ClassRegistry::instance().buildOrder())
            seen.push_back(record->name());
        menuBarExisted = MenuBar1::exists();
        EXPECT_TRUE(App::instance());
        EXPECT_NE(App::instance()->menuHandler("infoHelp"), nullptr);
        const Ref<Window> main = GetImplicitWindow("Window1.Window1");
        ASSERT_TRUE(main);
        EXPECT_TRUE(main->widget()->isVisible());
        EXPECT_NE(main->menuHandler("AppleAbout"), nullptr);
        EXPECT_EQ(PluginEntryPoints::instance().size(), 26u);
        // Another window closed by its close box: the program goes on.
        parvolin::Window2::instance()->widget()->close();
    });
    inEventLoop([] {}); // one more turn: the program still runs
    inEventLoop([] {
        const Ref<Window> main = GetImplicitWindow("Window1.Window1");
        ASSERT_TRUE(main);
        main->widget()->close(); // the user closes the main window with its close box
    });

    EXPECT_EQ(parvolin::processEntry(), 0);

    EXPECT_FALSE(watchdogFired) << "closing the main window did not end the program";
    EXPECT_EQ(stepsRun, 3) << "closing another window ended the program";
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_TRUE(menuBarExisted);
    EXPECT_FALSE(MenuBar1::exists()); // released at shut-down
    EXPECT_TRUE(openWindows().empty());
    EXPECT_FALSE(GetAppObject());

    // The framework's classes first, then the program's in their order.
    const auto program = std::find(seen.begin(), seen.end(), "App");
    ASSERT_NE(program, seen.end());
    EXPECT_NE(std::find(seen.begin(), program, "Window"), program);
    EXPECT_EQ(std::vector<std::string>(program, seen.end()),
              (std::vector<std::string>{"App", "Window1.Window1", "Window1.Timer1", "Window1.Timer2", "Window2.Window2",
                                        "aboutWin.aboutWin", "infoWin.infoWin", "MenuBar1.MenuBar1",
                                        // built later by the start-up routine
                                        "RuntimeException", "NilObjectException", "IllegalCastException",
                                        "BindingError", "DescriptionError", "UnsupportedOperation"}));
}

TEST_F(StartupTest, AnExceptionThatLeavesStartUpIsReportedAndTheProgramShutsDownWithExitStatusOne)
{
    testsupport::ReportCatcher reports;
    parvolin::initializeClassRecords();
    // A second application object makes creating the program's own fail (start-up step 4).
    RuntimeRegisterAppObject(RuntimeNewObject<App>());
    bool eventLoopReached = false;
    noteIfEventLoopRuns(eventLoopReached);

    const int status = parvolin::processEntry();

    EXPECT_FALSE(eventLoopReached);
    EXPECT_EQ(status, 1);
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_TRUE(reports.reports()[0].fatal);
    EXPECT_NE(reports.reports()[0].message.find("already an application object"), std::string::npos);
    // The later steps did not run: no main window, so no menu bar was ever built, and its
    // release at shut-down did nothing.
    EXPECT_TRUE(openWindows().empty());
    EXPECT_FALSE(MenuBar1::exists());
}

TEST_F(StartupTest, StartUpStepsBindHelpAtApplicationLevelBeforeTheMainWindowOpens)
{
    testsupport::ReportCatcher reports;
    RuntimeInit();
    parvolin::initializeClassRecords();
    parvolin::newAppInstance();
    parvolin::applicationAddMenuHandlers();
    EXPECT_NE(App::instance()->menuHandler("infoHelp"), nullptr);
    EXPECT_EQ(App::instance()->menuHandler("infoHelp")->signature(), "(  ) as Boolean");
    EXPECT_FALSE(GetImplicitWindow("Window1.Window1"));
    EXPECT_FALSE(MenuBar1::exists());

    parvolin::makeDefaultView();
    EXPECT_TRUE(GetImplicitWindow("Window1.Window1"));
    EXPECT_TRUE(MenuBar1::exists());

    parvolin::finalizeModules();
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(StartupTest, AnEntryPointThatResolvesToNothingStopsStartUpAndIsNamed)
{
    testsupport::ReportCatcher reports;
    // Type information in which the image well was built without its operation, before
    // the framework's own classes.
    ClassRegistry& registry = ClassRegistry::instance();
    registry.clear();
    registry.declare({"ImageWell", "", {}});
    registry.build("ImageWell");
    bool eventLoopReached = false;
    noteIfEventLoopRuns(eventLoopReached);

    const int status = parvolin::processEntry();

    EXPECT_FALSE(eventLoopReached);
    EXPECT_EQ(status, 1);
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_TRUE(reports.reports()[0].fatal);
    EXPECT_NE(reports.reports()[0].message.find("\"ImageWell.Image.Set\""), std::string::npos)
        << reports.reports()[0].message;
    EXPECT_TRUE(openWindows().empty()) << "the later start-up steps did not run";
}

TEST_F(StartupTest, ShutDownReleasesTheWindowListsThenTheTypeInformationThenTheMenuBar)
{
    parvolin::initializeClassRecords();
    ClassRegistry& registry = ClassRegistry::instance();
    if (!registry.isDeclared(ProbeWindow::kClassName))
        registry.declare({ProbeWindow::kClassName, "Window", {}});
    registry.build(ProbeWindow::kClassName);
    std::vector<std::string> log;
    {
        // One window open (on the list of implicit windows and the list of windows), one
        // closed while its redraw is still pending (on the redraw list only).
        auto open = RuntimeNewObject<ProbeWindow>();
        open->label = "open";
        open->log = &log;
        open->Constructor();
        auto pending = RuntimeNewObject<ProbeWindow>();
        pending->label = "pending";
        pending->log = &log;
        pending->Constructor();
        pending->Refresh(false);
        pending->Close();
        ASSERT_EQ(windowsAwaitingRedraw().size(), 1u);
        MenuBar1::instance();
    }
    PluginEntryPoints::instance().fill(parvolin::pluginEntryPointNames());

    parvolin::finalizeModules();

    EXPECT_EQ(log, (std::vector<std::string>{
                       "pending: implicit 0, redraw 0, windows 1, classes yes, menu bar yes",
                       "open: implicit 0, redraw 0, windows 0, classes yes, menu bar yes",
                   }));
    EXPECT_FALSE(registry.find("Window"));
    EXPECT_FALSE(MenuBar1::exists());
    // The plug-in table is not among the exits; its entries stay sound without the class
    // records they were found in.
    const Operation* entry = PluginEntryPoints::instance().find("ImageWell.Image.Set");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->signature, "( Picture )");
    const Ref<Picture> anything = Picture::fromImage(QImage());
    EXPECT_THROW(entry->body(*anything, {}), UnsupportedOperation);
}

TEST_F(StartupTest, ARedrawLaterWaitsOnTheRedrawListForOneTurnOfTheEventLoop)
{
    parvolin::initializeClassRecords();
    auto window = RuntimeNewObject<Window>();
    window->Constructor();
    window->Refresh(false);
    window->Refresh(false);
    ASSERT_EQ(windowsAwaitingRedraw().size(), 1u) << "a window waits once, however often it is asked";
    EXPECT_EQ(windowsAwaitingRedraw()[0].get(), window.get());
    EXPECT_TRUE(QTest::qWaitFor([] { return windowsAwaitingRedraw().empty(); }, 5000));
    window->Refresh(true);
    EXPECT_TRUE(windowsAwaitingRedraw().empty());
    window->Close();
}
