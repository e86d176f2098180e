// Copying files and folders into one folder: whole copies or none, nothing overwritten,
// equal names kept apart, and the source only ever read.

#include "files/CopyNames.h"
#include "files/FileContent.h"
#include "files/FileCopy.h"
#include "files/FolderItem.h"
#include "files/StagedFile.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/sysmacros.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

using namespace platform;
using Status = CopyOutcome::Status;

namespace {

// A time long past: a copy that lost its source's time would show today's instead.
constexpr time_t kSongTime = 1241179201;
constexpr long kSongNanoseconds = 123456789;

[[noreturn]] void fail(const std::string& what) { throw std::system_error(errno, std::generic_category(), what); }

std::string patterned(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return bytes;
}

// Read a day after it was written: a copy that took the access time for its modification
// time shows.
void setTimes(const std::string& path, time_t seconds, long nanoseconds = kSongNanoseconds)
{
    const timespec times[2] = {{seconds + 86400, nanoseconds}, {seconds, nanoseconds}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        fail("utimensat " + path);
}

void writeAt(int fd, const std::string& bytes, off_t offset)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n <= 0)
            fail("pwrite");
        done += static_cast<std::size_t>(n);
    }
}

void writeFile(const std::string& path, const std::string& bytes, time_t seconds = kSongTime)
{
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        fail("create " + path);
    writeAt(fd, bytes, 0);
    ::close(fd);
    setTimes(path, seconds);
}

void makeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0755) != 0)
        fail("mkdir " + path);
}

// Reads without touching the access time, so that looking cannot disturb what is looked at.
std::string readFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOATIME);
    if (fd < 0)
        return "<unreadable " + path + ">";
    std::string bytes;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return bytes;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOATIME);
    if (fd < 0)
        return {"<no folder " + folder + ">"};
    DIR* listing = ::fdopendir(fd);
    while (const dirent* entry = ::readdir(listing))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    ::closedir(listing);
    std::sort(names.begin(), names.end());
    return names;
}

struct stat lstatOf(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        fail("lstat " + path);
    return info;
}

long long nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

// Everything a tree holds, down to every entry's times and bytes. Two states that are
// equal show that nothing in the tree was written, renamed, added, removed, changed in its
// metadata (the change time would move), or read with its access time touched.
struct EntryState {
    mode_t mode;
    off_t size;
    ino_t inode;
    long long modified;
    long long accessed;
    long long changed;
    std::uint64_t checksum;
    bool operator==(const EntryState&) const = default;
};
using TreeState = std::map<std::string, EntryState>;

