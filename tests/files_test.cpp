// Files and folders: colon paths and what they reach, names, entries, types and dates.

#include "PlayerFixture.h"
#include "SoundFiles.h"
#include "TestSupport.h"

#include "files/FileTypes.h"
#include "files/Files.h"
#include "pictures/OpenAsPicture.h"
#include "sound/Sound.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        player = volumes.mount("Player");
        testsupport::makeEntries(player, {
                                             "iPod_Control/Music/F00/1.mp3",
                                             "iPod_Control/Music/F00/a:b.mp3",
                                             "iPod_Control/Music/F00/.hidden",
                                             "iPod_Control/Music/F:1/x.m4a",
                                             "iPod_Control/Music/F01/",
                                             "Dup/",
                                             "dup/",
                                         });
        fs::create_symlink("/etc", player + "/iPod_Control/Music/out");
        fs::create_symlink("/etc/hostname", player + "/iPod_Control/Music/outfile");
        fs::create_symlink("/nowhere/at/all", player + "/iPod_Control/Music/dangling");
        fs::create_symlink("F00", player + "/iPod_Control/Music/in");
        fs::create_symlink("../../..", player + "/iPod_Control/Music/up");
        // A second volume of the same name: paths name the first.
        second = volumes.mount("Player");
        testsupport::makeEntries(second, {"iPod_Control/Music/F00/only-here.mp3"});
        odd = volumes.mount("Odd:Name");
        testsupport::makeEntries(odd, {"file.txt"});
    }

    testsupport::FakeVolumes volumes;
    std::string player, second, odd;
};

// One colon path and what it must reach: a path below the first "Player" volume, or
// nothing (nil).
struct PathCase {
    const char* path;
    const char* reaches = nullptr; // relative to the first Player; nullptr: nil
    bool exists = true;
    bool offVolume = false; // a link that leads off the volume: reached, never followed
};

