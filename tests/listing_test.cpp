// The music folder list, the file list and the file count of the main window.

#include "MainWindowFixture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

using namespace browsertest;
namespace fs = std::filesystem;

namespace {

class ListingTest : public MainWindowFixture {
protected:
    // A player whose Music folder holds what players really hold besides F00, F01, ...:
    // a number missing, dot entries, a stray file, an empty folder, a lower-case name and
    // a name with ":".
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        player = volumes.mount("Player");
        music = player + "/iPod_Control/Music";
        testsupport::makeEntries(player, {
                                             "iPod_Control/Music/F00/1.mp3",
                                             "iPod_Control/Music/F00/2.m4a",
                                             "iPod_Control/Music/F00/noext",
                                             "iPod_Control/Music/F00/._1.mp3",
                                             "iPod_Control/Music/F01/",
                                             "iPod_Control/Music/F03/1.mp3",
                                             "iPod_Control/Music/F03/2.mp3",
                                             "iPod_Control/Music/f04/1.wav",
                                             "iPod_Control/Music/F:5/a:b.mp3",
                                             "iPod_Control/Music/.Trashes/x",
                                             "iPod_Control/Music/._F00",
                                             "iPod_Control/Music/stray.txt",
                                         });
    }

    // The rows the folder list must show: the Music folder's entries in its own order,
    // dot entries left out.
    std::vector<std::string> expectedFolders()
    {
        std::vector<std::string> names = testsupport::folderOrder(music);
        std::erase_if(names, [](const std::string& name) { return name.starts_with('.'); });
        return shown(names);
    }
    int rowShowing(const std::string& text)
    {
        const std::vector<std::string> rows = column("folders");
        const auto found = std::find(rows.begin(), rows.end(), text);
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }
    static std::string native(std::string shownName)
    {
        std::replace(shownName.begin(), shownName.end(), '/', ':');
        return shownName;
    }
    // The file list shows exactly the entries of that folder, in its own order.
    void expectListed(const std::string& folder)
    {
        EXPECT_EQ(column("ListBox1"), shown(testsupport::folderOrder(music + "/" + folder))) << folder;
    }

    std::string player, music;
};