std::uint64_t checksum(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

void collectState(const std::string& path, const std::string& relative, TreeState& state)
{
    const struct stat info = lstatOf(path);
    const bool file = S_ISREG(info.st_mode);
    state[relative] = EntryState{info.st_mode,
                                 info.st_size,
                                 info.st_ino,
                                 nanoseconds(info.st_mtim),
                                 nanoseconds(info.st_atim),
                                 nanoseconds(info.st_ctim),
                                 file ? checksum(readFile(path)) : 0};
    if (S_ISDIR(info.st_mode)) {
        for (const std::string& name : namesIn(path))
            collectState(path + "/" + name, relative + "/" + name, state);
        // Listing the folder must not have moved its own access time either.
        state[relative].accessed = nanoseconds(lstatOf(path).st_atim);
    }
}

TreeState stateOf(const std::string& root)
{
    TreeState state;
    collectState(root, ".", state);
    return state;
}

std::string differences(const TreeState& before, const TreeState& after)
{
    std::string text;
    for (const auto& [path, entry] : before) {
        const auto there = after.find(path);
        if (there == after.end())
            text += path + " is gone; ";
        else if (!(there->second == entry))
            text += path + " changed; ";
    }
    for (const auto& [path, entry] : after)
        if (!before.contains(path))
            text += path + " is new; ";
    return text;
}

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "parvolin-copy-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            fail("mkdtemp");
        path_ = pattern;
    }
    ~TempFolder()
    {
        // Folders made read-only by a test must become writable again to be removed.
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            if (it->is_directory(ignored) && !it->is_symlink(ignored))
                ::chmod(it->path().c_str(), 0755);
        ::chmod(path_.c_str(), 0755);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Takes a tree's state now and fails the test if the tree is not the same when the guard ends.
class UnchangedTree {
public:
    explicit UnchangedTree(std::string root) : root_(std::move(root)), before_(stateOf(root_)) {}
    ~UnchangedTree()
    {
        const std::string changes = differences(before_, stateOf(root_));
        EXPECT_EQ(changes, "") << "the tree " << root_ << " was changed";
    }
    UnchangedTree(const UnchangedTree&) = delete;
    UnchangedTree& operator=(const UnchangedTree&) = delete;

private:
    std::string root_;
    TreeState before_;
};

// Work done in a child process: a test whose copy could hang, that needs other rights, or
// that mounts file systems in a mount namespace of its own, out of everyone else's sight.
// The body answers with the problems it found (empty when all was well) or a reason to skip.
const char kSkipMark = '\x01';
std::string skipBecause(const std::string& why) { return std::string(1, kSkipMark) + why; }

struct ChildReport {
    bool skipped = false;
    std::string problems;
};

ChildReport inChild(const std::function<std::string()>& body, bool ownMounts, int seconds = 60)
{
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0)
        fail("pipe2");
    const pid_t child = ::fork();
    if (child < 0)
        fail("fork");
    if (child == 0) {
        ::close(channel[0]);
        std::string answer;
        if (ownMounts && ::unshare(CLONE_NEWNS) != 0)
            answer = skipBecause(std::string("no mount namespace may be made here: ") + std::strerror(errno));
        else if (ownMounts && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            answer = skipBecause(std::string("mounts may not be made private here: ") + std::strerror(errno));
        else {
            try {
                answer = "=" + body();
            } catch (const std::exception& e) {
                answer = std::string("=the child failed: ") + e.what();
            }
        }
        for (std::size_t done = 0; done < answer.size();) {
            const ssize_t n = ::write(channel[1], answer.data() + done, answer.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd wait{channel[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) == 0) {
            timedOut = true;
            break;
        }
        char buffer[4096];
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(channel[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (timedOut)
        return {false, "the child did not finish within " + std::to_string(seconds) + " s"};
    if (answer.empty())
        return {false, "the child ended without an answer"};
    if (answer[0] == kSkipMark)
        return {true, answer.substr(1)};
    return {false, answer.substr(1)};
}

#define EXPECT_CHILD_DONE(report)                                                                                     \
    do {                                                                                                              \
        const ChildReport childReport = (report);                                                                    \
        if (childReport.skipped)                                                                                      \
            GTEST_SKIP() << childReport.problems;                                                                     \
        EXPECT_EQ(childReport.problems, "");                                                                          \
    } while (false)

// Collects what a child finds wrong; each line names one problem.
class Findings {
public:
    void check(bool ok, const std::string& problem)
    {
        if (!ok)
            text_ += problem + "\n";
    }
    std::string text() const { return text_; }

private:
    std::string text_;
};

std::string describe(const CopyOutcome& outcome)
{
    static const char* const names[] = {"Copied", "AlreadyThere", "Failed"};
    return std::string(names[static_cast<int>(outcome.status)]) + " \"" + outcome.name + "\" " + outcome.reason;
}

std::string mountTmpfs(const std::string& where, const char* options)
{
    if (::mount("parvolin-test", where.c_str(), "tmpfs", 0, options) != 0)
        return skipBecause(std::string("tmpfs may not be mounted here: ") + std::strerror(errno));
    return {};
}

std::string bindReadOnly(const std::string& where)
{
    if (::mount(where.c_str(), where.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, where.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return skipBecause(std::string("a read-only bind mount may not be made here: ") + std::strerror(errno));
    return {};
}

// A player's music folders with equal names in two of them, as the random four-letter
// names of a real player give sooner or later. The tree is made read-only, and each test
// ends by checking that nothing in it changed.
class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        player = root.path() + "/player";
        music = player + "/Music";
        dest = root.path() + "/dest";
        makeFolder(player);
        makeFolder(music);
        makeFolder(music + "/F00");
        makeFolder(music + "/F01");
        makeFolder(music + "/F02");
        makeFolder(dest);
        writeFile(music + "/F00/ABCD.mp3", patterned(300 * 1024, 1));
        writeFile(music + "/F00/QWER.m4a", patterned(17, 2));
        writeFile(music + "/F01/ABCD.mp3", patterned(250 * 1024 + 7, 3));
        writeFile(music + "/F01/ZXCV.mp3", patterned(2 * 1024 * 1024, 4));
        for (const char* folder : {"/F00", "/F01", "/F02"})
            setTimes(music + folder, kSongTime);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(player)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                                           std::filesystem::perms::others_write,
                                         std::filesystem::perm_options::remove);
        }
        ::chmod(player.c_str(), 0555);
        guard.emplace(player);
    }

    void TearDown() override { guard.reset(); }

    std::string song(const std::string& folder, const std::string& name) const { return music + "/" + folder + "/" + name; }

    // Every entry of every music folder into `into`, one call each and the folders in order,
    // as the program's Copy All does.
    std::vector<CopyOutcome> copyAll(const std::string& into) const
    {
        std::vector<CopyOutcome> outcomes;
        for (const std::string& folder : namesIn(music))
            for (const std::string& name : namesIn(music + "/" + folder))
                outcomes.push_back(copyIntoFolder(song(folder, name), into));
        return outcomes;
    }

    TempFolder root;
    std::string player;
    std::string music;
    std::string dest;
    std::optional<UnchangedTree> guard;
};

} // namespace

TEST(CopyNames, TheNumberGoesBeforeTheExtension)
{
    struct Case {
        const char* name;
        int n;
        bool folder;
        const char* expected;
    };
    const Case cases[] = {
        {.name = "ABCD.mp3", .n = 1, .folder = false, .expected = "ABCD.mp3"},
        {.name = "ABCD.mp3", .n = 2, .folder = false, .expected = "ABCD 2.mp3"},
        {.name = "ABCD.mp3", .n = 13, .folder = false, .expected = "ABCD 13.mp3"},
        {.name = "ABCD", .n = 2, .folder = false, .expected = "ABCD 2"},
        {.name = "song.backup.mp3", .n = 3, .folder = false, .expected = "song.backup 3.mp3"},
        {.name = ".profile", .n = 2, .folder = false, .expected = ".profile 2"},
        {.name = ".hidden.mp3", .n = 2, .folder = false, .expected = ".hidden 2.mp3"},
        {.name = "song.", .n = 2, .folder = false, .expected = "song. 2"},
        {.name = "Live.2004", .n = 2, .folder = true, .expected = "Live.2004 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberedName(c.name, c.n, c.folder), c.expected) << c.name << " try " << c.n;
}

TEST(CopyNames, LongNamesStayWithinTheLimitAndKeepWholeCharacters)
{
    // 126 two-byte characters: 252 bytes, so " 2" and the extension do not fit beside them.
    std::string stem;
    for (int i = 0; i < 126; ++i)
        stem += "\xC3\xA9";
    const std::string numbered = numberedName(stem + ".mp3", 2, false);
    EXPECT_LE(numbered.size(), 255u);
    EXPECT_TRUE(numbered.ends_with(" 2.mp3")) << numbered;
    const std::string kept = numbered.substr(0, numbered.size() - 6);
    EXPECT_EQ(kept.size() % 2, 0u) << "a character was cut in two";
    EXPECT_TRUE(stem.starts_with(kept));

    const std::string longExtension = "a." + std::string(254, 'x');
    EXPECT_LE(numberedName(longExtension, 2, false).size(), 255u);
    EXPECT_TRUE(numberedName(longExtension, 2, false).ends_with(" 2"));
}

TEST(FileContent, EveryMethodCopiesLargeFilesWhole)
{
    TempFolder folder;
    const std::string source = folder.path() + "/large";
    // Crosses the kernel's chunk twice and the buffer's several times, and ends off both.
    const std::string bytes = patterned(2 * kKernelCopyChunk + 3 * kBufferChunk + 4321, 7);
    writeFile(source, bytes);
    for (const ContentMethod method : {ContentMethod::CopyRange, ContentMethod::SendFile, ContentMethod::ReadWrite}) {
        const std::string target = folder.path() + "/copy" + std::to_string(static_cast<int>(method));
        const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        const int to = ::open(target.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(from, 0);
        ASSERT_GE(to, 0);
        const ContentResult result = copyContent(from, to, static_cast<std::int64_t>(bytes.size()), method);
        ::close(from);
        ::close(to);
        EXPECT_EQ(result.error, 0) << std::strerror(result.error);
        EXPECT_EQ(result.bytes, static_cast<std::int64_t>(bytes.size()));
        EXPECT_TRUE(readFile(target) == bytes) << "method " << static_cast<int>(method);
    }
}

TEST(FileContent, AFileThatReportsNoSizeIsReadToItsEnd)
{
    // The kernel's own files report a size of 0 and still hold text.
    const std::string expected = readFile("/proc/version");
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(lstatOf("/proc/version").st_size, 0);
    TempFolder folder;
    const CopyOutcome outcome = copyIntoFolder("/proc/version", folder.path());
    ASSERT_EQ(outcome.status, Status::Copied) << describe(outcome);
    EXPECT_EQ(readFile(folder.path() + "/version"), expected);
}

// Another program may take the name between the look and the naming: the naming itself
// must refuse to replace it.
TEST(StagedFile, NamingNeverReplacesATakenName)
{
    for (const Staging staging : {Staging::UnnamedFile, Staging::HiddenName}) {
        SCOPED_TRACE(staging == Staging::UnnamedFile ? "unnamed temporary file" : "hidden temporary name");
        TempFolder folder;
        writeFile(folder.path() + "/taken.mp3", "the song that was there");
        const int dir = ::open(folder.path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(dir, 0);
        {
            StagedFile staged(dir);
            ASSERT_EQ(staged.create(staging), 0);
            writeAt(staged.fd(), "the new song", 0);
            ASSERT_EQ(staged.finish(lstatOf(folder.path() + "/taken.mp3")), 0);
            EXPECT_EQ(staged.publish("taken.mp3"), EEXIST);
            EXPECT_EQ(readFile(folder.path() + "/taken.mp3"), "the song that was there");
            EXPECT_EQ(staged.publish("free.mp3"), 0);
        }
        ::close(dir);
        EXPECT_EQ(readFile(folder.path() + "/free.mp3"), "the new song");
        EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"free.mp3", "taken.mp3"}));
    }
}

TEST_F(FileCopyTest, CopiesAreWholeAndKeepTheirModificationTime)
{
    const std::string files = root.path() + "/files";
    makeFolder(files);
    struct Sample {
        std::string name;
        std::string bytes;
    };
    std::vector<Sample> samples = {
        {"SMAL.mp3", patterned(1000, 11)},
        {"EMPT.mp3", ""},
        {"LARG.mp3", patterned(2 * kKernelCopyChunk + kBufferChunk + 4321, 12)},
    };
    for (const Sample& sample : samples)
        writeFile(files + "/" + sample.name, sample.bytes);
    // A sparse file: data, a hole of 3 MiB, data, and a hole up to its end.
    {
        const std::string path = files + "/HOLE.mp3";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        writeAt(fd, patterned(5000, 13), 0);
        writeAt(fd, patterned(7000, 14), 3 * 1024 * 1024 + 5000);
        ASSERT_EQ(::ftruncate(fd, 5 * 1024 * 1024), 0);
        ::close(fd);
        setTimes(path, kSongTime);
        samples.push_back({"HOLE.mp3", readFile(path)});
    }
    const UnchangedTree filesUnchanged(files);

    for (const Staging staging : {Staging::UnnamedFile, Staging::HiddenName}) {
        SCOPED_TRACE(staging == Staging::UnnamedFile ? "unnamed temporary file" : "hidden temporary name");
        const std::string into = dest + (staging == Staging::UnnamedFile ? "/unnamed" : "/hidden");
        makeFolder(into);
        std::vector<std::string> expectedNames;
        for (const Sample& sample : samples) {
            const CopyOutcome outcome = copyIntoFolder(files + "/" + sample.name, into, staging);
            EXPECT_EQ(outcome.status, Status::Copied) << describe(outcome);
            EXPECT_EQ(outcome.name, sample.name);
            EXPECT_TRUE(readFile(into + "/" + sample.name) == sample.bytes) << sample.name << " differs";
            const struct stat copy = lstatOf(into + "/" + sample.name);
            EXPECT_EQ(copy.st_mtim.tv_sec, kSongTime) << sample.name;
            EXPECT_EQ(copy.st_mtim.tv_nsec, kSongNanoseconds) << sample.name;
            expectedNames.push_back(sample.name);
        }
        std::sort(expectedNames.begin(), expectedNames.end());
        EXPECT_EQ(namesIn(into), expectedNames) << "a temporary file stayed behind";
    }
}

TEST_F(FileCopyTest, EqualNamesFromTwoMusicFoldersBothArrive)
{
    const std::vector<CopyOutcome> outcomes = copyAll(dest);
    ASSERT_EQ(outcomes.size(), 4u);
    for (const CopyOutcome& outcome : outcomes)
        EXPECT_EQ(outcome.status, Status::Copied) << describe(outcome);
    EXPECT_EQ(namesIn(dest), (std::vector<std::string>{"ABCD 2.mp3", "ABCD.mp3", "QWER.m4a", "ZXCV.mp3"}));
    EXPECT_TRUE(readFile(dest + "/ABCD.mp3") == readFile(song("F00", "ABCD.mp3")));
    EXPECT_TRUE(readFile(dest + "/ABCD 2.mp3") == readFile(song("F01", "ABCD.mp3")));
    EXPECT_EQ(lstatOf(dest + "/ABCD 2.mp3").st_mtim.tv_sec, kSongTime);
}

TEST_F(FileCopyTest, CopyingAgainWritesNothingAndFillsOnlyWhatIsMissing)
{
    copyAll(dest);
    // As after an interrupted run: one song is missing.
    ASSERT_EQ(::unlink((dest + "/ABCD.mp3").c_str()), 0);
    TreeState before = stateOf(dest);

    const std::vector<CopyOutcome> again = copyAll(dest);
    ASSERT_EQ(again.size(), 4u);
    int copiedCount = 0;
    for (const CopyOutcome& outcome : again) {
        EXPECT_TRUE(outcome.succeeded()) << describe(outcome);
        if (outcome.status == Status::Copied) {
            ++copiedCount;
            EXPECT_EQ(outcome.name, "ABCD.mp3");
        }
    }
    EXPECT_EQ(copiedCount, 1);
    EXPECT_EQ(namesIn(dest), (std::vector<std::string>{"ABCD 2.mp3", "ABCD.mp3", "QWER.m4a", "ZXCV.mp3"}));
    EXPECT_TRUE(readFile(dest + "/ABCD.mp3") == readFile(song("F00", "ABCD.mp3")));

    // Everything that was there already is untouched, down to its change time; the
    // folder itself only gained the one name.
    TreeState after = stateOf(dest);
    after.erase("./ABCD.mp3");
    after.erase(".");
    before.erase(".");
    EXPECT_EQ(differences(before, after), "");

    const CopyOutcome third = copyIntoFolder(song("F01", "ABCD.mp3"), dest);
    EXPECT_EQ(third.status, Status::AlreadyThere) << describe(third);
    EXPECT_EQ(third.name, "ABCD 2.mp3");
}

TEST_F(FileCopyTest, WhatATakenNameHoldsIsNeverOverwritten)
{
    // The same size, but another time and other bytes: another song.
    const std::string other = patterned(300 * 1024, 99);
    writeFile(dest + "/ABCD.mp3", other, kSongTime + 10);
    makeFolder(dest + "/ABCD 2.mp3");
    // A link that a careless copy would follow and write through.
    const std::string outside = root.path() + "/outside";
    writeFile(outside, "keep me");
    ASSERT_EQ(::symlink(outside.c_str(), (dest + "/ABCD 3.mp3").c_str()), 0);
    const TreeState before = stateOf(dest);
    const UnchangedTree outsideUnchanged(outside);

    const CopyOutcome outcome = copyIntoFolder(song("F00", "ABCD.mp3"), dest);
    EXPECT_EQ(outcome.status, Status::Copied) << describe(outcome);
    EXPECT_EQ(outcome.name, "ABCD 4.mp3");
    EXPECT_TRUE(readFile(dest + "/ABCD 4.mp3") == readFile(song("F00", "ABCD.mp3")));

    TreeState after = stateOf(dest);
    after.erase("./ABCD 4.mp3");
    TreeState unchangedBefore = before;
    after.erase(".");
    unchangedBefore.erase(".");
    EXPECT_EQ(differences(unchangedBefore, after), "");
}

TEST_F(FileCopyTest, ATimeWithinTwoSecondsIsTheSameTimeAndOneBeyondIsNot)
{
    // A FAT disk keeps times in steps of two seconds, so its copy reads back a little off.
    writeFile(dest + "/QWER.m4a", readFile(song("F00", "QWER.m4a")));
    setTimes(dest + "/QWER.m4a", kSongTime - 2, kSongNanoseconds + 100'000'000); // 1.9 s before

    writeFile(dest + "/ZXCV.mp3", patterned(2 * 1024 * 1024, 4));
    setTimes(dest + "/ZXCV.mp3", kSongTime + 2, kSongNanoseconds + 1); // just over 2 s after

    const CopyOutcome near = copyIntoFolder(song("F00", "QWER.m4a"), dest);
    EXPECT_EQ(near.status, Status::AlreadyThere) << describe(near);
    EXPECT_EQ(near.name, "QWER.m4a");
    const CopyOutcome far = copyIntoFolder(song("F01", "ZXCV.mp3"), dest);
    EXPECT_EQ(far.status, Status::Copied) << describe(far);
    EXPECT_EQ(far.name, "ZXCV 2.mp3");
}

TEST_F(FileCopyTest, AFolderEntryArrivesWithItsContentOnce)
{
    const std::string album = root.path() + "/Album";
    makeFolder(album);
    makeFolder(album + "/Disc 2");
    writeFile(album + "/one.mp3", patterned(4000, 21));
    writeFile(album + "/Disc 2/two.mp3", patterned(5000, 22));
    writeFile(album + "/.hidden", "dot file");
    setTimes(album + "/Disc 2", kSongTime);
    setTimes(album, kSongTime);
    const UnchangedTree albumUnchanged(album);

    const CopyOutcome first = copyIntoFolder(album, dest);
    EXPECT_EQ(first.status, Status::Copied) << describe(first);
    EXPECT_EQ(first.name, "Album");
    EXPECT_EQ(namesIn(dest + "/Album"), (std::vector<std::string>{".hidden", "Disc 2", "one.mp3"}));
    EXPECT_EQ(namesIn(dest + "/Album/Disc 2"), (std::vector<std::string>{"two.mp3"}));
    EXPECT_TRUE(readFile(dest + "/Album/Disc 2/two.mp3") == patterned(5000, 22));
    EXPECT_EQ(readFile(dest + "/Album/.hidden"), "dot file");
    EXPECT_EQ(lstatOf(dest + "/Album").st_mtim.tv_sec, kSongTime);
    EXPECT_EQ(lstatOf(dest + "/Album/Disc 2").st_mtim.tv_sec, kSongTime);

    const TreeState before = stateOf(dest);
    const CopyOutcome second = copyIntoFolder(album, dest);
    EXPECT_EQ(second.status, Status::AlreadyThere) << describe(second);
    EXPECT_EQ(second.name, "Album");
    EXPECT_EQ(differences(before, stateOf(dest)), "");

    // A file that holds the folder's name is passed over like any taken name.
    const std::string elsewhere = root.path() + "/elsewhere";
    makeFolder(elsewhere);
    writeFile(elsewhere + "/Album", "a file");
    const CopyOutcome beside = copyIntoFolder(album, elsewhere);
    EXPECT_EQ(beside.status, Status::Copied) << describe(beside);
    EXPECT_EQ(beside.name, "Album 2");
    EXPECT_EQ(readFile(elsewhere + "/Album"), "a file");
    EXPECT_EQ(namesIn(elsewhere + "/Album 2"), (std::vector<std::string>{".hidden", "Disc 2", "one.mp3"}));
}

TEST_F(FileCopyTest, AFolderIsNotCopiedIntoItselfNorRoundALoop)
{
    const std::string album = root.path() + "/Album";
    makeFolder(album);
    makeFolder(album + "/inside");
    writeFile(album + "/one.mp3", "one");
    const CopyOutcome intoItself = copyIntoFolder(album, album + "/inside");
    EXPECT_EQ(intoItself.status, Status::Failed);
    EXPECT_NE(intoItself.reason.find("lies inside the folder"), std::string::npos) << intoItself.reason;
    EXPECT_EQ(namesIn(album + "/inside"), std::vector<std::string>{});

    ASSERT_EQ(::symlink("..", (album + "/inside/back").c_str()), 0);
    ASSERT_EQ(::symlink(".", (album + "/inside/again").c_str()), 0);
    const CopyOutcome looped = copyIntoFolder(album, dest);
    EXPECT_EQ(looped.status, Status::Failed);
    EXPECT_NE(looped.reason.find("holds itself"), std::string::npos) << looped.reason;
    // The folder failed as its first entry that failed: that entry's trouble and path.
    EXPECT_EQ(looped.trouble, "a folder that holds itself through a link");
    EXPECT_TRUE(looped.file == album + "/inside/back" || looped.file == album + "/inside/again") << looped.file;
    // The first failure is told in full, and the count of the others follows.
    EXPECT_NE(looped.reason.find("1 more entry of \"" + album + "/inside\" could not be copied either."), std::string::npos)
        << looped.reason;
    // The rest of the folder arrived all the same.
    EXPECT_EQ(readFile(dest + "/Album/one.mp3"), "one");
}

TEST_F(FileCopyTest, PipesDevicesAndSocketsAreRefusedWithoutBeingOpened)
{
    // Named so that no path holds the words the reasons must hold.
    const std::string odd = root.path() + "/odd";
    makeFolder(odd);
    ASSERT_EQ(::mkfifo((odd + "/p").c_str(), 0644), 0);
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = odd + "/s";
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    // A device node of our own, so that no other program's use of it can disturb the watch.
    const bool ownDevice = ::mknod((odd + "/d").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;

    struct Case {
        std::string path;
        std::string words;
    };
    const std::vector<Case> cases = {
        {odd + "/p", "named pipe"},
        {ownDevice ? odd + "/d" : std::string("/dev/null"), "a device"},
        {socketPath, "a socket"},
    };
    // Opening a pipe waits for a writer: should the copy do that, the child is stopped after
    // a while instead of the test waiting for ever.
    const ChildReport report = inChild(
        [&] {
            const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
            if (watch < 0 || ::inotify_add_watch(watch, odd.c_str(), IN_OPEN) < 0)
                return std::string("no watch: ") + std::strerror(errno);
            Findings findings;
            for (const Case& c : cases) {
                const CopyOutcome outcome = copyIntoFolder(c.path, dest);
                findings.check(outcome.status == Status::Failed, c.path + " was not refused: " + describe(outcome));
                findings.check(outcome.reason.find(c.words) != std::string::npos,
                               "the reason does not say " + c.words + ": " + outcome.reason);
                findings.check(outcome.reason.find(c.path) != std::string::npos, "the reason does not name " + c.path);
            }
            char events[4096];
            findings.check(::read(watch, events, sizeof events) < 0 && errno == EAGAIN, "an entry was opened");
            return findings.text();
        },
        false, 20);
    ::close(listening);
    EXPECT_FALSE(report.skipped);
    EXPECT_EQ(report.problems, "");
    EXPECT_EQ(namesIn(dest), std::vector<std::string>{});
}

TEST_F(FileCopyTest, AMissingSourceIsNamedAndLeavesNothing)
{
    const std::string missing = song("F02", "GONE.mp3");
    const CopyOutcome outcome = copyIntoFolder(missing, dest);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.reason, "Could not copy \"" + missing + "\" into \"" + dest + "\": the file no longer exists.");
    EXPECT_EQ(namesIn(dest), std::vector<std::string>{});
}

TEST_F(FileCopyTest, AnUnreadableSourceIsNamedAndLeavesNothing)
{
    const std::string closed = root.path() + "/closed";
    makeFolder(closed);
    writeFile(closed + "/SECR.mp3", patterned(100000, 31));
    ASSERT_EQ(::chmod((closed + "/SECR.mp3").c_str(), 0600), 0);
    ASSERT_EQ(::chmod(dest.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(root.path().c_str(), 0711), 0);
    const std::string secret = closed + "/SECR.mp3";
    const UnchangedTree closedUnchanged(closed);

    // Permissions bind everyone but the administrator, so the copy runs as nobody.
    const ChildReport report = inChild(
        [&] {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                return skipBecause(std::string("cannot become nobody: ") + std::strerror(errno));
            if (::access(secret.c_str(), R_OK) == 0)
                return skipBecause("the file stays readable here");
            const CopyOutcome outcome = copyIntoFolder(secret, dest);
            Findings findings;
            findings.check(outcome.status == Status::Failed, "the copy did not fail: " + describe(outcome));
            findings.check(outcome.reason == "Could not copy \"" + secret + "\" into \"" + dest +
                                                 "\": the file may not be read (permission denied).",
                           "wrong reason: " + outcome.reason);
            return findings.text();
        },
        false);
    EXPECT_CHILD_DONE(report);
    EXPECT_EQ(namesIn(dest), std::vector<std::string>{});
}

TEST_F(FileCopyTest, AMissingDestinationOrAFileInItsPlaceIsNamed)
{
    const std::string source = song("F00", "QWER.m4a");
    const CopyOutcome missing = copyIntoFolder(source, dest + "/nowhere");
    EXPECT_EQ(missing.status, Status::Failed);
    EXPECT_NE(missing.reason.find("into \"" + dest + "/nowhere\": the destination folder does not exist"), std::string::npos)
        << missing.reason;
    EXPECT_FALSE(std::filesystem::exists(dest + "/nowhere"));

    writeFile(dest + "/plain", "not a folder");
    const CopyOutcome file = copyIntoFolder(source, dest + "/plain");
    EXPECT_EQ(file.status, Status::Failed);
    EXPECT_NE(file.reason.find("is not a folder"), std::string::npos) << file.reason;
    EXPECT_EQ(readFile(dest + "/plain"), "not a folder");
}

TEST_F(FileCopyTest, AReadOnlyDestinationTakesNothing)
{
    ASSERT_EQ(copyIntoFolder(song("F00", "QWER.m4a"), dest).status, Status::Copied);
    const TreeState before = stateOf(dest);
    EXPECT_CHILD_DONE(inChild(
        [&] {
            if (std::string skip = bindReadOnly(dest); !skip.empty())
                return skip;
            Findings findings;
            for (const Staging staging : {Staging::UnnamedFile, Staging::HiddenName}) {
                const CopyOutcome refused = copyIntoFolder(song("F01", "ZXCV.mp3"), dest, staging);
                findings.check(refused.status == Status::Failed, "copied into a read-only folder: " + describe(refused));
                findings.check(refused.reason == "Could not copy \"" + song("F01", "ZXCV.mp3") + "\" into \"" + dest +
                                                     "\": the destination disk is read-only.",
                               "wrong reason: " + refused.reason);
                // What is there already needs no writing.
                const CopyOutcome there = copyIntoFolder(song("F00", "QWER.m4a"), dest, staging);
                findings.check(there.status == Status::AlreadyThere, "a copy already there: " + describe(there));
            }
            const FolderOutcome folder = createFolder(dest + "/new");
            findings.check(folder.status == FolderOutcome::Status::Failed && folder.reason.find("read-only") != std::string::npos,
                           "a folder on a read-only disk: " + folder.reason);
            return findings.text();
        },
        true));
    EXPECT_EQ(differences(before, stateOf(dest)), "");
}

TEST_F(FileCopyTest, AFullDestinationKeepsNothingPartial)
{
    EXPECT_CHILD_DONE(inChild(
        [&] {
            if (std::string skip = mountTmpfs(dest, "size=1m,mode=0755"); !skip.empty())
                return skip;
            Findings findings;
            findings.check(copyIntoFolder(song("F00", "QWER.m4a"), dest).status == Status::Copied, "the small file did not fit");
            for (const Staging staging : {Staging::UnnamedFile, Staging::HiddenName}) {
                const std::string big = song("F01", "ZXCV.mp3");
                const CopyOutcome outcome = copyIntoFolder(big, dest, staging);
                findings.check(outcome.status == Status::Failed, "2 MiB went into 1 MiB: " + describe(outcome));
                findings.check(outcome.reason == "Could not copy \"" + big + "\" into \"" + dest + "\": the destination disk is full.",
                               "wrong reason: " + outcome.reason);
                findings.check(namesIn(dest) == std::vector<std::string>{"QWER.m4a"}, "something was left behind");
                struct statvfs space {};
                ::statvfs(dest.c_str(), &space);
                findings.check((space.f_blocks - space.f_bfree) * space.f_frsize <= 16 * 1024,
                               "the space of the failed copy was not given back");
            }
            return findings.text();
        },
        true));
}

TEST_F(FileCopyTest, CopiesFromAReadOnlyMountedPlayer)
{
    EXPECT_CHILD_DONE(inChild(
        [&] {
            if (std::string skip = bindReadOnly(player); !skip.empty())
                return skip;
            Findings findings;
            for (const CopyOutcome& outcome : copyAll(dest))
                findings.check(outcome.status == Status::Copied, describe(outcome));
            findings.check(namesIn(dest) == std::vector<std::string>{"ABCD 2.mp3", "ABCD.mp3", "QWER.m4a", "ZXCV.mp3"},
                           "not every song arrived");
            return findings.text();
        },
        true));
}

TEST_F(FileCopyTest, FolderItemsCopyAndCreateFolders)
{
    const Ref<FolderItem> target = FolderItem::forNativePath(dest + "/Copied music");
    const FolderOutcome made = target->CreateAsFolder();
    EXPECT_EQ(made.status, FolderOutcome::Status::Created) << made.reason;
    EXPECT_TRUE(target->Directory());
    EXPECT_EQ(target->CreateAsFolder().status, FolderOutcome::Status::AlreadyThere);

    const CopyOutcome outcome = FolderItem::forNativePath(song("F00", "QWER.m4a"))->CopyFileTo(*target);
    EXPECT_EQ(outcome.status, Status::Copied) << describe(outcome);
    EXPECT_TRUE(readFile(dest + "/Copied music/QWER.m4a") == readFile(song("F00", "QWER.m4a")));
}

TEST_F(FileCopyTest, AFolderIsMadeOnlyWhereItsParentExists)
{
    const FolderOutcome orphan = createFolder(dest + "/missing/Music");
    EXPECT_EQ(orphan.status, FolderOutcome::Status::Failed);
    EXPECT_EQ(orphan.reason, "Could not create the folder \"" + dest + "/missing/Music\": the folder that should hold it, \"" + dest +
                                 "/missing\", does not exist.");
    EXPECT_FALSE(std::filesystem::exists(dest + "/missing"));

    writeFile(dest + "/Music", "a file");
    const FolderOutcome blocked = createFolder(dest + "/Music");
    EXPECT_EQ(blocked.status, FolderOutcome::Status::Failed);
    EXPECT_NE(blocked.reason.find("a file of that name is in the way"), std::string::npos) << blocked.reason;
    const FolderOutcome under = createFolder(dest + "/Music/Songs");
    EXPECT_EQ(under.status, FolderOutcome::Status::Failed);
    EXPECT_NE(under.reason.find("is a file, not a folder"), std::string::npos) << under.reason;
    EXPECT_EQ(readFile(dest + "/Music"), "a file");
}
