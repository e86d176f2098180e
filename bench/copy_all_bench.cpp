// Copy All through the program's own code against `cp -p` of the same files into an empty
// folder, in the same run and on the same disk:
//   (a) 2,000 files of 1 MiB, (b) 10,000 files of 16 KiB,
// each set spread over the music folders of a player made in the work folder and shown to
// the program as a mounted volume. The main window is built offscreen; the copy button is
// clicked with the caption "Copy All" and the question answered Yes, so the click, the
// question, the progress window, the yields and the file copies are all in the figure.
//
// Also measured, with no bytes to move: Copy All into a folder that already holds every
// file, against the same walk without the progress window and the yields, and against the
// copy engine alone asked for the same files there; what a Copy All costs once (the
// question, the progress window) is timed over no music folders and taken off. The
// differences per file are what the program adds to each file: finding the entry anew
// from its path, and the progress update, the redraw and the yield.
//
// Run: copy_all_bench [work folder] [rounds]. The work folder (default: the temporary
// folder) holds the player and the destinations. `copy_all_bench --again [work folder]`
// runs only the copies into the full folder of set (b), ten rounds, to profile the
// program's own work (perf record -g). Before each timed run the file system is
// synced, so that neither tool pays for the other's writes; the time without and with a
// final sync is reported.

#include "CopyTiming.h"
#include "browser/Window1.h"
#include "files/FileCopy.h"
#include "files/Files.h"
#include "framework/Framework.h"
#include "runtime/Runtime.h"
#include "shell/Startup.h"
#include "ui/Ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace bench;

namespace fs = std::filesystem;
using platform::Ref;

struct Set {
    const char* label;
    int files;
    std::size_t size;
    int folders;
    double target;
};

// The player's music: the files spread evenly over F00, F01, ..., each file of its own
// bytes. Returns the files' paths.
std::vector<std::string> makePlayer(const fs::path& music, const Set& set)
{
    std::vector<char> bytes(set.size);
    SourceBytes source;
    std::vector<std::string> paths;
    for (int i = 0; i < set.files; ++i) {
        source.next(bytes);
        char folder[16], name[16];
        std::snprintf(folder, sizeof folder, "F%02d", i % set.folders);
        std::snprintf(name, sizeof name, "S%05d.mp3", i);
        fs::create_directories(music / folder);
        paths.push_back((music / folder / name).string());
        const int fd = ::open(paths.back().c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            die("write " + paths.back());
        ::close(fd);
    }
    syncFolder(music.string());
    return paths;
}

template <class C>
Ref<C> control(const Ref<parvolin::Window1>& window, const char* name)
{
    return platform::RuntimeWindowControlByName<C>(Ref<platform::Window>(window), name);
}

// Clicks the copy button with the caption "Copy All" and answers the question Yes, as the
// user does. Any later message (a file that could not be copied) is fatal here.
void clickCopyAll(const Ref<parvolin::Window1>& window, const std::string& dest)
{
    control<platform::EditField>(window, "copyTo")->setText(platform::FolderItem::forNativePath(dest)->AbsolutePath());
    const Ref<platform::PushButton> button = control<platform::PushButton>(window, "copyBtn");
    button->setCaption(platform::Text("Copy All"));
    button->setEnabled(true);

    // Looks for the question at every turn of the loop until it is answered, then only now
    // and then, so that the copy's yields do not pay for the watch.
    QTimer answer;
    answer.setInterval(0);
    bool asked = false;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (asked || !box->button(QMessageBox::Yes)) {
            std::fprintf(stderr, "the copy said: %s\n", qPrintable(box->text()));
            std::exit(1);
        }
        asked = true;
        answer.setInterval(50);
        box->button(QMessageBox::Yes)->click();
    });
    answer.start();
    qobject_cast<QPushButton*>(button->widget())->click();
    if (!asked)
        die("the question did not come");
}

void runEngine(const std::vector<std::string>& sources, const std::string& dest)
{
    for (const std::string& source : sources)
        if (const platform::CopyOutcome outcome = platform::copyIntoFolder(source, dest); !outcome.succeeded()) {
            std::fprintf(stderr, "%s\n", outcome.reason.c_str());
            std::exit(1);
        }
}

