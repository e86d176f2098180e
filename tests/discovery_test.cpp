// Finding the players among the volumes: the pop-up, the count label and the device path.

#include "MainWindowFixture.h"

#include <filesystem>

using namespace browsertest;
namespace fs = std::filesystem;

namespace {

class DiscoveryTest : public MainWindowFixture {};

TEST_F(DiscoveryTest, NoPlayerFoundAndRefreshRelistsNothing)
{
    testsupport::makeEntries(volumes.mount("Disk"), {"Music/F00/1.mp3"});
    open();
    EXPECT_TRUE(menuRows().empty());
    EXPECT_EQ(control<PopupMenu>("iPodsMenu")->ListIndex(), -1);
    EXPECT_EQ(label("iPods"), Text("Found 0 iPod(s)"));
    EXPECT_EQ(label("iPodPath"), Text(":iPod_Control:"));
    EXPECT_EQ(label("iPodFiles"), Text("0 files..."));

    // What the lists show stays: with no player, Refresh lists no folders.
    control<Listbox>("folders")->AddRow(Text("kept"));
    control<Listbox>("ListBox1")->AddRow(Text("kept"));
    control<StaticText>("iPodFiles")->setText(Text("7 audio files"));
    clickRefresh();
    EXPECT_EQ(label("iPods"), Text("Found 0 iPod(s)"));
    EXPECT_EQ(column("folders"), std::vector<std::string>{"kept"});
    EXPECT_EQ(column("ListBox1"), std::vector<std::string>{"kept"});
    EXPECT_EQ(label("iPodFiles"), Text("7 audio files"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(DiscoveryTest, PlayersComeInVolumeOrderAndTheFirstIsListedWhenTheWindowOpens)
{
    volumes.mount("Disk");
    testsupport::makePlayer(volumes.mount("Alpha"), {"F00", "F01"}, 2);
    testsupport::makeEntries(volumes.mount("Other"), {"Music/"});
    testsupport::makePlayer(volumes.mount("Beta"), {"F00"}, 5);
    // A file named iPod_Control makes a player too: only its existence is asked.
    testsupport::makeEntries(volumes.mount("Gamma"), {"iPod_Control"});
    open();
    EXPECT_EQ(menuRows(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(control<PopupMenu>("iPodsMenu")->ListIndex(), 0);
    EXPECT_EQ(label("iPods"), Text("Found 3 iPod(s)"));
    EXPECT_EQ(label("iPodPath"), Text("Alpha:iPod_Control:"));
    EXPECT_EQ(column("folders").size(), 2u);
    EXPECT_EQ(label("iPodFiles"), Text("4 audio files"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(DiscoveryTest, ChoosingAPlayerListsItsFoldersAndRefreshChoosesTheFirstAgain)
{
    testsupport::makePlayer(volumes.mount("Alpha"), {"F00", "F01"}, 2);
    testsupport::makePlayer(volumes.mount("Beta"), {"F00"}, 5);
    open();
    clickRow("folders", 0);
    ASSERT_EQ(column("ListBox1").size(), 2u);

    QComboBox* combo = qobject_cast<QComboBox*>(control<PopupMenu>("iPodsMenu")->widget());
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1); // as the user chooses a row
    EXPECT_EQ(label("iPodPath"), Text("Beta:iPod_Control:"));
    EXPECT_EQ(column("folders"), std::vector<std::string>{"F00"});
    EXPECT_TRUE(column("ListBox1").empty());
    EXPECT_EQ(label("iPodFiles"), Text("5 audio files"));

    clickRefresh();
    EXPECT_EQ(control<PopupMenu>("iPodsMenu")->ListIndex(), 0);
    EXPECT_EQ(label("iPodPath"), Text("Alpha:iPod_Control:"));
    EXPECT_EQ(column("folders").size(), 2u);
    EXPECT_EQ(label("iPodFiles"), Text("4 audio files"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(DiscoveryTest, APlayerPluggedInAfterStartIsFoundByRefresh)
{
    open();
    EXPECT_EQ(label("iPods"), Text("Found 0 iPod(s)"));
    testsupport::makePlayer(volumes.mount("Late"), {"F00"}, 1);
    clickRefresh();
    EXPECT_EQ(menuRows(), std::vector<std::string>{"Late"});
    EXPECT_EQ(label("iPodPath"), Text("Late:iPod_Control:"));
    EXPECT_EQ(column("folders"), std::vector<std::string>{"F00"});
}

TEST_F(DiscoveryTest, TwoPlayersOfOneNameBothLeadToTheFirst)
{
    testsupport::makePlayer(volumes.mount("Twin"), {"F00"}, 1);
    testsupport::makePlayer(volumes.mount("Twin"), {"F00", "F01", "F02"}, 1);
    open();
    EXPECT_EQ(menuRows(), (std::vector<std::string>{"Twin", "Twin"}));
    qobject_cast<QComboBox*>(control<PopupMenu>("iPodsMenu")->widget())->setCurrentIndex(1);
    EXPECT_EQ(label("iPodPath"), Text("Twin:iPod_Control:"));
    EXPECT_EQ(column("folders"), std::vector<std::string>{"F00"});
}

TEST_F(DiscoveryTest, APlayerPulledDuringTheScanIsReportedAndTheTextsStay)
{
    testsupport::makePlayer(volumes.mount("Alpha"), {"F00"}, 1);
    const std::string beta = volumes.mount("Beta");
    testsupport::makePlayer(beta, {"F00"}, 1);
    open();
    ASSERT_EQ(label("iPods"), Text("Found 2 iPod(s)"));

    // The scan looks at the root and at Alpha, then Beta goes before it is reached.
    testsupport::YieldCounter yields;
    yields.at(2, [&] { volumes.unmount(beta); });
    clickRefresh();
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(menuRows(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(label("iPods"), Text("Found 2 iPod(s)"));
    EXPECT_EQ(label("iPodPath"), Text("Alpha:iPod_Control:"));
}

TEST_F(DiscoveryTest, APlayerWhoseControlFolderIsAFileShowsNoFoldersAndSaysWhy)
{
    testsupport::makeEntries(volumes.mount("Odd"), {"iPod_Control"});
    open();
    EXPECT_EQ(label("iPodPath"), Text("Odd:iPod_Control:"));
    EXPECT_TRUE(column("folders").empty());
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_FALSE(reports.reports()[0].fatal);
    // The listing that failed inside the pop-up's Change ended the scan that chose the
    // row, so the scan's count was never written; each press on Refresh says it once.
    EXPECT_EQ(label("iPods"), Text("0 iPod(s)"));
    clickRefresh();
    EXPECT_EQ(reports.reports().size(), 2u);
    EXPECT_EQ(label("iPods"), Text("0 iPod(s)"));
}

} // namespace
