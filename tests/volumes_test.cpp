// The volumes a user sees: read from the kernel's mount table, in mount order, root first.

#include "PlayerFixture.h"
#include "TestSupport.h"

#include "files/Files.h"
#include "files/MountTable.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;

namespace {

std::vector<Mount> parse(const std::string& table)
{
    std::istringstream in(table);
    return parseMountInfo(in);
}

TEST(MountTable, ReadsMountPointsWithTheirEscapesAndTypes)
{
    const std::vector<Mount> mounts = parse(
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "61 27 8:17 / /media/alice/My\\040Player rw,nosuid shared:301 master:2 - vfat /dev/sdb1 rw\n"
        "62 27 8:18 / /media/Back\\134slash\\011Tab rw - fuseblk /dev/sdc1 rw\n"
        "not a mount line\n"
        "63 27 8:19 / /media/NoType rw shared:1\n"
        "64 27 0:50 / /run/media/bob/EXFAT rw - fuse.exfat /dev/sdd1 rw\n");
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[1].mountPoint, "/media/alice/My Player");
    EXPECT_EQ(mounts[1].type, "vfat");
    EXPECT_EQ(mounts[2].mountPoint, "/media/Back\\slash\tTab");
    EXPECT_EQ(mounts[2].type, "fuseblk");
    EXPECT_EQ(mounts[3].type, "fuse.exfat");
}

struct VolumeCase {
    const char* mountPoint;
    const char* type;
    bool isVolume;
};

TEST(MountTable, CountsTheDisksUsersSeeAndNoPseudoFileSystems)
{
    const VolumeCase cases[] = {
        {.mountPoint = "/media/PLAYER", .type = "vfat", .isVolume = true},
        {.mountPoint = "/media/alice/PLAYER", .type = "hfsplus", .isVolume = true},
        {.mountPoint = "/run/media/alice/PLAYER", .type = "fuseblk", .isVolume = true},
        {.mountPoint = "/run/media/alice/EXFAT", .type = "fuse.exfat", .isVolume = true},
        {.mountPoint = "/mnt/PLAYER", .type = "ntfs3", .isVolume = true},
        {.mountPoint = "/media/RAM", .type = "tmpfs", .isVolume = true},
        {.mountPoint = "/media/PLAYER", .type = "autofs", .isVolume = false},
        {.mountPoint = "/media/PLAYER", .type = "proc", .isVolume = false},
        {.mountPoint = "/media/PLAYER", .type = "fuse.gvfsd-fuse", .isVolume = false},
        {.mountPoint = "/media", .type = "tmpfs", .isVolume = false},
        {.mountPoint = "/media/a/b/c", .type = "vfat", .isVolume = false},
        {.mountPoint = "/mnt/a/b", .type = "vfat", .isVolume = false},
        {.mountPoint = "/run/media/alice", .type = "tmpfs", .isVolume = false},
        {.mountPoint = "/mediaX/PLAYER", .type = "vfat", .isVolume = false},
        {.mountPoint = "/home/alice", .type = "ext4", .isVolume = false},
        {.mountPoint = "/boot/efi", .type = "vfat", .isVolume = false},
    };
    for (const VolumeCase& c : cases)
        EXPECT_EQ(isUserVolume({c.mountPoint, c.type}), c.isVolume) << c.mountPoint << " " << c.type;
}

TEST(MountTable, ListsTheRootThenTheVolumesInMountOrderAsTheyAreSeen)
{
    const std::vector<Mount> mounts{
        {"/", "ext4"},           {"/media/B", "vfat"},  {"/proc", "proc"},          {"/media/A", "vfat"},
        {"/media/C", "autofs"},  {"/media/C", "vfat"},  // the disk mounted over its placeholder
        {"/media/D", "vfat"},    {"/media/D", "proc"},  // hidden by a pseudo file system
        {"/mnt/E", "vfat"},      {"/mnt", "tmpfs"},     // hidden by a mount above it
        {"/mnt/F", "fuseblk"},   {"/", "ext4"},
    };
    EXPECT_EQ(userVolumes(mounts), (std::vector<std::string>{"/", "/media/B", "/media/A", "/media/C", "/mnt/F"}));
}

TEST(Volumes, AreNumberedFromTheRootAndNamedAfterTheirMountPoints)
{
    testsupport::FakeVolumes volumes;
    const std::string disk = volumes.mount("My Disk");
    const std::string odd = volumes.mount("a:b");
    EXPECT_EQ(VolumeCount(), 3);
    EXPECT_EQ(Volume(0)->nativePath(), "/");
    EXPECT_EQ(Volume(1)->nativePath(), disk);
    EXPECT_EQ(Volume(1)->Name(), Text("My Disk"));
    EXPECT_EQ(Volume(2)->Name(), Text("a/b"));
    EXPECT_EQ(Volume(0)->Name(), Text("Computer"));
    EXPECT_FALSE(Volume(3));
    EXPECT_FALSE(Volume(-1));
    // Read afresh at every call.
    volumes.unmount(disk);
    EXPECT_EQ(VolumeCount(), 2);
    EXPECT_EQ(Volume(1)->nativePath(), odd);
}

} // namespace
