#include "TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace testsupport {

ReportCatcher::ReportCatcher()
{
    previous_ = platform::setExceptionReporter(
        [this](const platform::ExceptionReport& report) { reports_.push_back(report); });
}

ReportCatcher::~ReportCatcher() { platform::setExceptionReporter(std::move(previous_)); }

void runEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    } while (clock.elapsed() < milliseconds);
}

} // namespace testsupport
