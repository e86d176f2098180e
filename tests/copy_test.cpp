// Copying the selected files and Copy All: what the progress window shows at each file,
// stopping with Command-period, names that are taken already, files and disks that fail,
// and what the user may do while a copy runs.

#include "MainWindowFixture.h"

#include "browser/Window2.h"
#include "runtime/EventLoop.h"
#include "ui/EditField.h"
#include "ui/Keyboard.h"
#include "ui/ProgressBar.h"
#include "ui/Timer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

using namespace browsertest;
namespace fs = std::filesystem;

namespace {

using parvolin::Window2;

// What the progress window shows at one moment; `window` is null while none is open. The
// window is held, so that a later window cannot take its place in memory.
struct Progress {
    Ref<Window> held;
    const Window* window = nullptr;
    std::string counter;
    bool barShown = false;
    bool counterShown = false;
    bool hintShown = false;
    std::int32_t value = 0;
    std::int32_t maximum = 0;
};

// Looks at the open progress window without building one.
Progress progressNow()
{
    Progress seen;
    const Ref<Window> window = GetImplicitWindow(Window2::kClassName);
    if (!window)
        return seen;
    const Ref<ProgressBar> bar = RuntimeWindowControlByName<ProgressBar>(window, "ProgressBar1");
    const Ref<StaticText> counter = RuntimeWindowControlByName<StaticText>(window, "copyCounter");
    seen.held = window;
    seen.window = window.get();
    seen.counter = counter->Text().bytes();
    seen.barShown = bar->Visible();
    seen.counterShown = counter->Visible();
    seen.hintShown = RuntimeWindowControlByName<StaticText>(window, "stopInfo")->Visible();
    seen.value = bar->Value();
    seen.maximum = bar->Maximum();
    return seen;
}

// Runs `each` at every pass of the event loop that no modal dialog holds: inside a copy,
// at every yield. Passes are counted from 1. The event posts itself again when it is
// delivered, and Qt delivers such an event at the next pass only.
class YieldWatch : public QObject {
public:
    explicit YieldWatch(std::function<void(int pass)> each) : each_(std::move(each)) { post(); }

    int passes() const { return passes_; }

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() != kPass)
            return;
        post();
        if (QApplication::activeModalWidget())
            return;
        each_(++passes_);
    }

private:
    void post() { QCoreApplication::postEvent(this, new QEvent(kPass)); }

    static inline const QEvent::Type kPass = static_cast<QEvent::Type>(QEvent::registerEventType());
    std::function<void(int)> each_;
    int passes_ = 0;
};

// Answers every message box as it comes up: a question with Yes (or No), a message with
// OK; and keeps what each showed, with the state of the progress window behind it.
class MessageBoxes {
public:
    struct Shown {
        std::string text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        Progress progress;
    };

    MessageBoxes()
    {
        poll_.setInterval(0);
        QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box == answered_)
                return;
            answered_ = box;
            shown.push_back({box->text().toStdString(), box->icon(), box->standardButtons(), progressNow()});
            const bool question = box->button(QMessageBox::Yes) != nullptr;
            if (question && beforeYes)
                beforeYes();
            box->button(!question ? QMessageBox::Ok : answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        poll_.start();
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Shown& s : shown)
            result.push_back(s.text);
        return result;
    }

    bool answerYes = true;
    // Runs just before a question is answered Yes, inside the dialog's wait.
    std::function<void()> beforeYes;
    std::vector<Shown> shown;

private:
    QTimer poll_;
    QPointer<QMessageBox> answered_;
};

// Closing the main window quits the event loop. A test that closed one leaves that quit
// pending, and every message box after it would return at once; one turn of the
// application's own loop takes it.
void clearPendingQuit()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
    QApplication::exec();
}

