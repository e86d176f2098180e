// Command-period, seen in any window while the program works, and read once.

#include "TestSupport.h"
#include "runtime/EventLoop.h"
#include "ui/Keyboard.h"

#include <QAction>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

class CommandPeriodTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto& window : windows) {
            window = std::make_unique<QWidget>();
            window->resize(200, 100);
            window->show();
        }
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windows[1].get()));
        (void)UserCancelled(); // whatever came before this test
    }

    // Lets the event loop wait for the user once, as it does between the user's actions.
    static void waitForTheUser()
    {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }

    std::unique_ptr<QWidget> windows[2];
};

} // namespace

TEST_F(CommandPeriodTest, CtrlOrMetaPeriodInAnyWindowIsSeenOnceThenReadsFalse)
{
    struct Case {
        int window;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool cancels;
    };
    const Case cases[] = {
        {.window = 0, .key = Qt::Key_Period, .modifiers = Qt::ControlModifier, .cancels = true},
        {.window = 1, .key = Qt::Key_Period, .modifiers = Qt::ControlModifier, .cancels = true},
        {.window = 1, .key = Qt::Key_Period, .modifiers = Qt::MetaModifier, .cancels = true},
        {.window = 0, .key = Qt::Key_Period, .modifiers = Qt::ControlModifier | Qt::KeypadModifier, .cancels = true},
        {.window = 0, .key = Qt::Key_Period, .modifiers = Qt::NoModifier, .cancels = false},
        {.window = 0, .key = Qt::Key_Period, .modifiers = Qt::AltModifier, .cancels = false},
        {.window = 1, .key = Qt::Key_Comma, .modifiers = Qt::ControlModifier, .cancels = false},
    };
    for (const Case& c : cases) {
        QTest::keyClick(windows[c.window].get(), c.key, c.modifiers);
        EXPECT_EQ(UserCancelled(), c.cancels) << c.window << " " << c.key << " " << c.modifiers;
        EXPECT_FALSE(UserCancelled()) << "not cleared by reading it";
    }
}

TEST_F(CommandPeriodTest, IsSeenAlsoWhenAShortcutOfTheSameKeysTakesThePress)
{
    QWidget& window = *windows[0];
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QAction stop(&window);
    stop.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    stop.setShortcutContext(Qt::ApplicationShortcut);
    window.addAction(&stop);
    int triggered = 0;
    QObject::connect(&stop, &QAction::triggered, [&] { ++triggered; });

    QTest::keyClick(&window, Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(triggered, 1); // the shortcut took it
    EXPECT_TRUE(UserCancelled());
    EXPECT_FALSE(UserCancelled());
}

TEST_F(CommandPeriodTest, APressCountsWhileTheProgramWorksAndIsForgottenOnceItWaits)
{
    const auto pressAtNextYield = [&] {
        QCoreApplication::postEvent(windows[1].get(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Period, Qt::ControlModifier, "."));
    };

    // Pressed while a loop of the program runs: handled at one yield, read at a later stop
    // test, however many yields lie between.
    pressAtNextYield();
    for (int i = 0; i < 5; ++i)
        RuntimeBackgroundTask();
    EXPECT_TRUE(UserCancelled());

    // Pressed while the program waits for the user: nothing asks, and a copy started later
    // does not stop at once.
    pressAtNextYield();
    waitForTheUser();
    EXPECT_FALSE(UserCancelled());
}