TEST_F(ListingTest, FolderListShowsTheMusicFoldersEntriesInTheirOwnOrderWithoutDotEntries)
{
    open();
    EXPECT_EQ(column("folders"), expectedFolders());
    EXPECT_EQ(column("folders").size(), 6u);
    EXPECT_EQ(control<Listbox>("folders")->ListIndex(), -1);
    EXPECT_TRUE(column("ListBox1").empty());
    // Every entry of every listed folder counts, dot files included; a file counts none.
    EXPECT_EQ(label("iPodFiles"), Text("8 audio files"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(ListingTest, EachRowListsTheFolderItShows)
{
    // A row stands for the entry it shows: with F02 missing, the row showing F03 lists
    // F03 (by its number it would name F02, which does not exist).
    const std::string elsewhere = fs::path(player).parent_path().string() + "/elsewhere";
    testsupport::makeEntries(elsewhere, {"1.mp3", "2.mp3"});
    fs::create_symlink(elsewhere, music + "/Elsewhere");
    open();
    for (const std::string folder : {"F03", "f04", "F00", "F01", "F:5"}) {
        clickRow("folders", rowShowing(shown({folder}).front()));
        expectListed(folder);
    }
    // A link that leads off the player is a row that holds no files of the player: it
    // lists none, and the count passes over it.
    clickRow("folders", rowShowing("Elsewhere"));
    EXPECT_TRUE(column("ListBox1").empty());
    EXPECT_EQ(label("iPodFiles"), Text("8 audio files"));
    // A stray file among the folders lists nothing.
    clickRow("folders", rowShowing("stray.txt"));
    EXPECT_TRUE(column("ListBox1").empty());
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(window->musicFolderPath(rowShowing("F/5")), Text("Player:iPod_Control:Music:F/5"));
    EXPECT_THROW(window->musicFolderPath(7), NilObjectException);
    EXPECT_THROW(window->musicFolderPath(-1), NilObjectException);
}

TEST_F(ListingTest, FileRowsShowNameKindDateAndTheHiddenPath)
{
    // "Date added" is the birth time where the file system keeps one, else the last
    // change; one file was last changed long ago, so the two differ where both exist.
    const timespec old[2] = {{978307200, 0}, {978307200, 0}}; // 2001-01-01
    ASSERT_EQ(::utimensat(AT_FDCWD, (music + "/F00/1.mp3").c_str(), old, 0), 0);
    open();
    window->readIpodFiles(rowShowing("F00"));
    const std::vector<std::string> names = column("ListBox1");
    ASSERT_EQ(names.size(), 4u);
    const std::vector<std::string> kinds = column("ListBox1", 1);
    const std::vector<std::string> dates = column("ListBox1", 2);
    const std::vector<std::string> paths = column("ListBox1", 3);
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const std::string native = music + "/F00/" + names[i];
        const std::string kind = names[i].ends_with(".mp3") ? "MPG3" : names[i].ends_with(".m4a") ? "M4A " : "0";
        EXPECT_EQ(kinds[i], kind);
        QFileInfo info(QString::fromStdString(native));
        const QDateTime born = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
        EXPECT_EQ(dates[i], QLocale::system().toString(born.date(), QLocale::LongFormat).toStdString());
        EXPECT_EQ(paths[i], "Player:iPod_Control:Music:F00:" + names[i]);
        const Ref<FolderItem> back = GetFolderItem(Text(paths[i]));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->nativePath(), native);
    }
    EXPECT_EQ(control<Listbox>("ListBox1")->Heading(3), Text(""));

    window->readIpodFiles(rowShowing("F/5"));
    EXPECT_EQ(column("ListBox1"), std::vector<std::string>{"a/b.mp3"});
    EXPECT_EQ(column("ListBox1", 3), std::vector<std::string>{"Player:iPod_Control:Music:F/5:a/b.mp3"});
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F/5:a/b.mp3"))->nativePath(), music + "/F:5/a:b.mp3");
}

TEST_F(ListingTest, ArrowKeysListTheNeighbouringFolderBeforeTheListMoves)
{
    open();
    const std::vector<std::string> rows = column("folders");
    const int last = static_cast<int>(rows.size()) - 1;
    struct ArrowCase {
        int selected;
        Qt::Key key;
        int listed; // the row whose folder is listed; -1 for none
    };
    const ArrowCase cases[] = {
        {.selected = -1, .key = Qt::Key_Down, .listed = 0},
        {.selected = 0, .key = Qt::Key_Down, .listed = 1},
        {.selected = last - 1, .key = Qt::Key_Down, .listed = last},
        {.selected = last, .key = Qt::Key_Down, .listed = -1},
        {.selected = -1, .key = Qt::Key_Up, .listed = -1},
        {.selected = 0, .key = Qt::Key_Up, .listed = -1},
        {.selected = 1, .key = Qt::Key_Up, .listed = 0},
        {.selected = last, .key = Qt::Key_Up, .listed = last - 1},
        {.selected = 0, .key = Qt::Key_Right, .listed = -1},
    };
    for (const ArrowCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.selected << " key " << c.key);
        control<Listbox>("folders")->setListIndex(c.selected);
        control<Listbox>("ListBox1")->DeleteAllRows();
        control<Listbox>("ListBox1")->AddRow(Text("before"));
        pressKey("folders", c.key);
        EXPECT_TRUE(reports.reports().empty()); // no row beyond the list was asked for
        if (c.listed < 0) {
            EXPECT_EQ(column("ListBox1"), std::vector<std::string>{"before"});
            continue;
        }
        expectListed(native(rows[static_cast<std::size_t>(c.listed)]));
        // The list's own handling followed: the selection reached the listed row.
        EXPECT_EQ(control<Listbox>("folders")->ListIndex(), c.listed);
    }
}

TEST_F(ListingTest, AnEmptyFolderListTakesNoArrow)
{
    fs::remove_all(music);
    fs::create_directories(music);
    open();
    EXPECT_TRUE(column("folders").empty());
    control<Listbox>("ListBox1")->AddRow(Text("before"));
    pressKey("folders", Qt::Key_Down);
    pressKey("folders", Qt::Key_Up);
    EXPECT_EQ(column("ListBox1"), std::vector<std::string>{"before"});
}