std::string abortMessage(int copied)
{
    return "Copy aborted.\n\nCopy progress stopped.\n" + std::to_string(copied) + " files where copied succesfully.";
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A small file system mounted on `folder` that only this process sees: the test process
// takes a mount namespace of its own the first time. Unmounted when the object goes.
class PrivateMount {
public:
    PrivateMount(const std::string& folder, unsigned long flags, const std::string& options) : folder_(folder)
    {
        static const int unshared = [] {
            if (::unshare(CLONE_NEWNS) != 0)
                return errno;
            // Mounts made here must not reach the system's namespace.
            return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 ? 0 : errno;
        }();
        if (unshared != 0) {
            refused = std::string("this system gives the test no mount namespace of its own (") +
                      std::strerror(unshared) + ")";
            return;
        }
        if (::mount("tmpfs", folder.c_str(), "tmpfs", flags, options.c_str()) != 0) {
            refused = std::string("a tmpfs cannot be mounted here (") + std::strerror(errno) + ")";
            return;
        }
        mounted_ = true;
    }
    ~PrivateMount()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    PrivateMount(const PrivateMount&) = delete;
    PrivateMount& operator=(const PrivateMount&) = delete;

    // Why there is no mount; empty when it is there.
    std::string refused;

private:
    std::string folder_;
    bool mounted_ = false;
};

class CopyTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        clearPendingQuit();
        MainWindowFixture::SetUp();
        ASSERT_TRUE(scratch.isValid());
        player = volumes.mount("Player");
        music = player + "/iPod_Control/Music";
        destination = scratch.path().toStdString() + "/Copies";
        (void)UserCancelled(); // a press left over from another test
    }

    // A song of its own bytes (and its own length) in a music folder.
    void song(const std::string& folder, const std::string& name, std::size_t size = 0)
    {
        const std::string relative = folder + "/" + name;
        std::string bytes = "song " + relative + " ";
        bytes.resize(size ? size : bytes.size() + 3 * (sources.size() + 1), static_cast<char>('a' + sources.size() % 26));
        testsupport::makeEntries(music, {relative}, bytes);
        sources[relative] = bytes;
    }
    // Songs named after their folder ("F00-1.mp3", "F00-2.mp3", ...).
    void songs(const std::string& folder, int count, std::size_t size = 0)
    {
        for (int i = 1; i <= count; ++i)
            song(folder, folder + "-" + std::to_string(i) + ".mp3", size);
    }
    void emptyFolder(const std::string& folder) { testsupport::makeEntries(music, {folder + "/"}); }

    // Opens the main window on the player and sets the destination.
    void openWithDestination(const std::string& folder)
    {
        open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->widget()));
        control<EditField>("copyTo")->setText(FolderItem::forNativePath(folder)->AbsolutePath());
    }
    void openWithDestination() { openWithDestination(destination); }

    // Lists a music folder in the file list and selects the rows given.
    void listAndSelect(const std::string& folder, const std::vector<int>& rows)
    {
        const std::vector<std::string> shownFolders = column("folders");
        const auto row = std::find(shownFolders.begin(), shownFolders.end(), folder);
        ASSERT_NE(row, shownFolders.end()) << folder;
        window->readIpodFiles(static_cast<std::int32_t>(row - shownFolders.begin()));
        for (int selected : rows)
            control<Listbox>("ListBox1")->setSelected(selected, true);
    }
    // The source of a file row, as "folder/name".
    std::string rowSource(const std::string& folder, int row) { return folder + "/" + column("ListBox1").at(row); }

    // The files as Copy All meets them: the rows of the folder list in order, and the
    // entries of each folder in the folder's own order.
    std::vector<std::string> walkOrder()
    {
        std::vector<std::string> order;
        for (const std::string& folder : column("folders"))
            for (const std::string& name : testsupport::folderOrder(music + "/" + folder))
                order.push_back(folder + "/" + name);
        return order;
    }

    void clickCopy(const char* caption)
    {
        const Ref<PushButton> button = control<PushButton>("copyBtn");
        button->setCaption(Text(caption));
        button->setEnabled(true);
        qobject_cast<QPushButton*>(button->widget())->click();
    }
    // The user presses Command-period; a running copy sees it at its next stop test.
    void pressStop() { QTest::keyClick(window->widget(), Qt::Key_Period, Qt::ControlModifier); }

    std::int32_t timer2() { return control<Timer>("Timer2")->Period(); }

    // Every entry of a folder, hidden ones included, with its bytes.
    static std::map<std::string, std::string> contents(const std::string& folder)
    {
        std::map<std::string, std::string> found;
        if (fs::exists(folder))
            for (const fs::directory_entry& entry : fs::directory_iterator(folder))
                found[entry.path().filename().string()] = readFile(entry.path());
        return found;
    }
    // What the destination must hold: the sources named, each under its own name.
    std::map<std::string, std::string> copiesOf(const std::vector<std::string>& relatives)
    {
        std::map<std::string, std::string> expected;
        for (const std::string& relative : relatives)
            expected[fs::path(relative).filename().string()] = sources.at(relative);
        return expected;
    }
    // What the destination holds. A song's copy carries the song's modification time (its
    // access time differs, so a copy that took that one shows).
    std::map<std::string, std::string> arrived()
    {
        const std::map<std::string, std::string> found = contents(destination);
        for (const auto& [name, bytes] : found)
            for (const auto& [relative, songBytes] : sources) {
                if (bytes != songBytes)
                    continue;
                std::error_code gone;
                const fs::file_time_type songTime = fs::last_write_time(music + "/" + relative, gone);
                if (!gone) {
                    EXPECT_EQ(fs::last_write_time(destination + "/" + name).time_since_epoch().count(),
                              songTime.time_since_epoch().count())
                        << name << " lost the modification time of " << relative;
                }
            }
        return found;
    }

    // After every copy, however it ended: the timer at its pace and no progress window.
    void expectCopyEnded()
    {
        EXPECT_EQ(timer2(), 100);
        EXPECT_EQ(progressNow().window, nullptr);
    }

    QTemporaryDir scratch;
    std::string player, music, destination;
    std::map<std::string, std::string> sources;
    MessageBoxes messages;
};

