#include "ui/Timer.h"

#include <QTimer>

#include <algorithm>

namespace platform {

Timer::Timer() : firing_(std::make_shared<int>(0)) {}

Timer::~Timer()
{
    if (!timer_)
        return;
    timer_->stop();
    QObject::disconnect(timer_, nullptr, nullptr, nullptr);
    // A handler that destroys the timer's window destroys this object while the Qt timer
    // is still delivering its timeout; it may only be deleted once that has returned.
    if (*firing_ > 0)
        timer_->deleteLater();
    else
        delete timer_;
}

void Timer::Constructor()
{
    if (timer_)
        return;
    timer_ = new QTimer();
    QObject::connect(timer_, &QTimer::timeout, timer_, [weak = weak_from_this(), firing = firing_] {
        ++*firing;
        if (const auto self = weak.lock())
            static_cast<Timer&>(*self).fire();
        // The last reference may have gone with `self`; the count is shared for that.
        --*firing;
    });
    restart();
}

void Timer::fire()
{
    if (mode_ == kModeSingle)
        mode_ = kModeOff;
    raise("Action");
}

void Timer::restart()
{
    if (!timer_)
        return;
    if (mode_ == kModeOff) {
        timer_->stop();
        return;
    }
    timer_->setSingleShot(mode_ == kModeSingle);
    timer_->start(std::max(period_, 1));
}

void Timer::setMode(std::int32_t mode)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    restart();
}

void Timer::setPeriod(std::int32_t period)
{
    period_ = period;
    if (timer_ && timer_->isActive())
        restart();
}

void Timer::Reset()
{
    if (timer_ && timer_->isActive())
        restart();
}

std::vector<EventSpec> Timer::events() const { return {{"Action", "(  )"}}; }

const PropertyTable& Timer::propertyTable()
{
    static const PropertyTable table("Timer", "", {}, {
        key("Mode", noDefault, &Timer::setMode),
        key("Period", noDefault, &Timer::setPeriod),
    });
    return table;
}

} // namespace platform