TEST_F(ListingTest, AnEmptyMusicFolderLeavesTheCountAndOnlyDotEntriesCountNothing)
{
    fs::remove_all(music);
    fs::create_directories(music);
    open();
    EXPECT_TRUE(column("folders").empty());
    EXPECT_EQ(label("iPodFiles"), Text("0 files..."));

    testsupport::makeEntries(music, {".Trashes/", "._F00"});
    clickRefresh();
    EXPECT_TRUE(column("folders").empty());
    EXPECT_EQ(label("iPodFiles"), Text("0 audio files"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(ListingTest, APlayerPulledDuringAListingIsReportedAndTheRowsStay)
{
    open();
    window->readIpodFiles(rowShowing("F03"));
    ASSERT_EQ(column("ListBox1").size(), 2u);

    // Gone before the listing: the list keeps the folder listed before.
    volumes.unmount(player);
    clickRow("folders", rowShowing("F00"));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(column("ListBox1").size(), 2u);
}

TEST_F(ListingTest, APlayerPulledInTheMiddleOfAListingOrACountKeepsWhatWasShown)
{
    testsupport::makeEntries(music, {"F00/3.mp3", "F00/4.mp3"});
    open();
    const Text counted = label("iPodFiles");

    // The disk goes after the second entry: the rows listed stay, and the row being
    // filled keeps what it had.
    {
        testsupport::YieldCounter yields;
        yields.at(2, [&] { fs::remove_all(player); });
        clickRow("folders", rowShowing("F00"));
    }
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(column("ListBox1").size(), 3u);
    EXPECT_EQ(column("ListBox1", 2)[2], "");
    EXPECT_EQ(label("iPodFiles"), counted);

    // The count stops at the next folder and leaves the label as it was.
    testsupport::makeEntries(music, {"F00/1.mp3", "F01/"});
    testsupport::YieldCounter yields;
    yields.at(1, [&] { volumes.unmount(player); });
    EXPECT_THROW(window->countFiles(), NilObjectException);
    EXPECT_EQ(label("iPodFiles"), counted);
}

TEST_F(ListingTest, DoubleClickOpensTheNameForEditingAndThePathStays)
{
    open();
    window->readIpodFiles(rowShowing("F03"));
    QTableWidget* files = table("ListBox1");
    const QRect cell = files->visualRect(files->model()->index(0, 0));
    control<Listbox>("ListBox1")->setListIndex(0);
    const std::string name = column("ListBox1")[0];
    const std::string path = column("ListBox1", 3)[0];
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, cell.center());
    QLineEdit* editor = files->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text back at a later turn of the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return column("ListBox1")[0] == "renamed"; }, 5000));
    EXPECT_EQ(column("ListBox1", 3)[0], path);
    EXPECT_TRUE(fs::exists(music + "/F03/" + name));
    EXPECT_TRUE(reports.reports().empty());
}

// Yields are counted in a window over one player with a single music folder.
class YieldTest : public MainWindowFixture {};

TEST_F(YieldTest, EveryLoopYieldsOncePerStep)
{
    const std::string big = volumes.mount("Big");
    testsupport::makePlayer(big, {"F00"}, 300);
    testsupport::makeEntries(big, {"iPod_Control/Music/.hidden"});
    open();
    ASSERT_EQ(label("iPodFiles"), Text("300 audio files"));

    testsupport::YieldCounter yields;
    window->readIpodFiles(0);
    EXPECT_EQ(yields.count(), 300);
    int before = yields.count();
    window->countFiles();
    EXPECT_EQ(yields.count() - before, 301); // each entry, and the folder
    before = yields.count();
    window->readiPodFolders();
    EXPECT_EQ(yields.count() - before, 2 + 301); // each Music entry, the dot entry too; then the count
    before = yields.count();
    clickRefresh();
    // Each volume; choosing the first player lists its folders, and Refresh lists them again.
    EXPECT_EQ(yields.count() - before, 2 + 2 * (2 + 301));
}

TEST_F(YieldTest, AListFilledRowByRowIsDrawnAndScrollsToItsLastRowAfterwards)
{
    testsupport::makePlayer(volumes.mount("Big"), {"F00"}, 300);
    open();
    window->readIpodFiles(0);
    QTableWidget* files = table("ListBox1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return files->updatesEnabled(); }, 5000));
    files->scrollToBottom();
    EXPECT_GT(files->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(files->rowAt(files->viewport()->height() - 2), 299);
}

} // namespace