// ---- The steps of each copy ---------------------------------------------------------------------

TEST_F(CopyTest, SelectedRowsAreCopiedFromTheLastUpWhileTheCounterShowsTheFileAtWork)
{
    struct Case {
        const char* what;
        std::vector<int> selected;
        // The counter at the yield after each row, from row 7 up to row 0.
        std::vector<std::string> counters;
    };
    const Case cases[] = {
        {"rows 2 and 5", {2, 5}, {"1/2", "1/2", "2/2", "2/2", "2/2", "3/2", "3/2", "3/2"}},
        {"row 3 alone", {3}, {"1/1", "1/1", "1/1", "1/1", "2/1", "2/1", "2/1", "2/1"}},
        {"every row", {0, 1, 2, 3, 4, 5, 6, 7}, {"2/8", "3/8", "4/8", "5/8", "6/8", "7/8", "8/8", "9/8"}},
        {"no row: every row is still visited", {}, {"1/0", "1/0", "1/0", "1/0", "1/0", "1/0", "1/0", "1/0"}},
    };
    songs("F00", 8);
    openWithDestination();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(destination); // made again by each copy
        control<Listbox>("ListBox1")->setListIndex(-1);
        listAndSelect("F00", c.selected);
        const std::set<int> selected(c.selected.begin(), c.selected.end());

        struct Seen {
            Progress progress;
            std::int32_t timer;
            std::map<std::string, std::string> arrived;
        };
        std::vector<Seen> seen;
        YieldWatch watch([&](int) { seen.push_back({progressNow(), timer2(), arrived()}); });
        clickCopy("Copy");

        ASSERT_EQ(seen.size(), 8u) << "one yield for every row";
        for (int pass = 0; pass < 8; ++pass) {
            SCOPED_TRACE("yield after row " + std::to_string(7 - pass));
            const Seen& s = seen[static_cast<std::size_t>(pass)];
            EXPECT_EQ(s.progress.window, seen.front().progress.window);
            ASSERT_NE(s.progress.window, nullptr);
            EXPECT_EQ(s.progress.counter, c.counters[static_cast<std::size_t>(pass)]);
            EXPECT_EQ(s.progress.value, std::stoi(s.progress.counter));
            EXPECT_EQ(s.progress.maximum, static_cast<std::int32_t>(selected.size()));
            EXPECT_TRUE(s.progress.barShown && s.progress.counterShown && s.progress.hintShown);
            EXPECT_EQ(s.timer, 100000);
            // The selected rows from the bottom down to this one have arrived, no others.
            std::vector<std::string> due;
            for (int row : selected)
                if (row >= 7 - pass)
                    due.push_back(rowSource("F00", row));
            EXPECT_EQ(s.arrived, copiesOf(due));
        }
        expectCopyEnded();
        EXPECT_TRUE(fs::is_directory(destination));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, CopyAllAsksFirstAndOnYesCopiesEveryFileOfEveryFolderByteForByte)
{
    // F02 is missing: the folders are walked by the names the rows show.
    songs("F00", 2);
    emptyFolder("F01");
    song("F03", "a.m4a");
    song("F03", "b.mp3");
    song("F03", "c");
    openWithDestination();
    ASSERT_EQ(label("iPodFiles"), Text("5 audio files"));
    const std::string copyTo = control<EditField>("copyTo")->Text().bytes();

    // No: nothing happens at all.
    messages.answerYes = false;
    clickCopy("Copy All");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Copy all\n\nAre you sure to copy all the 5 audio files files to the " + copyTo +
                                          " folder?");
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(messages.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(fs::exists(destination));
    expectCopyEnded();

    // Yes: every entry is copied, in the order of the walk, while the counter and the bar
    // show the entry that comes next.
    messages.answerYes = true;
    const std::vector<std::string> order = walkOrder();
    ASSERT_EQ(order.size(), 5u);
    std::vector<std::string> counters;
    std::vector<std::map<std::string, std::string>> arrivals;
    YieldWatch watch([&](int) {
        const Progress progress = progressNow();
        EXPECT_TRUE(progress.window && progress.barShown && progress.counterShown && progress.hintShown);
        EXPECT_EQ(progress.maximum, 5);
        EXPECT_EQ(timer2(), 100000);
        counters.push_back(progress.counter + " bar " + std::to_string(progress.value));
        arrivals.push_back(arrived());
    });
    clickCopy("Copy All");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, messages.shown[0].text);

    // One yield after each entry and one after each folder, the empty one included.
    std::vector<std::string> expectedCounters;
    std::vector<std::map<std::string, std::string>> expectedArrivals;
    std::size_t copied = 0;
    for (const std::string& folder : column("folders")) {
        const std::size_t entries = testsupport::folderOrder(music + "/" + folder).size();
        for (std::size_t i = 0; i <= entries; ++i) {
            if (i < entries)
                ++copied;
            expectedCounters.push_back(std::to_string(copied + 1) + "/5 bar " + std::to_string(copied + 1));
            expectedArrivals.push_back(copiesOf({order.begin(), order.begin() + static_cast<long>(copied)}));
        }
    }
    EXPECT_EQ(counters, expectedCounters);
    EXPECT_EQ(arrivals, expectedArrivals);
    EXPECT_EQ(arrived(), copiesOf(order));
    expectCopyEnded();
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, WithNothingToCopyEitherCopyStillMakesTheDestination)
{
    // A player without music folders: the file list is empty, and Copy All has no folder
    // to walk. Neither yields; the progress window opens and closes again.
    testsupport::makeEntries(player, {"iPod_Control/Music/"});
    openWithDestination();
    ASSERT_EQ(control<Listbox>("folders")->ListCount(), 0);
    for (const char* caption : {"Copy", "Copy All"}) {
        SCOPED_TRACE(caption);
        fs::remove_all(destination);
        messages.shown.clear();
        YieldWatch watch([](int) {});
        clickCopy(caption);
        EXPECT_EQ(watch.passes(), 0);
        EXPECT_TRUE(fs::is_directory(destination));
        EXPECT_TRUE(arrived().empty());
        EXPECT_EQ(messages.shown.size(), std::string(caption) == "Copy All" ? 1u : 0u); // the question alone
        expectCopyEnded();
    }
    EXPECT_TRUE(reports.reports().empty());
}

