// Binding events to methods by name, and what happens when a handler throws: the user is
// told, and the program goes on.

#include "TestSupport.h"
#include "description/DescriptionTable.h"
#include "runtime/EventLoop.h"
#include "ui/ControlCreation.h"
#include "ui/PushButton.h"
#include "ui/Timer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

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

    int presses = 0;
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
                                                            method<&FaultyWindow::failBtn_Typed>("failBtn_Typed")};
                          }});
    registry.build(FaultyWindow::kClassName);
    auto window = RuntimeNewObject<FaultyWindow>();
    window->Constructor();
    return window;
}

} // namespace

TEST(HandlerExceptions, AreReportedAndTheNextEventsStillRun)
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

    testsupport::runEventsFor(100);
    EXPECT_GT(window->ticks, 2); // the timer went on after its first action failed

    std::size_t buttonReports = 0, tickReports = 0;
    for (const ExceptionReport& report : reports.reports()) {
        EXPECT_FALSE(report.fatal);
        if (report.message.find("F00:ABCD.mp3") != std::string::npos) {
            ++buttonReports;
            EXPECT_NE(report.message.find("failBtn"), std::string::npos) << report.message;
        }
        if (report.message.find("first tick") != std::string::npos)
            ++tickReports;
    }
    EXPECT_EQ(buttonReports, 2u);
    EXPECT_EQ(tickReports, 1u);
    window->Close();
}

TEST(HandlerExceptions, DefaultReportIsAModalMessageInPlainWords)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown = box->text() + "\n" + box->informativeText();
            box->accept();
        }
    });
    ReportHandlerException(std::make_exception_ptr(NilObjectException("The music folder \"F03\"")), "");
    EXPECT_TRUE(shown.contains("could not finish")) << shown.toStdString();
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

TEST(HandlerExceptions, AFailureThatRepeatsWhileItsReportIsOpenDoesNotStackReports)
{
    // Timers whose actions always fail, as a fault that repeats would. (Qt never runs a
    // timer's action again while it is still running, so it takes several to stack.)
    QTimer failing[3];
    for (QTimer& timer : failing) {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [] {
            dispatchGuarded("repeating timer", []() -> Value { throw std::runtime_error("The tick failed again."); });
        });
    }
    int boxesAtOnce = 0;
    int boxesShown = 0;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const auto boxes = QApplication::topLevelWidgets();
        int open = 0;
        for (QWidget* widget : boxes)
            if (qobject_cast<QMessageBox*>(widget) && widget->isVisible())
                ++open;
        boxesAtOnce = std::max(boxesAtOnce, open);
        if (open > 0 && ++boxesShown >= 5) { // the box has been up for a while: close it
            for (QTimer& timer : failing)
                timer.stop();
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        }
    });
    for (QTimer& timer : failing)
        timer.start();
    watcher.start();
    testsupport::runEventsFor(400);
    watcher.stop();
    EXPECT_EQ(boxesAtOnce, 1) << "shown " << boxesShown;
    EXPECT_GE(boxesShown, 5);
}
