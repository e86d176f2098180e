// Binding events to methods by name, and what happens when a handler throws: the user is
// told, and the program goes on.

#include "TestSupport.h"
#include "description/DescriptionTable.h"
#include "runtime/EventLoop.h"
#include "ui/ControlCreation.h"
#include "ui/MenuCommands.h"
#include "ui/PushButton.h"
#include "ui/Timer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace platform;

namespace {

class FaultyWindow : public Window {
public:
    static constexpr const char* kClassName = "FaultyWindow.FaultyWindow";

    void CreateControls()
    {
        const ControlTableRow button{1, "failBtn", "PushButton", "", 10, 10, 80, 20, "none", Text("Fail"),
                                     {{"TabIndex", 0}}, {{"Action", "failBtn_Action"}}};
        const ControlTableRow timer{2, "tick", "Timer", "", {}, {}, {}, {}, "-", std::nullopt,
                                    {{"Mode", 2}, {"Period", 10}}, {{"Action", "tick_Action"}}};
        for (const ControlTableRow& row : {button, timer})
            createControl(*this, row, encodeControlDescription(row));
    }
    void failBtn_Action()
    {
        ++presses;
        throw NilObjectException("The file \"F00:ABCD.mp3\"");
    }
    void tick_Action()
    {
        ++ticks;
        if (ticks == 1)
            throw std::runtime_error("The first tick failed.");
    }
    void Event_Open() { throw std::runtime_error("Opening went wrong."); }
    bool failBtn_Typed(const Text&) { return false; }
    bool about_Action()
    {
        if (++abouts == 1)
            throw NilObjectException("The About window");
        return true;
    }

    int presses = 0;
    int abouts = 0;
    int ticks = 0;
};

Ref<FaultyWindow> openFaultyWindow()
{
    auto& registry = ClassRegistry::instance();
    if (!registry.isDeclared(FaultyWindow::kClassName))
        registry.declare({FaultyWindow::kClassName, "Window", [] {
                              return std::vector<Operation>{method<&FaultyWindow::CreateControls>("CreateControls"),
                                                            method<&FaultyWindow::failBtn_Action>("failBtn_Action"),
                                                            method<&FaultyWindow::tick_Action>("tick_Action"),
                                                            method<&FaultyWindow::Event_Open>("Event_Open"),
                                                            method<&FaultyWindow::failBtn_Typed>("failBtn_Typed"),
                                                            method<&FaultyWindow::about_Action>("about_Action")};
                          }});
    registry.build(FaultyWindow::kClassName);
    auto window = RuntimeNewObject<FaultyWindow>();
    window->Constructor();
    return window;
}

} // namespace

TEST(HandlerExceptions, AnExceptionLeavingAHandlerATimerOrAMenuCommandIsReportedAndTheNextEventRuns)
{
    testsupport::ReportCatcher reports;
    auto window = openFaultyWindow();
    // The Open event failed: reported, and the window was built all the same.
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_NE(reports.reports()[0].message.find("Opening went wrong."), std::string::npos);
    EXPECT_TRUE(window->isOpen());

    auto button = RuntimeWindowControlByName<PushButton>(Ref<Window>(window), "failBtn");
    auto* widget = qobject_cast<QPushButton*>(button->widget());
    ASSERT_NE(widget, nullptr);
    widget->click();
    widget->click();
    EXPECT_EQ(window->presses, 2);
    EXPECT_EQ(reports.countHolding("F00:ABCD.mp3"), 2u);
    EXPECT_EQ(reports.countHolding("failBtn"), 2u) << "the report names the control";

    // The timer goes on after its first action failed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->ticks > 2; }, testsupport::kPatience));
    EXPECT_EQ(reports.countHolding("The first tick failed."), 1u);

    window->AddMenuHandler("About", menuHandlerDelegate(Ref<Object>(window), "About", "about_Action"));
    EXPECT_TRUE(dispatchMenuCommand(Text("About"), window));
    EXPECT_TRUE(dispatchMenuCommand(Text("About"), window));
    EXPECT_EQ(window->abouts, 2);
    EXPECT_EQ(reports.countHolding("The About window"), 1u);
    EXPECT_EQ(reports.countHolding("menu command About"), 1u);

    for (const ExceptionReport& report : reports.reports())
        EXPECT_FALSE(report.fatal) << report.message;
    window->Close();
}