// ---- Command-period --------------------------------------------------------------------------------

TEST_F(CopyTest, CommandPeriodStopsEitherCopyBeforeTheNextFileAndSaysHowManyArrived)
{
    enum class Kind { Selected, All };
    struct Case {
        const char* what;
        Kind kind;
        int pressAtYield; // 0: just as the copy starts
        int copied;
        bool message;
    };
    // The player holds F00 with 6 files and F01 with 3. The selected copy has all of F00's
    // rows selected, one yield per row. Copy All yields after every entry and every folder,
    // so whichever folder comes first, its third entry ends at yield 3 and the ninth entry
    // of the walk at yield 10.
    const Case cases[] = {
        {"selected, before the first file", Kind::Selected, 0, 0, true},
        {"selected, after three files", Kind::Selected, 3, 3, true},
        {"selected, during the last file", Kind::Selected, 6, 6, false},
        {"all, before the first file", Kind::All, 0, 0, true},
        {"all, after three files", Kind::All, 3, 3, true},
        {"all, during the last file", Kind::All, 10, 9, false},
    };
    songs("F00", 6);
    songs("F01", 3);
    openWithDestination();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(destination);
        messages.shown.clear();
        (void)UserCancelled();
        std::vector<std::string> order;
        if (c.kind == Kind::Selected) {
            listAndSelect("F00", {0, 1, 2, 3, 4, 5});
            for (int row = 5; row >= 0; --row)
                order.push_back(rowSource("F00", row));
        } else {
            order = walkOrder();
        }
        const std::size_t questions = c.kind == Kind::All ? 1 : 0;

        YieldWatch watch([&](int pass) {
            if (pass == c.pressAtYield)
                pressStop();
        });
        if (c.pressAtYield == 0 && c.kind == Kind::Selected)
            pressStop();
        messages.beforeYes = c.pressAtYield == 0 ? std::function<void()>([&] { pressStop(); }) : nullptr;
        clickCopy(c.kind == Kind::All ? "Copy All" : "Copy");

        EXPECT_EQ(arrived(), copiesOf({order.begin(), order.begin() + c.copied}));
        ASSERT_EQ(messages.shown.size(), questions + (c.message ? 1 : 0));
        if (c.message) {
            const MessageBoxes::Shown& stop = messages.shown.back();
            EXPECT_EQ(stop.text, abortMessage(c.copied));
            EXPECT_EQ(stop.icon, QMessageBox::NoIcon);
            EXPECT_EQ(stop.buttons, QMessageBox::Ok);
            // Shown while the progress window is still up, with the file that was next.
            EXPECT_NE(stop.progress.window, nullptr);
            EXPECT_EQ(stop.progress.counter, std::to_string(c.copied + 1) + "/" + (c.kind == Kind::All ? "9" : "6"));
        }
        expectCopyEnded();
    }
    EXPECT_TRUE(reports.reports().empty());
}