TEST_F(FilesTest, ColonPathsReachTheirItemsAndNothingElse)
{
    const PathCase cases[] = {
        {.path = "Player", .reaches = ""},
        {.path = "Player:", .reaches = ""},
        {.path = "Player:iPod_Control:Music:F00:", .reaches = "iPod_Control/Music/F00"},
        {.path = "Player:iPod_Control:Music:F00", .reaches = "iPod_Control/Music/F00"},
        {.path = "Player:iPod_Control:Music:F00:1.mp3", .reaches = "iPod_Control/Music/F00/1.mp3"},
        // A ":" of a real name is "/" in a colon path, and cannot reach another folder.
        {.path = "Player:iPod_Control:Music:F00:a/b.mp3", .reaches = "iPod_Control/Music/F00/a:b.mp3"},
        {.path = "Player:iPod_Control:Music:F/1:x.m4a", .reaches = "iPod_Control/Music/F:1/x.m4a"},
        {.path = "Player:iPod_Control:Music:../../..", .reaches = "iPod_Control/Music/..:..:..", .exists = false},
        // Letter case: the one entry that matches apart from case.
        {.path = "Player:IPOD_CONTROL:music:f00:1.MP3", .reaches = "iPod_Control/Music/F00/1.mp3"},
        {.path = "Player:dup:", .reaches = "dup"},
        {.path = "Player:DUP:", .reaches = "DUP", .exists = false}, // two match: neither is meant
        // Missing names.
        {.path = "Player:iPod_Control:Music:F02:", .reaches = "iPod_Control/Music/F02", .exists = false},
        {.path = "Player:iPod_Control:Music:F02:1.mp3"},
        {.path = "Player:iPod_Control:Music:F00:1.mp3:x"},
        {.path = "Nobody:iPod_Control:"},
        {.path = ":iPod_Control:"},
        {.path = ""},
        // Names that would leave the folder or the volume.
        {.path = "Player:iPod_Control::Music:"},
        {.path = "Player:iPod_Control:..:..:"},
        {.path = "Player:.:iPod_Control:"},
        {.path = "Player:iPod_Control:Music:out:passwd"},
        {.path = "Player:iPod_Control:Music:up:etc:"},
        // A link that leads off the volume is reached itself, and nothing through it.
        {.path = "Player:iPod_Control:Music:out:", .reaches = "iPod_Control/Music/out", .offVolume = true},
        {.path = "Player:iPod_Control:Music:outfile", .reaches = "iPod_Control/Music/outfile", .offVolume = true},
        {.path = "Player:iPod_Control:Music:dangling", .reaches = "iPod_Control/Music/dangling", .offVolume = true},
        {.path = "Player:iPod_Control:Music:up:", .reaches = "iPod_Control/Music/up", .offVolume = true},
        // A link that stays on the volume is followed.
        {.path = "Player:iPod_Control:Music:in:1.mp3", .reaches = "iPod_Control/Music/in/1.mp3"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        const Ref<FolderItem> item = GetFolderItem(Text(c.path));
        if (!c.reaches) {
            EXPECT_FALSE(item);
            continue;
        }
        ASSERT_TRUE(item);
        const std::string expected = std::string(c.reaches).empty() ? player : player + "/" + c.reaches;
        EXPECT_EQ(item->nativePath(), expected);
        EXPECT_EQ(item->Exists(), c.exists);
        EXPECT_EQ(item->staysOnVolume(), !c.offVolume);
        if (c.offVolume) {
            EXPECT_FALSE(item->Directory());
            EXPECT_EQ(item->Count(), 0);
            EXPECT_EQ(item->Length(), 0);
        }
    }
}

TEST_F(FilesTest, ANameWithANulByteReachesNothing)
{
    EXPECT_FALSE(GetFolderItem(Text(std::string("Player:iPod_Control\0:..", 24))));
    EXPECT_FALSE(GetFolderItem(Text("Player:"))->Child(Text(std::string("iPod_Control\0", 13))));
}

TEST_F(FilesTest, OtherVolumesAreReachedByTheirNames)
{
    const Ref<FolderItem> file = GetFolderItem(Text("Odd/Name:file.txt"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->nativePath(), odd + "/file.txt");
    EXPECT_EQ(GetFolderItem(Text("Computer:"))->nativePath(), "/");
    EXPECT_FALSE(GetFolderItem(Text("Player:iPod_Control:Music:F00:only-here.mp3"))->Exists());
}

TEST_F(FilesTest, EveryItemsAbsolutePathLeadsBackToIt)
{
    // Walks the whole volume: folders end with ":", files do not; names with ":", dot
    // entries and links that stay on the volume come back to the same item.
    int seen = 0;
    std::function<void(const Ref<FolderItem>&)> walk = [&](const Ref<FolderItem>& folder) {
        for (std::int32_t i = 1, n = folder->Count(); i <= n; ++i) {
            const Ref<FolderItem> entry = folder->Item(i);
            if (!entry->staysOnVolume())
                continue;
            ++seen;
            const Text path = entry->AbsolutePath();
            SCOPED_TRACE(path.bytes());
            EXPECT_EQ(path.bytes().back() == ':', entry->Directory());
            const Ref<FolderItem> back = GetFolderItem(path);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->nativePath(), entry->nativePath());
            EXPECT_EQ(back->Name(), entry->Name());
            if (entry->Directory() && std::string(entry->Name().bytes()) != "in")
                walk(entry);
        }
    };
    walk(Volume(1));
    EXPECT_EQ(seen, 12);
    EXPECT_EQ(Volume(1)->AbsolutePath(), Text("Player:"));
    EXPECT_EQ(Volume(3)->AbsolutePath(), Text("Odd/Name:"));
    // An item made from a path of this system finds its volume.
    EXPECT_EQ(FolderItem::forNativePath(player + "/iPod_Control/Music/F00/a:b.mp3")->AbsolutePath(),
              Text("Player:iPod_Control:Music:F00:a/b.mp3"));
    EXPECT_EQ(FolderItem::forNativePath("/")->AbsolutePath(), Text("Computer:"));
}

TEST_F(FilesTest, NamesAndParents)
{
    const Ref<FolderItem> root = Volume(1);
    EXPECT_EQ(root->Name(), Text("Player"));
    EXPECT_EQ(Volume(0)->Name(), Text("Computer"));
    EXPECT_EQ(Volume(3)->Name(), Text("Odd/Name"));
    // The top of a volume has no parent: nothing climbs off a player.
    EXPECT_FALSE(root->Parent());
    EXPECT_FALSE(Volume(0)->Parent());
    const Ref<FolderItem> file = GetFolderItem(Text("Player:iPod_Control:Music:F00:a/b.mp3"));
    EXPECT_EQ(file->Name(), Text("a/b.mp3"));
    EXPECT_EQ(file->Parent()->AbsolutePath(), Text("Player:iPod_Control:Music:F00:"));
    EXPECT_EQ(file->Parent()->Child(file->Name())->nativePath(), file->nativePath());
    // A path of this system climbs as far as its root.
    EXPECT_EQ(FolderItem::forNativePath(player)->Parent()->nativePath(), fs::path(player).parent_path().string());
    for (const char* name : {"", ".", ".."})
        EXPECT_FALSE(root->Child(Text(name))) << name;
    EXPECT_FALSE(file->Child(Text("x")));
}

TEST_F(FilesTest, EntriesComeInTheFoldersOwnOrderAndKeepTheirIndices)
{
    const std::string f00 = player + "/iPod_Control/Music/F00";
    const Ref<FolderItem> folder = GetFolderItem(Text("Player:iPod_Control:Music:F00:"));
    ASSERT_EQ(folder->Count(), 3);
    std::vector<std::string> names;
    for (std::int32_t i = 1; i <= 3; ++i)
        names.push_back(fs::path(folder->Item(i)->nativePath()).filename().string());
    EXPECT_EQ(names, testsupport::folderOrder(f00));
    EXPECT_FALSE(folder->Item(0));
    EXPECT_FALSE(folder->Item(4));

    // Item serves from what Count read: a file added since does not move the others, and
    // the folder is not read again for each entry.
    testsupport::makeEntries(f00, {"new.mp3"});
    for (std::int32_t i = 1; i <= 3; ++i)
        EXPECT_EQ(fs::path(folder->Item(i)->nativePath()).filename().string(), names[static_cast<std::size_t>(i - 1)]);
    EXPECT_FALSE(folder->Item(4));
    EXPECT_EQ(folder->Count(), 4);

    // Files, missing items and links off the volume have no entries.
    EXPECT_EQ(folder->Item(1)->Count(), 0);
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F02:"))->Count(), 0);
    const Ref<FolderItem> out = Volume(1)->Child(Text("iPod_Control"))->Child(Text("Music"))->Child(Text("out"));
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->Exists());
    EXPECT_FALSE(out->staysOnVolume());
    EXPECT_FALSE(out->Directory());
    EXPECT_EQ(out->Count(), 0);
    EXPECT_FALSE(out->Child(Text("passwd")));
}

