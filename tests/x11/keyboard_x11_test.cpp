// The keyboard's state on a real X server (run under Xvfb with xdotool): the Option key is
// seen while it is held and nothing else happens, and Command-period is seen at a yield.

#include "runtime/EventLoop.h"
#include "ui/Keyboard.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

using namespace platform;

namespace {

bool xdotool(const std::string& arguments) { return std::system(("xdotool " + arguments).c_str()) == 0; }

// Polls without letting any event run, so only the window system's own state can answer.
bool becomesTrueWithoutEvents(const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace

TEST(KeyboardOnX11, OptionIsSeenWhileHeldAndCommandPeriodAtTheNextYield)
{
    QWidget window;
    window.setWindowTitle("keyboard");
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(xdotool("windowfocus --sync " + std::to_string(window.winId())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isActiveWindow(); }, 5000));

    ASSERT_TRUE(xdotool("keydown alt"));
    EXPECT_TRUE(becomesTrueWithoutEvents([] { return Keyboard::OptionKey(); }));
    ASSERT_TRUE(xdotool("keyup alt"));
    EXPECT_TRUE(becomesTrueWithoutEvents([] { return !Keyboard::OptionKey(); }));

    (void)UserCancelled();
    ASSERT_TRUE(xdotool("key ctrl+period"));
    const QDeadlineTimer deadline(5000);
    bool cancelled = false;
    while (!cancelled && !deadline.hasExpired()) {
        RuntimeBackgroundTask();
        cancelled = UserCancelled();
        QThread::msleep(10);
    }
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(UserCancelled());
}