// ---- Names that are taken already ---------------------------------------------------------------

TEST_F(CopyTest, EqualNamesFromTwoFoldersBothArriveAndASecondCopyAllAddsNothing)
{
    song("F00", "1.mp3");
    song("F01", "1.mp3");
    song("F01", "2.mp3");
    openWithDestination();
    clickCopy("Copy All");
    ASSERT_EQ(messages.shown.size(), 1u); // the question alone

    // The second of the two goes beside the first under the next free name.
    const std::vector<std::string> order = walkOrder();
    const std::string first = order[0] == "F00/1.mp3" || order[0] == "F01/1.mp3" ? order[0] : order[1];
    const std::string second = first == "F00/1.mp3" ? "F01/1.mp3" : "F00/1.mp3";
    const std::map<std::string, std::string> expected{
        {"1.mp3", sources[first]}, {"1 2.mp3", sources[second]}, {"2.mp3", sources["F01/2.mp3"]}};
    EXPECT_EQ(arrived(), expected);

    // Running it again finds every file there already: nothing is written, nothing is
    // reported missing.
    // A file written again would have a new inode or a new change time.
    const auto identity = [&](const std::string& name) {
        struct stat info {};
        EXPECT_EQ(::stat((destination + "/" + name).c_str(), &info), 0) << name;
        return std::to_string(info.st_ino) + " " + std::to_string(info.st_ctim.tv_sec) + "." +
               std::to_string(info.st_ctim.tv_nsec);
    };
    std::map<std::string, std::string> before;
    for (const auto& [name, bytes] : expected)
        before[name] = identity(name);
    clickCopy("Copy All");
    EXPECT_EQ(messages.shown.size(), 2u); // the question alone again
    EXPECT_EQ(arrived(), expected);
    for (const auto& [name, was] : before)
        EXPECT_EQ(identity(name), was) << name << " was written again";
    expectCopyEnded();
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, AnotherFileUnderATakenNameIsNeverOverwritten)
{
    songs("F00", 2);
    fs::create_directories(destination);
    std::ofstream(destination + "/F00-1.mp3", std::ios::binary) << "the user's own file";
    openWithDestination();
    listAndSelect("F00", {0, 1});
    clickCopy("Copy");

    std::map<std::string, std::string> expected{{"F00-1.mp3", "the user's own file"},
                                                {"F00-1 2.mp3", sources["F00/F00-1.mp3"]},
                                                {"F00-2.mp3", sources["F00/F00-2.mp3"]}};
    EXPECT_EQ(arrived(), expected);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(reports.reports().empty());
}

// ---- Files and disks that fail --------------------------------------------------------------------

