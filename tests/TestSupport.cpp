#include "TestSupport.h"

#include <algorithm>

namespace testsupport {

ReportCatcher::ReportCatcher()
{
    previous_ = platform::setExceptionReporter(
        [this](const platform::ExceptionReport& report) { reports_.push_back(report); });
}

ReportCatcher::~ReportCatcher() { platform::setExceptionReporter(std::move(previous_)); }

std::size_t ReportCatcher::countHolding(const std::string& fragment) const
{
    return static_cast<std::size_t>(std::count_if(reports_.begin(), reports_.end(), [&](const auto& report) {
        return report.message.find(fragment) != std::string::npos;
    }));
}

} // namespace testsupport