TEST_F(FilesTest, ALinkOffTheVolumeIsNotReadThrough)
{
    // A file beside the volume, old and typed, and a link to it on the volume.
    const std::string outside = fs::path(player).parent_path().string() + "/outside.mp3";
    testsupport::makeEntries(fs::path(player).parent_path().string(), {"outside.mp3"}, "0123456789");
    const timespec old[2] = {{978307200, 0}, {978307200, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, outside.c_str(), old, 0), 0);
    const std::string stored = std::string("Song") + std::string(28, '\0');
    const bool typed = ::setxattr(outside.c_str(), "user.com.apple.FinderInfo", stored.data(), stored.size(), 0) == 0;
    fs::create_symlink(outside, player + "/escape.m4a");

    const Ref<FolderItem> link = GetFolderItem(Text("Player:escape.m4a"));
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->Exists());
    EXPECT_EQ(link->Length(), 0);
    EXPECT_NE(link->ModificationDate().secondsSinceEpoch(), 978307200);
    EXPECT_NE(link->CreationDate().secondsSinceEpoch(), 978307200);
    EXPECT_EQ(link->MacType(), Text("M4A ")) << (typed ? "the stored type was read through the link" : "");
    // Not kept to a volume, the same link is followed.
    const Ref<FolderItem> followed = FolderItem::forNativePath(player + "/escape.m4a");
    EXPECT_EQ(followed->Length(), 10);
    EXPECT_EQ(followed->ModificationDate().secondsSinceEpoch(), 978307200);
    if (typed) {
        EXPECT_EQ(followed->MacType(), Text("Song"));
    }

    // Nor is it copied: what it points at is not the player's.
    const std::string destination = fs::path(player).parent_path().string() + "/copies";
    fs::create_directory(destination);
    const CopyOutcome copied = link->CopyFileTo(*FolderItem::forNativePath(destination));
    EXPECT_FALSE(copied.succeeded());
    EXPECT_NE(copied.reason.find("escape.m4a"), std::string::npos) << copied.reason;
    EXPECT_TRUE(fs::is_empty(destination));
    // Nor is one inside a folder that is copied; the rest of the folder arrives.
    testsupport::makeEntries(player, {"Album/one.mp3"});
    fs::create_symlink(outside, player + "/Album/escape.m4a");
    const CopyOutcome album = GetFolderItem(Text("Player:Album:"))->CopyFileTo(*FolderItem::forNativePath(destination));
    EXPECT_EQ(album.trouble, "a link that leads off its disk");
    EXPECT_EQ(album.file, player + "/Album/escape.m4a");
    EXPECT_EQ(testsupport::folderOrder(destination + "/Album"), std::vector<std::string>{"one.mp3"});

    // Nor played, nor shown.
    const SoundOpening sound = openSound(*link);
    EXPECT_FALSE(sound.sound);
    EXPECT_NE(sound.failure.find("it is a link that leads off its disk"), std::string::npos) << sound.failure;
    testsupport::SoundFiles made;
    fs::create_symlink(made.writePng("picture.png"), player + "/picture.png");
    EXPECT_TRUE(OpenAsPicture(*FolderItem::forNativePath(player + "/picture.png")));
    EXPECT_FALSE(OpenAsPicture(*GetFolderItem(Text("Player:picture.png"))));
}