TEST_F(CopyTest, AFileThatCannotBeCopiedIsNamedAndNotCountedAndTheCopyGoesOn)
{
    songs("F00", 4);
    songs("F01", 6);
    openWithDestination();
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped after the third file" : "to the end");
        fs::remove_all(destination);
        messages.shown.clear();
        listAndSelect("F00", {0, 1, 2, 3});
        // The second row visited lost its file after it was listed.
        const std::string lost = rowSource("F00", 2);
        const std::string bytes = sources.at(lost);
        fs::remove(music + "/" + lost);
        const std::string named = "1 file could not be copied.\n\n1: the file no longer exists (\"" + music + "/" + lost + "\").";

        std::vector<std::string> counters;
        YieldWatch watch([&](int pass) {
            counters.push_back(progressNow().counter);
            if (stop && pass == 3)
                pressStop();
        });
        clickCopy("Copy");

        if (!stop) {
            // The counter still shows the file at work; the others arrived.
            EXPECT_EQ(counters, (std::vector<std::string>{"2/4", "3/4", "4/4", "5/4"}));
            EXPECT_EQ(arrived(), copiesOf({rowSource("F00", 3), rowSource("F00", 1), rowSource("F00", 0)}));
            EXPECT_EQ(messages.texts(), std::vector<std::string>{named});
            EXPECT_EQ(messages.shown.at(0).progress.window, nullptr) << "said after the progress window closed";
        } else {
            // Three files were tried, two arrived; the one that did not is named after the stop.
            EXPECT_EQ(arrived(), copiesOf({rowSource("F00", 3), rowSource("F00", 1)}));
            EXPECT_EQ(messages.texts(), (std::vector<std::string>{abortMessage(2), named}));
        }
        expectCopyEnded();
        testsupport::makeEntries(music, {lost}, bytes);
    }

    // Files that failed in different ways: each kind is said once, with the number of files
    // it hit and the first of them, the kind that hit most first, the others in the order
    // they were met. From the last row up: a link off the player, a pipe, a file, a file
    // gone, a file, a file gone.
    fs::remove_all(destination);
    messages.shown.clear();
    listAndSelect("F01", {0, 1, 2, 3, 4, 5});
    const auto rowPath = [&](int row) { return music + "/" + rowSource("F01", row); };
    const std::string outside = scratch.path().toStdString() + "/outside.mp3";
    std::ofstream(outside, std::ios::binary) << "not the player's";
    fs::remove(rowPath(5));
    fs::create_symlink(outside, rowPath(5));
    fs::remove(rowPath(4));
    ASSERT_EQ(::mkfifo(rowPath(4).c_str(), 0644), 0);
    fs::remove(rowPath(3));
    fs::remove(rowPath(1));
    clickCopy("Copy");
    EXPECT_EQ(arrived(), copiesOf({rowSource("F01", 2), rowSource("F01", 0)}));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"4 files could not be copied.\n\n"
                                                         "2: the file no longer exists (first: \"" + rowPath(3) + "\").\n"
                                                         "1: a link that leads off the player (\"" + rowPath(5) + "\").\n"
                                                         "1: a named pipe, not a file (\"" + rowPath(4) + "\")."});
    expectCopyEnded();
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, APipeAmongTheEntriesIsPassedOverWithoutWaitingOnIt)
{
    song("F00", "1.mp3");
    ASSERT_EQ(::mkfifo((music + "/F00/pipe").c_str(), 0644), 0);
    song("F00", "3.mp3");
    openWithDestination();
    clickCopy("Copy All");

    EXPECT_EQ(arrived(), copiesOf({"F00/1.mp3", "F00/3.mp3"}));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "1 file could not be copied.\n\n1: a named pipe, not a file (\"" + music + "/F00/pipe\").");
    expectCopyEnded();
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, ADestinationThatCannotBeMadeIsSaidBeforeAnythingIsCopied)
{
    struct Case {
        const char* what;
        std::string copyTo;
        std::string said;
    };
    songs("F00", 2);
    openWithDestination();
    listAndSelect("F00", {0, 1});
    const std::string inScratch = FolderItem::forNativePath(scratch.path().toStdString())->AbsolutePath().bytes();
    std::ofstream(scratch.path().toStdString() + "/a file", std::ios::binary) << "x";
    fs::create_symlink(scratch.path().toStdString(), player + "/away");
    const Case cases[] = {
        {"on a disk that is not there", "Gone:Copies", "The destination folder \"Gone:Copies\" cannot be found"},
        {"inside a folder that is not there", inScratch + "missing:Copies",
         "The destination folder \"" + inScratch + "missing:Copies\" cannot be found"},
        {"a file, not a folder", inScratch + "a file", "is a file, not a folder"},
        {"a link off its disk, not followed", "Player:away:", "The destination \"Player:away:\" is a link that leads off its disk."},
    };
    for (const char* caption : {"Copy", "Copy All"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(caption) + ": " + c.what);
            messages.shown.clear();
            control<EditField>("copyTo")->setText(Text(c.copyTo));
            const std::size_t before = reports.reports().size();
            YieldWatch watch([](int) {});
            clickCopy(caption);
            EXPECT_EQ(watch.passes(), 0) << "nothing was copied";
            ASSERT_EQ(reports.reports().size(), before + 1);
            EXPECT_NE(reports.reports().back().message.find(c.said), std::string::npos)
                << reports.reports().back().message;
            EXPECT_EQ(messages.shown.size(), std::string(caption) == "Copy All" ? 1u : 0u);
            expectCopyEnded();
        }
    }
    EXPECT_EQ(contents(scratch.path().toStdString()).size(), 1u) << "nothing was made";
}

