#include "runtime/EventLoop.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <memory>

namespace platform {

namespace {

struct RuntimeState {
    std::unique_ptr<QApplication> ownApplication;
    bool running = false;
    bool topLevelFailure = false;
    ExceptionReporter reporter;
    std::deque<ExceptionReport> pendingReports; // the first is on screen
    bool reporting = false;
    Ref<Object> application;
};

RuntimeState& state()
{
    static RuntimeState runtime;
    return runtime;
}

// Qt keeps references to argc and argv for the life of the application.
int applicationArgc = 1;
std::string executablePath;
char* applicationArgv[] = {nullptr, nullptr};

void showModalReport(const ExceptionReport& report)
{
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(RuntimeProgramName()),
                    report.fatal ? QStringLiteral("The program could not go on.")
                                 : QStringLiteral("The program could not finish what it was doing."),
                    QMessageBox::Ok);
    box.setInformativeText(QString::fromStdString(report.message));
    box.exec();
}

} // namespace

void RuntimeInit()
{
    RuntimeState& runtime = state();
    runtime.topLevelFailure = false;
    if (!QCoreApplication::instance()) {
        // Qt takes the program's name from its first argument; the executable's own path
        // gives it that name without the command line.
        std::error_code unreadable;
        executablePath = std::filesystem::read_symlink("/proc/self/exe", unreadable).string();
        applicationArgv[0] = executablePath.data();
        runtime.ownApplication = std::make_unique<QApplication>(applicationArgc, applicationArgv);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    runtime.running = true;
}

int RuntimeExit()
{
    RuntimeState& runtime = state();
    runtime.application.reset();
    runtime.ownApplication.reset();
    runtime.running = false;
    return runtime.topLevelFailure ? 1 : 0;
}

bool RuntimeIsRunning() { return state().running; }

std::string RuntimeProgramName() { return QGuiApplication::applicationDisplayName().toStdString(); }

void RunFrameworkInitialization(const Delegate& startup) { startup.invoke(); }

void RuntimeRun() { QApplication::exec(); }

void RuntimeQuit() { QCoreApplication::exit(0); }

void RuntimeBackgroundTask()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

ExceptionReporter setExceptionReporter(ExceptionReporter reporter)
{
    ExceptionReporter previous = std::move(state().reporter);
    state().reporter = std::move(reporter);
    return previous;
}

std::string describeException(std::exception_ptr exception)
{
    try {
        if (exception)
            std::rethrow_exception(exception);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
    }
    return "An unknown error occurred.";
}

namespace {

// Events go on while a report is on screen (its message box runs an event loop), so a
// handler that fails again would stack box upon box. Reports that come meanwhile wait
// their turn, and one that is already waiting is not added twice.
void report(const ExceptionReport& report)
{
    RuntimeState& runtime = state();
    const auto waiting = [&](const ExceptionReport& r) {
        return std::any_of(runtime.pendingReports.begin(), runtime.pendingReports.end(),
                           [&](const ExceptionReport& p) { return p.message == r.message && p.fatal == r.fatal; });
    };
    if (!waiting(report))
        runtime.pendingReports.push_back(report);
    if (runtime.reporting)
        return;
    runtime.reporting = true;
    while (!runtime.pendingReports.empty()) {
        const ExceptionReport next = runtime.pendingReports.front();
        if (runtime.reporter)
            runtime.reporter(next);
        else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            showModalReport(next);
        runtime.pendingReports.pop_front();
    }
    runtime.reporting = false;
}

} // namespace

void UnhandledException(std::exception_ptr exception)
{
    state().topLevelFailure = true;
    report(ExceptionReport{describeException(exception), true});
}

void ReportHandlerException(std::exception_ptr exception, const std::string& where)
{
    std::string message = describeException(exception);
    if (!where.empty())
        message += "\n\n(" + where + ")";
    report(ExceptionReport{message, false});
}

Value dispatchGuarded(const std::string& where, const std::function<Value()>& handler, Value fallback)
{
    try {
        return handler();
    } catch (...) {
        ReportHandlerException(std::current_exception(), where);
        return fallback;
    }
}

Ref<Object>& applicationObjectSlot() { return state().application; }

} // namespace platform
