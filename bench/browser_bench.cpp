// The main window's loops over a large player, each against `ls` reading the same folders
// in the same run: the file count over 50 folders of 400 entries (20,000), the listing of
// one folder of 2,000 entries, and the device scan (which, as in the program, also lists
// the first player's folders and counts its files). Also the cost of one yield and the
// memory the work leaves behind. Run: browser_bench [runs]. Uses the offscreen platform
// unless another is chosen.

#include "browser/Window1.h"
#include "files/Files.h"
#include "runtime/Runtime.h"
#include "shell/Startup.h"
#include "ui/Ui.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double medianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The resident memory of this process in kB.
long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return 0;
}

void makeFiles(const fs::path& folder, int count)
{
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i)
        std::ofstream(folder / (std::to_string(1000 + i).insert(0, 1, 'T') + ".mp3")) << "ID3";
}

void runLs(const QStringList& arguments)
{
    QProcess ls;
    ls.setStandardOutputFile(QProcess::nullDevice());
    ls.start(QStringLiteral("ls"), arguments);
    ls.waitForFinished(-1);
}

template <class C>
platform::Ref<C> control(const platform::Ref<parvolin::Window1>& window, const char* name)
{
    return platform::RuntimeWindowControlByName<C>(platform::Ref<platform::Window>(window), name);
}

void report(const char* what, double ours, double reference, const char* target)
{
    std::printf("%-34s %9.1f ms   ls %7.1f ms   ratio %5.1f   %s\n", what, ours, reference, ours / reference, target);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QApplication application(argc, argv);
    platform::RuntimeInit();
    parvolin::initializeClassRecords();

    QTemporaryDir temporary;
    const fs::path root(temporary.path().toStdString());
    const fs::path big = root / "1" / "Big";
    const fs::path wide = root / "2" / "Wide";
    QStringList countFolders;
    for (int f = 0; f < 50; ++f) {
        std::string name = std::to_string(100 + f);
        name[0] = 'F'; // F00 ... F49
        const fs::path folder = big / "iPod_Control" / "Music" / name;
        makeFiles(folder, 400);
        countFolders << QString::fromStdString(folder.string());
    }
    const fs::path wideFolder = wide / "iPod_Control" / "Music" / "F00";
    makeFiles(wideFolder, 2000);

    // The window opens over no player; the players are plugged in afterwards.
    std::vector<std::string> mounted{"/"};
    platform::setVolumeSource([&] { return mounted; });
    platform::Ref<parvolin::Window1> window = parvolin::Window1::instance();
    for (int i = 0; i < 20; ++i)
        platform::RuntimeBackgroundTask();
    const long before = residentKilobytes();
    mounted = {"/", big.string(), wide.string()};

    std::printf("Parvolin device browser, median of %d runs, %s platform\n", runs,
                qPrintable(QGuiApplication::platformName()));

    window->readiPod(); // first touch of the files, outside the figures
    const double scan = medianMilliseconds(runs, [&] { window->readiPod(); });
    const double scanReference =
        medianMilliseconds(runs, [&] { runLs(QStringList{"-f", QString::fromStdString((big / "iPod_Control" / "Music").string())} + countFolders); });
    report("scan (lists and counts Big)", scan, scanReference, "");

    const double count = medianMilliseconds(runs, [&] { window->countFiles(); });
    const double countReference = medianMilliseconds(runs, [&] { runLs(QStringList{"-f"} + countFolders); });
    report("countFiles, 20,000 entries", count, countReference, count < 500 ? "(target 500 ms: met)" : "(target 500 ms: MISSED)");
    std::printf("  count label: %s\n", control<platform::StaticText>(window, "iPodFiles")->Text().c_str());

    control<platform::PopupMenu>(window, "iPodsMenu")->setListIndex(1);
    const double listing = medianMilliseconds(runs, [&] { window->readIpodFiles(0); });
    const QString wideText = QString::fromStdString(wideFolder.string());
    const double listingReference = medianMilliseconds(runs, [&] { runLs({QStringLiteral("-lU"), wideText}); });
    report("readIpodFiles, 2,000 entries", listing, listingReference,
           listing < 250 ? "(target 250 ms: met)" : "(target 250 ms: MISSED)");
    std::printf("  rows listed: %d\n", control<platform::Listbox>(window, "ListBox1")->ListCount());
    // What the listing asks of each entry, without the list and the yields.
    const double entriesOnly = medianMilliseconds(runs, [&] {
        const platform::Ref<platform::FolderItem> folder = platform::GetFolderItem(window->musicFolderPath(0));
        for (std::int32_t i = 1, n = folder->Count(); i <= n; ++i) {
            const platform::Ref<platform::FolderItem> entry = folder->Item(i);
            (void)entry->Name();
            (void)entry->MacType();
            (void)entry->CreationDate().LongDate();
            (void)entry->AbsolutePath();
        }
    });
    std::printf("  of which the entries' name, type, date and path: %.1f ms\n", entriesOnly);

    const long after = residentKilobytes();
    std::printf("memory growth                      %9.1f MB   (target 20 MB: %s)\n", (after - before) / 1024.0,
                after - before < 20 * 1024 ? "met" : "MISSED");

    constexpr int yields = 100000;
    const double yieldTime = medianMilliseconds(runs, [&] {
        for (int i = 0; i < yields; ++i)
            platform::RuntimeBackgroundTask();
    });
    std::printf("one yield                          %9.2f us\n", yieldTime * 1000.0 / yields);

    window->Close();
    window.reset();
    platform::releaseWindowLists();
    platform::setVolumeSource({});
    return platform::RuntimeExit();
}
