#pragma once

// A moment in time, as the program shows it.

#include "runtime/Text.h"

#include <cstdint>

namespace platform {

class Date {
public:
    Date() = default;
    // Seconds since 1970-01-01 00:00 UTC.
    explicit Date(std::int64_t secondsSinceEpoch) : seconds_(secondsSinceEpoch) {}

    std::int64_t secondsSinceEpoch() const { return seconds_; }

    // The day in the desktop's long date form, in the user's locale ("Monday, 7 December
    // 2026" or whatever the locale says).
    Text LongDate() const;

    friend bool operator==(const Date&, const Date&) = default;

private:
    std::int64_t seconds_ = 0;
};

} // namespace platform