TEST_F(FilesTest, AFolderThatCannotBeReadIsAnErrorNotAnEmptyFolder)
{
    const std::string loop = player + "/loop";
    fs::create_symlink("loop", loop);
    EXPECT_THROW(FolderItem::forNativePath(loop)->Count(), IOException);
    // On a volume the same link leads nowhere and is not followed.
    EXPECT_EQ(Volume(1)->Child(Text("loop"))->Count(), 0);
}

TEST(FileTypes, ComeFromTheExtensionTable)
{
    const std::pair<const char*, const char*> cases[] = {
        {"song.mp3", "MPG3"}, {"SONG.MP3", "MPG3"}, {"a.m4a", "M4A "},  {"b.m4p", "M4P "}, {"c.m4b", "M4B "},
        {"d.m4v", "M4V "},    {"e.wav", "WAVE"},    {"f.aif", "AIFF"},  {"g.AIFF", "AIFF"}, {"h.mp4", "mpg4"},
        {"i.txt", ""},        {"noextension", ""}, {".mp3", ""},       {"trailing.", ""},  {"x.mp3.part", ""},
    };
    for (const auto& [name, type] : cases)
        EXPECT_EQ(fileTypeForName(name), Text(type)) << name;
}

TEST(FileTypes, FinderInformationIsReadSafely)
{
    EXPECT_EQ(fileTypeFromFinderInfo(std::string("TEXTttxt") + std::string(24, '\0')), Text("TEXT"));
    EXPECT_EQ(fileTypeFromFinderInfo(std::string(32, '\0')), Text(""));
    EXPECT_EQ(fileTypeFromFinderInfo("ab"), Text(""));
    EXPECT_EQ(fileTypeFromFinderInfo(std::string("A\x01\xA5Z", 4)), Text("A??Z"));
}

TEST_F(FilesTest, MacTypeIsTheStoredTypeThenTheFormatsThenNone)
{
    const std::string f00 = player + "/iPod_Control/Music/F00";
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F00:1.mp3"))->MacType(), Text("MPG3"));
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F00:.hidden"))->MacType(), Text(""));
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F00:"))->MacType(), Text(""));

    const std::string stored = std::string("Song") + "hook" + std::string(24, '\0');
    if (::setxattr((f00 + "/1.mp3").c_str(), "user.com.apple.FinderInfo", stored.data(), stored.size(), 0) != 0)
        GTEST_SKIP() << "the temporary folder's file system keeps no user attributes: " << std::strerror(errno);
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F00:1.mp3"))->MacType(), Text("Song"));
    const std::string none(32, '\0');
    ASSERT_EQ(::setxattr((f00 + "/1.mp3").c_str(), "user.com.apple.FinderInfo", none.data(), none.size(), 0), 0);
    EXPECT_EQ(GetFolderItem(Text("Player:iPod_Control:Music:F00:1.mp3"))->MacType(), Text("MPG3"));
}

TEST_F(FilesTest, CreationDateIsTheBirthTimeAndAMissingItemHasNone)
{
    const std::string path = player + "/iPod_Control/Music/F00/1.mp3";
    // Modified long ago, made today: where the file system keeps birth times the date
    // added is today.
    const timespec times[2] = {{978307200, 0}, {978307200, 0}}; // 2001-01-01
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    struct statx info {};
    ASSERT_EQ(::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &info), 0);
    const Ref<FolderItem> file = GetFolderItem(Text("Player:iPod_Control:Music:F00:1.mp3"));
    EXPECT_EQ(file->ModificationDate().secondsSinceEpoch(), 978307200);
    if (info.stx_mask & STATX_BTIME)
        EXPECT_GT(file->CreationDate().secondsSinceEpoch(), QDateTime::currentSecsSinceEpoch() - 3600);
    else
        EXPECT_EQ(file->CreationDate().secondsSinceEpoch(), 978307200);

    const Ref<FolderItem> missing = GetFolderItem(Text("Player:iPod_Control:Music:F00:gone.mp3"));
    ASSERT_TRUE(missing);
    EXPECT_THROW(missing->CreationDate(), NilObjectException);
    EXPECT_THROW(missing->ModificationDate(), NilObjectException);
}

} // namespace