TEST_F(CopyTest, AReadOnlyDestinationIsSaidPlainly)
{
    const std::string mountPoint = scratch.path().toStdString() + "/readonly";
    fs::create_directories(mountPoint);
    PrivateMount readOnly(mountPoint, MS_RDONLY, "size=1m");
    if (!readOnly.refused.empty())
        GTEST_SKIP() << readOnly.refused;
    songs("F00", 3);
    openWithDestination(mountPoint);
    const std::string copyTo = control<EditField>("copyTo")->Text().bytes();

    // The folder is there but takes nothing: one message for the three files.
    clickCopy("Copy All");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "3 files could not be copied.\n\n3: the destination disk is read-only (first: \"" +
                                          music + "/" + walkOrder().front() + "\").");
    expectCopyEnded();

    // A folder to be made there: said at once, before any file.
    control<EditField>("copyTo")->setText(Text(copyTo + "Copies"));
    clickCopy("Copy All");
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_NE(reports.reports()[0].message.find("Could not create the folder \"" + mountPoint +
                                                "/Copies\": the disk is read-only."),
              std::string::npos)
        << reports.reports()[0].message;
    EXPECT_TRUE(contents(mountPoint).empty());
    expectCopyEnded();
}

TEST_F(CopyTest, AFullDiskKeepsTheFilesThatFitWholeAndNamesTheRest)
{
    const std::string mountPoint = scratch.path().toStdString() + "/small";
    fs::create_directories(mountPoint);
    PrivateMount small(mountPoint, 0, "size=1m");
    if (!small.refused.empty())
        GTEST_SKIP() << small.refused;
    songs("F00", 5, 300 * 1024);
    destination = mountPoint + "/Copies";
    openWithDestination();
    const std::vector<std::string> order = walkOrder();
    clickCopy("Copy All");

    // Three fit; each file there is whole, and nothing else is there.
    EXPECT_EQ(arrived(), copiesOf({order.begin(), order.begin() + 3}));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "2 files could not be copied.\n\n2: the destination disk is full (first: \"" + music + "/" + order[3] + "\").");
    expectCopyEnded();
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, APlayerRemovedDuringTheCopyIsSaidAndLeavesNothingHalfDone)
{
    enum class Removal { FolderDeleted, DiskPulled };
    enum class Kind { Selected, All };
    struct Case {
        const char* what;
        Removal removal;
        Kind kind;
    };
    const Case cases[] = {
        {"selected, folder deleted", Removal::FolderDeleted, Kind::Selected},
        {"selected, disk pulled", Removal::DiskPulled, Kind::Selected},
        {"all, folder deleted", Removal::FolderDeleted, Kind::All},
        {"all, disk pulled", Removal::DiskPulled, Kind::All},
    };
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A player of its own for each case, since each case takes it away; a new scan
        // finds it.
        sources.clear();
        player = volumes.mount("Player" + std::to_string(++made));
        music = player + "/iPod_Control/Music";
        songs("F00", 3);
        songs("F01", 3);
        if (!window)
            openWithDestination();
        else
            clickRefresh();
        ASSERT_EQ(label("iPodPath"), Text("Player" + std::to_string(made) + ":iPod_Control:"));
        fs::remove_all(destination);
        messages.shown.clear();
        const std::size_t reportsBefore = reports.reports().size();

        std::string first;
        if (c.kind == Kind::Selected) {
            listAndSelect("F00", {0, 1, 2});
            first = rowSource("F00", 2);
        } else {
            first = walkOrder().front();
        }
        YieldWatch watch([&](int pass) {
            if (pass != 1)
                return;
            if (c.removal == Removal::FolderDeleted)
                fs::remove_all(player + "/iPod_Control");
            else
                volumes.unmount(player);
        });
        clickCopy(c.kind == Kind::All ? "Copy All" : "Copy");

        EXPECT_EQ(arrived(), copiesOf({first}));
        const std::vector<std::string> said = messages.texts();
        if (c.kind == Kind::Selected) {
            // Both files left are named as lost, in one message.
            ASSERT_EQ(said.size(), 1u);
            EXPECT_EQ(said[0], "2 files could not be copied.\n\n2: the file can no longer be found (first: \"" +
                                   column("ListBox1", 3).at(1) + "\").");
            EXPECT_EQ(reports.reports().size(), reportsBefore);
        } else {
            // The rest of the first folder could not be copied, and the next folder is
            // not there: the walk cannot go on, and the report says so.
            EXPECT_EQ(said.size(), 1u); // the question
            ASSERT_EQ(reports.reports().size(), reportsBefore + 1);
            const std::string& report = reports.reports().back().message;
            EXPECT_NE(report.find("can no longer be found: the player may have been removed."), std::string::npos)
                << report;
            EXPECT_NE(report.find("1 file was copied; 2 files could not be copied."), std::string::npos) << report;
        }
        expectCopyEnded();
    }
}

