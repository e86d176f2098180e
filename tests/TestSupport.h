#pragma once

// What several tests share: catching the unhandled-exception reports instead of showing
// them. Tests that wait, wait for the state they expect with QTest::qWaitFor and a
// generous limit, never for a fixed time.

#include "runtime/EventLoop.h"

#include <ostream>
#include <string>
#include <vector>

namespace platform {
// Texts print as their characters in test failures.
inline void PrintTo(const Text& text, std::ostream* out) { *out << '"' << text.bytes() << '"'; }
} // namespace platform

namespace testsupport {

// How long a test waits for what it expects before it fails.
inline constexpr int kPatience = 5000;

// Collects the reports made while it lives; the modal report stays away.
class ReportCatcher {
public:
    ReportCatcher();
    ~ReportCatcher();
    ReportCatcher(const ReportCatcher&) = delete;
    ReportCatcher& operator=(const ReportCatcher&) = delete;

    const std::vector<platform::ExceptionReport>& reports() const { return reports_; }
    // How many reports hold the fragment.
    std::size_t countHolding(const std::string& fragment) const;

private:
    std::vector<platform::ExceptionReport> reports_;
    platform::ExceptionReporter previous_;
};

} // namespace testsupport
