#pragma once

// A timer: raises Action once, or repeatedly, every Period milliseconds. It has no place
// on screen. It runs from the moment its description turns it on until it is destroyed.

#include "ui/Control.h"

#include <memory>

class QTimer;

namespace platform {

class Timer : public Control {
public:
    static constexpr const char* kClassName = "Timer";
    static constexpr std::string_view kTypeName = "Timer";

    static constexpr std::int32_t kModeOff = 0;
    static constexpr std::int32_t kModeSingle = 1;
    static constexpr std::int32_t kModeMultiple = 2;

    Timer();
    ~Timer() override;

    // The keys of its descriptions; a generated subclass ("Window1.Timer1") has the same.
    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    // Makes the Qt timer; it starts once a mode other than off is set.
    void Constructor() override;
    std::vector<EventSpec> events() const override;

    // 0 off, 1 fires once (and is then off), 2 fires repeatedly. Changing the mode starts
    // the count anew.
    std::int32_t Mode() const { return mode_; }
    void setMode(std::int32_t mode);
    // In milliseconds; a running timer starts counting the new period at once. A period of
    // 0 or less counts as 1 ms.
    std::int32_t Period() const { return period_; }
    void setPeriod(std::int32_t period);
    // Starts the count of the current period anew.
    void Reset();

private:
    void restart();
    void fire();

    QTimer* timer_ = nullptr;
    // How many Action events are running now; shared with the Qt timer's slot, which
    // outlives this object when a handler destroys it.
    std::shared_ptr<int> firing_;
    std::int32_t mode_ = kModeOff;
    std::int32_t period_ = 1000;
};

} // namespace platform