// ---- What the user may do while a copy runs ---------------------------------------------------

TEST_F(CopyTest, AClickOnCopyDuringACopyRunsASecondCopyToItsEndInside)
{
    songs("F00", 6);
    openWithDestination();
    listAndSelect("F00", {0, 1, 2, 3, 4, 5});

    enum class Phase { Outer, Inner, OuterAgain } phase = Phase::Outer;
    std::vector<Progress> outer, inner, outerAgain;
    std::vector<std::int32_t> timerAfterInner;
    Progress rightAfterInner;
    std::map<std::string, std::string> arrivedAfterInner;
    YieldWatch watch([&](int) {
        if (phase == Phase::Inner) {
            inner.push_back(progressNow());
            return;
        }
        (phase == Phase::Outer ? outer : outerAgain).push_back(progressNow());
        if (phase == Phase::OuterAgain) {
            timerAfterInner.push_back(timer2());
            return;
        }
        if (outer.size() != 2)
            return;
        // The progress window is no modal dialog: the main window takes the click.
        phase = Phase::Inner;
        QTest::mouseClick(control<PushButton>("copyBtn")->widget(), Qt::LeftButton);
        phase = Phase::OuterAgain;
        rightAfterInner = progressNow();
        timerAfterInner.push_back(timer2());
        arrivedAfterInner = arrived();
    });
    clickCopy("Copy");

    // The inner copy used the open window, ran all its rows, then closed the window and
    // set the timer back.
    ASSERT_EQ(outer.size(), 2u);
    ASSERT_EQ(inner.size(), 6u);
    EXPECT_EQ(inner.front().window, outer.front().window);
    EXPECT_EQ(inner.back().counter, "7/6");
    EXPECT_EQ(rightAfterInner.window, nullptr);
    EXPECT_EQ(arrivedAfterInner.size(), 6u);
    // The outer copy went on in a new window whose bar, counter and hint stay hidden.
    ASSERT_EQ(outerAgain.size(), 4u);
    EXPECT_NE(outerAgain.front().window, nullptr);
    EXPECT_NE(outerAgain.front().window, outer.front().window);
    EXPECT_FALSE(outerAgain.front().barShown || outerAgain.front().counterShown || outerAgain.front().hintShown);
    EXPECT_EQ(outerAgain.front().counter, "4/6");
    EXPECT_EQ(outerAgain.back().counter, "7/6");
    EXPECT_EQ(timerAfterInner, std::vector<std::int32_t>(5, 100));

    // Every file arrived once: the second copy of each found it there already.
    std::vector<std::string> all;
    for (int row = 0; row < 6; ++row)
        all.push_back(rowSource("F00", row));
    EXPECT_EQ(arrived(), copiesOf(all));
    expectCopyEnded();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(CopyTest, AProgressWindowClosedDuringTheCopyComesBackAtTheNextFile)
{
    songs("F00", 6);
    openWithDestination();
    std::vector<Progress> seen;
    YieldWatch watch([&](int pass) {
        seen.push_back(progressNow());
        if (pass == 2)
            progressNow().window->widget()->close();
    });
    clickCopy("Copy All");

    ASSERT_EQ(seen.size(), 7u); // six entries and the folder
    for (std::size_t i = 2; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(seen[i].window, nullptr);
        EXPECT_NE(seen[i].window, seen[0].window);
        EXPECT_EQ(seen[i].window, seen[2].window);
        EXPECT_FALSE(seen[i].barShown || seen[i].counterShown || seen[i].hintShown);
        // The copy goes on filling the new window's controls, hidden as they are.
        EXPECT_EQ(seen[i].counter, std::to_string(std::min<std::size_t>(i + 2, 7)) + "/6");
        EXPECT_EQ(seen[i].value, static_cast<std::int32_t>(std::min<std::size_t>(i + 2, 7)));
    }
    EXPECT_EQ(arrived(), copiesOf(walkOrder()));
    expectCopyEnded();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(reports.reports().empty());
}

} // namespace