std::size_t entriesIn(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

template <class Run>
Timing timed(const std::string& dest, std::size_t expected, Run run)
{
    syncFolder(fs::path(dest).parent_path().string());
    const auto start = Clock::now();
    run();
    Timing timing;
    timing.copy = secondsSince(start);
    fs::create_directories(dest);
    syncFolder(dest);
    timing.withSync = secondsSince(start);
    if (entriesIn(dest) != expected)
        die("not every file arrived in " + dest);
    fs::remove_all(dest);
    syncFolder(fs::path(dest).parent_path().string());
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::RuntimeInit();
    platform::initializeFrameworkClasses();
    parvolin::initializeClassRecords();

    const bool againOnly = argc > 1 && std::string(argv[1]) == "--again";
    if (againOnly) {
        --argc;
        ++argv;
    }
    const std::string base = argc > 1 ? argv[1] : fs::temp_directory_path().string();
    const int rounds = againOnly ? 10 : argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::string work = base + "/parvolin-copy-all-bench-XXXXXX";
    if (!::mkdtemp(work.data()))
        die("mkdtemp");
    std::printf("Copy All against cp -p; work folder %s, %d rounds (medians), cp and the program taking turns "
                "to go first, %s platform\n",
                work.c_str(), rounds, qPrintable(QGuiApplication::platformName()));

    std::vector<std::string> mounted{"/"};
    platform::setVolumeSource([&] { return mounted; });
    Ref<parvolin::Window1> window = parvolin::Window1::instance();

    const Set sets[] = {{"(a) 2,000 files of 1 MiB", 2000, std::size_t{1} << 20, 20, 1.05},
                        {"(b) 10,000 files of 16 KiB", 10000, std::size_t{16} << 10, 50, 1.3}};
    for (const Set& set : sets) {
        if (againOnly && set.files != 10000)
            continue;
        const fs::path player = fs::path(work) / "volume" / "Player";
        const std::vector<std::string> sources = makePlayer(player / "iPod_Control" / "Music", set);
        mounted = {"/", player.string()};
        window->refreshBtn_Action(); // the scan, the music folders and the count
        const std::string count = control<platform::StaticText>(window, "iPodFiles")->Text().bytes();
        const std::size_t files = sources.size();

        Series cpTimes, ourTimes;
        for (int round = 0; round < (againOnly ? 0 : rounds); ++round) {
            const auto cp = [&] {
                return timed(work + "/dest-cp", files, [&] {
                    fs::create_directory(work + "/dest-cp");
                    runCp(sources, work + "/dest-cp");
                });
            };
            // The program makes the destination itself.
            const auto ours = [&] { return timed(work + "/dest-program", files, [&] { clickCopyAll(window, work + "/dest-program"); }); };
            inTurns(round, cpTimes, cp, ourTimes, ours);
        }
        std::printf("%s, %d music folders (the label reads \"%s\")\n", set.label, set.folders, count.c_str());
        if (!againOnly) {
            const double ratio = median(ourTimes.copy) / median(cpTimes.copy);
            const double ratioSync = median(ourTimes.withSync) / median(cpTimes.withSync);
            std::printf("  cp -p      %7.3f s, %7.3f s with the final sync\n", median(cpTimes.copy), median(cpTimes.withSync));
            std::printf("  Copy All   %7.3f s, %7.3f s with the final sync\n", median(ourTimes.copy), median(ourTimes.withSync));
            std::printf("  ratio      %7.3f,   %7.3f with the final sync   (target %.2f: %s)\n", ratio, ratioSync,
                        set.target, std::max(ratio, ratioSync) <= set.target ? "met" : "MISSED");
        }

        // The same again into a folder that holds every file already, so that no bytes
        // move; against the same walk without the progress window and the yields (each
        // entry found anew from its path and handed to the copy, as Copy All does), and
        // against the copy engine alone.
        const std::string full = work + "/dest-full";
        clickCopyAll(window, full);
        const Ref<platform::FolderItem> fullFolder = platform::FolderItem::forNativePath(full);
        std::vector<double> again, bareWalk, engineAlone, once;
        for (int round = 0; round < std::max(rounds, 5); ++round) {
            auto start = Clock::now();
            clickCopyAll(window, full);
            again.push_back(secondsSince(start));

            start = Clock::now();
            for (std::int32_t row = 0; row < control<platform::Listbox>(window, "folders")->ListCount(); ++row) {
                const Ref<platform::FolderItem> folder = platform::GetFolderItem(window->musicFolderPath(row));
                for (std::int32_t i = 1, n = folder->Count(); i <= n; ++i)
                    if (!platform::GetFolderItem(folder->Item(i)->AbsolutePath())->CopyFileTo(*fullFolder).succeeded())
                        die("the bare walk failed");
            }
            bareWalk.push_back(secondsSince(start));

            start = Clock::now();
            runEngine(sources, full);
            engineAlone.push_back(secondsSince(start));

            // What a Copy All costs once, whatever it copies: the question, the progress
            // window and the destination. Timed over no music folders at all.
            control<platform::Listbox>(window, "folders")->DeleteAllRows();
            start = Clock::now();
            clickCopyAll(window, full);
            once.push_back(secondsSince(start));
            window->refreshBtn_Action();
        }
        if (entriesIn(full) != files)
            die("a copy into the full folder wrote a file");
        const auto perFile = [&](double seconds) { return seconds / static_cast<double>(files) * 1e6; };
        const double progress = perFile(median(again) - median(once) - median(bareWalk));
        std::printf("  into a folder that has them all: Copy All %.3f s (of which %.3f s once for the question and "
                    "the window), the bare walk %.3f s, the engine alone %.3f s\n",
                    median(again), median(once), median(bareWalk), median(engineAlone));
        std::printf("  the program's own work per file                    %6.1f us\n",
                    perFile(median(again) - median(once) - median(engineAlone)));
        std::printf("    of which finding each entry anew from its path   %6.1f us\n",
                    perFile(median(bareWalk) - median(engineAlone)));
        std::printf("    of which the progress update and the yield       %6.1f us   (target 50 us: %s)\n", progress,
                    progress < 50 ? "met" : "MISSED");
        fs::remove_all(full);
        fs::remove_all(fs::path(work) / "volume");
        syncFolder(work);
    }

    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const double peak = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("peak memory of this process: %.1f MB   (target 100 MB: %s)\n", peak, peak < 100 ? "met" : "MISSED");

    fs::remove_all(work);
    // The windows go while Qt is still there, as at the program's own end.
    window->Close();
    window.reset();
    platform::releaseWindowLists();
    platform::setVolumeSource({});
    return 0;
}
