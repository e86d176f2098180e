// Start-up to the main window shown, measured in fresh processes and compared with a
// reference run in the same session: a bare Qt program that shows an empty 580 by 580
// window with a menu bar. Run: startup_bench [runs]. Uses the offscreen platform unless
// another is chosen.

#include "browser/Window1.h"
#include "runtime/Runtime.h"
#include "ui/Ui.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void waitUntilExposed(QWidget* widget)
{
    while (!widget->windowHandle() || !widget->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

int runParvolin(Clock::time_point start)
{
    platform::RuntimeInit();
    parvolin::initializeClassRecords();
    parvolin::startup();
    waitUntilExposed(platform::GetImplicitWindow("Window1.Window1")->widget());
    std::printf("%.3f\n", millisecondsSince(start));
    parvolin::finalizeModules();
    return platform::RuntimeExit();
}

int runReference(Clock::time_point start, int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu* edit = window.menuBar()->addMenu(QStringLiteral("Edit"));
    edit->addAction(QStringLiteral("Copy"));
    window.resize(580, 580);
    window.setCentralWidget(new QWidget);
    window.show();
    waitUntilExposed(&window);
    std::printf("%.3f\n", millisecondsSince(start));
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double runChild(const char* self, const char* mode)
{
    QProcess child;
    child.start(QString::fromLocal8Bit(self), {QString::fromLatin1(mode)});
    child.waitForFinished(30000);
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().toDouble();
}

} // namespace

int main(int argc, char** argv)
{
    const auto start = Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--parvolin") == 0)
        return runParvolin(start);
    if (argc > 1 && std::strcmp(argv[1], "--reference") == 0)
        return runReference(start, argc, argv);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QCoreApplication application(argc, argv);
    std::vector<double> parvolin, reference;
    for (int i = 0; i < runs; ++i) {
        reference.push_back(runChild(argv[0], "--reference"));
        parvolin.push_back(runChild(argv[0], "--parvolin"));
    }
    const double ours = median(parvolin), theirs = median(reference);
    std::printf("start-up to main window shown, median of %d fresh processes (%s):\n", runs,
                qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  parvolin   %8.1f ms\n  reference  %8.1f ms (bare Qt window with a menu bar)\n", ours, theirs);
    std::printf("  ratio      %8.2f\n", theirs > 0 ? ours / theirs : 0.0);
    return 0;
}
