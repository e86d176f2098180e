// End to end with a real mount: a player on a memory disk mounted under /media, found by
// the scan of the kernel's mount table and listed. The mounts are made in a private mount
// namespace (unshare -m), which ends with the process that runs in it, so the machine's
// own /media is never touched: this binary runs itself again inside the namespace, where
// the inner test below is registered.

#include "MainWindowFixture.h"

#include <QProcess>
#include <QStandardPaths>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

using namespace browsertest;
namespace fs = std::filesystem;

namespace {

constexpr const char* kInsideNamespace = "PARVOLIN_TEST_INSIDE_MOUNT_NAMESPACE";
const std::string kPlayer = "/media/My Player"; // the blank shows as \040 in the mount table

class InsideMountNamespace : public MainWindowFixture {
public:
    void TestBody() override
    {
        // Nothing is set in the volume source: the program reads the kernel's table.
        const VolumeSource test = setVolumeSource({});
        struct RestoreSource {
            VolumeSource source;
            ~RestoreSource() { setVolumeSource(std::move(source)); }
        } restore{test};

        if (!fs::is_directory("/media"))
            GTEST_SKIP() << "this machine has no /media folder to mount on";
        // A memory disk over /media first, so the player's folder is made on it and not on
        // the machine's disk.
        if (::mount("parvolin-test", "/media", "tmpfs", 0, "mode=755") != 0)
            GTEST_SKIP() << "mounting a tmpfs on /media is not permitted here: " << std::strerror(errno);
        ASSERT_EQ(::mkdir(kPlayer.c_str(), 0755), 0);
        // The volumes as they were before the player came: it is found all the same, as a
        // player plugged in after the program started is found by "Refresh".
        const std::vector<std::string> before = volumeMountPoints();
        EXPECT_EQ(std::count(before.begin(), before.end(), kPlayer), 0);
        ASSERT_EQ(::mount("parvolin-player", kPlayer.c_str(), "tmpfs", 0, "mode=755"), 0) << std::strerror(errno);
        testsupport::makePlayer(kPlayer, {"F00", "F01"}, 3);
        testsupport::makeEntries(kPlayer, {"iPod_Control/Music/.hidden"});

        open();
        const std::vector<std::string> players = menuRows();
        EXPECT_EQ(std::count(players.begin(), players.end(), "My Player"), 1);
        EXPECT_EQ(label("iPodPath"), Text("My Player:iPod_Control:"));
        std::vector<std::string> folders = testsupport::folderOrder(kPlayer + "/iPod_Control/Music");
        std::erase(folders, ".hidden");
        EXPECT_EQ(column("folders"), folders);
        EXPECT_EQ(label("iPodFiles"), Text("6 audio files"));
        clickRow("folders", 0);
        EXPECT_EQ(column("ListBox1"), testsupport::folderOrder(kPlayer + "/iPod_Control/Music/" + folders[0]));
        EXPECT_EQ(column("ListBox1", 3)[0].rfind("My Player:iPod_Control:Music:", 0), 0u);
        EXPECT_TRUE(reports.reports().empty());

        // A second disk mounted while the first is still there: the table is read again from
        // its top, so both are listed, in the order they were mounted.
        const std::string second = "/media/Second";
        ASSERT_EQ(::mkdir(second.c_str(), 0755), 0);
        ASSERT_EQ(::mount("parvolin-second", second.c_str(), "tmpfs", 0, "mode=755"), 0) << std::strerror(errno);
        testsupport::makePlayer(second, {"F00"}, 1);
        clickRefresh();
        std::vector<std::string> both = menuRows();
        std::erase_if(both, [](const std::string& row) { return row != "My Player" && row != "Second"; });
        EXPECT_EQ(both, (std::vector<std::string>{"My Player", "Second"}));
        ::umount2(second.c_str(), MNT_DETACH);

        window->Close();
        window.reset();
        ::umount2(kPlayer.c_str(), MNT_DETACH);
        const std::vector<std::string> afterwards = volumeMountPoints();
        EXPECT_EQ(std::count(afterwards.begin(), afterwards.end(), kPlayer), 0) << "a player unplugged is gone";
        ::umount2("/media", MNT_DETACH);
    }
};

const bool insideRegistered = [] {
    if (qEnvironmentVariableIsSet(kInsideNamespace))
        testing::RegisterTest("InsideMountNamespace", "ScanFindsAndListsAPlayerOnATmpfs", nullptr, nullptr, __FILE__,
                              __LINE__, []() -> MainWindowFixture* { return new InsideMountNamespace; });
    return true;
}();

TEST(RealMount, APlayerOnATmpfsUnderMediaIsFoundAndListed)
{
    if (qEnvironmentVariableIsSet(kInsideNamespace))
        GTEST_SKIP() << "runs only outside the namespace";
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root, and this test runs as user " << ::geteuid();
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        GTEST_SKIP() << "unshare (util-linux) is not installed";

    QProcess inner;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kInsideNamespace), QStringLiteral("1"));
    inner.setProcessEnvironment(environment);
    inner.setProcessChannelMode(QProcess::MergedChannels);
    inner.start(unshare, {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                          QStringLiteral("--"), QCoreApplication::applicationFilePath(),
                          QStringLiteral("--gtest_filter=InsideMountNamespace.*")});
    ASSERT_TRUE(inner.waitForFinished(60000)) << "the test inside the namespace did not end";
    const std::string output = inner.readAll().toStdString();

    if (output.find("[==========]") == std::string::npos)
        GTEST_SKIP() << "no private mount namespace could be made here: " << output;
    if (const std::size_t skipped = output.find("Skipped\n"); skipped != std::string::npos)
        GTEST_SKIP() << output.substr(skipped);
    EXPECT_EQ(inner.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

} // namespace