TEST(HandlerExceptions, AReportIsShownAtOnceInAModalMessageInPlainWords)
{
    QString shown;
    QTimer reader; // reads and closes the message as soon as it is up
    reader.setInterval(5);
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text() + "\n" + box->informativeText();
            box->accept();
        }
    });
    reader.start();
    ReportHandlerException(std::make_exception_ptr(NilObjectException("The music folder \"F03\"")), "");
    EXPECT_TRUE(shown.contains("could not finish what it was doing")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("The music folder \"F03\" is missing")) << shown.toStdString();
}

TEST(EventBinding, FailsAtOnceNamingWindowControlEventAndMethod)
{
    testsupport::ReportCatcher reports;
    auto window = openFaultyWindow();
    const auto expectError = [&](const char* control, const char* event, const char* method, const char* why) {
        try {
            bindEvent(*window, control, event, method);
            FAIL() << event << " " << method;
        } catch (const BindingError& error) {
            const std::string message = error.what();
            for (const std::string& part : {std::string("FaultyWindow"), std::string(control), std::string(event),
                                           std::string(method), std::string(why)})
                EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
        }
    };
    expectError("failBtn", "Action", "failBtn_Clicked", "no method");             // no such method
    expectError("failBtn", "CellClick", "failBtn_Action", "no event");            // a button has no CellClick
    expectError("failBtn", "Action", "failBtn_Typed", "( String ) as Boolean");   // signature does not fit
    expectError("tick", "Blink", "tick_Action", "no such event");                 // no event of that name
    expectError("noSuchControl", "Action", "tick_Action", "no such control");
    window->Close();
}

namespace {

// Shows reports by noting them; what `whileShown` does happens while a report is on screen,
// as events go on under a modal message.
class ReportScreen {
public:
    ReportScreen()
    {
        previous_ = setExceptionReporter([this](const ExceptionReport& report) {
            const std::string message = report.message.substr(0, report.message.find('\n'));
            log.push_back("shown " + message);
            if (whileShown) {
                const auto during = std::exchange(whileShown, nullptr);
                during();
            }
            log.push_back("closed " + message);
        });
    }
    ~ReportScreen() { setExceptionReporter(std::move(previous_)); }
    ReportScreen(const ReportScreen&) = delete;
    ReportScreen& operator=(const ReportScreen&) = delete;

    std::vector<std::string> log;
    std::function<void()> whileShown;

private:
    ExceptionReporter previous_;
};

void failWith(const char* message)
{
    dispatchGuarded("a test", [message]() -> Value { throw std::runtime_error(message); });
}

} // namespace

TEST(HandlerExceptions, ReportsThatComeWhileOneIsOnScreenWaitTheirTurn)
{
    ReportScreen screen;
    screen.whileShown = [] {
        failWith("Second.");
        failWith("Third.");
    };
    failWith("First.");
    EXPECT_EQ(screen.log, (std::vector<std::string>{"shown First.", "closed First.", "shown Second.", "closed Second.",
                                                    "shown Third.", "closed Third."}));
}

TEST(HandlerExceptions, TheSameReportIsNotQueuedTwice)
{
    ReportScreen screen;
    screen.whileShown = [] {
        failWith("First.");  // the one on screen
        failWith("Second.");
        failWith("Second."); // already waiting
    };
    failWith("First.");
    EXPECT_EQ(screen.log,
              (std::vector<std::string>{"shown First.", "closed First.", "shown Second.", "closed Second."}));
    failWith("First."); // once it is closed, the same fault is reported again
    EXPECT_EQ(screen.log.size(), 6u);
}

TEST(HandlerExceptions, AFailureThatRepeatsUnderItsModalMessageShowsOneMessageAtATime)
{
    // Timers whose actions always fail, as a fault that repeats would. (Qt never runs a
    // timer's action again while it is still running, so it takes several to stack.)
    QTimer failing[3];
    for (QTimer& timer : failing) {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [] { failWith("The tick failed again."); });
    }
    int boxesAtOnce = 0;
    int turnsWithABox = 0;
    bool closed = false;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        int open = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget) && widget->isVisible())
                ++open;
        boxesAtOnce = std::max(boxesAtOnce, open);
        if (open > 0 && ++turnsWithABox >= 5) { // the box has been up for a while: close it
            for (QTimer& timer : failing)
                timer.stop();
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->accept();
                closed = true;
            }
        }
    });
    for (QTimer& timer : failing)
        timer.start();
    watcher.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed && !QApplication::activeModalWidget(); }, testsupport::kPatience));
    EXPECT_EQ(boxesAtOnce, 1) << "turns with a box: " << turnsWithABox;
}
