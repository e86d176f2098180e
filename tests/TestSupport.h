#pragma once

// What several tests share: catching the unhandled-exception reports instead of showing
// them, and running the event loop for a while.

#include "runtime/EventLoop.h"

#include <ostream>
#include <ostream>
#include <string>
#include <vector>

namespace platform {
// Texts print as their characters in test failures.
inline void PrintTo(const Text& text, std::ostream* out) { *out << '"' << text.bytes() << '"'; }
} // namespace platform

namespace testsupport {

// Collects the reports made while it lives; the modal report stays away.
class ReportCatcher {
public:
    ReportCatcher();
    ~ReportCatcher();
    ReportCatcher(const ReportCatcher&) = delete;
    ReportCatcher& operator=(const ReportCatcher&) = delete;

    const std::vector<platform::ExceptionReport>& reports() const { return reports_; }

private:
    std::vector<platform::ExceptionReport> reports_;
    platform::ExceptionReporter previous_;
};

// Lets pending events run, including timers that fall due within `milliseconds`.
void runEventsFor(int milliseconds);

} // namespace testsupport
