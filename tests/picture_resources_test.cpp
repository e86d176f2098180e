// The seven picture accessors: loaded once from the Resources folder beside the program's
// folder, tried again while missing, and never an error when the folder is not there.

#include "TestSupport.h"
#include "info/PictureResources.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

struct Accessor {
    const char* file;
    Ref<Picture> (*get)();
    QSize size; // a size of its own, so that a swapped file shows
};

const Accessor kAccessors[] = {
    {"paypal.gif", &parvolin::paypal, {11, 3}}, {"logo317.png", &parvolin::logo317, {12, 3}},
    {"mulb.png", &parvolin::mulb, {13, 3}},     {"info0.png", &parvolin::info0, {14, 3}},
    {"info1.png", &parvolin::info1, {15, 3}},   {"info3.png", &parvolin::info3, {16, 3}},
    {"info4.png", &parvolin::info4, {17, 3}},
};

// A program laid out as bin/parvolin with Resources/ beside bin/, in a temporary folder.
class PictureResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath("bin"));
        resources = QDir(home.filePath("Resources"));
        ASSERT_TRUE(QDir(home.path()).mkpath("Resources"));
        previous = parvolin::setAppFolderItemGetterForTesting([this] {
            ++lookups;
            return FolderItem::forNativePath(home.filePath("bin/parvolin").toStdString());
        });
        parvolin::forgetPicturesForTesting();
    }

    void TearDown() override
    {
        parvolin::setAppFolderItemGetterForTesting(std::move(previous));
        parvolin::forgetPicturesForTesting();
    }

    void write(const Accessor& accessor)
    {
        QImage image(accessor.size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        // Qt reads GIF but does not write it; a PNG under the GIF's name is read all the same.
        ASSERT_TRUE(image.save(resources.filePath(accessor.file), "PNG"));
    }

    void writeAll()
    {
        for (const Accessor& accessor : kAccessors)
            write(accessor);
    }

    QTemporaryDir home;
    QDir resources;
    int lookups = 0; // how often the executable was asked for: once per attempt to load
    parvolin::AppFolderItemGetter previous;
};

} // namespace

TEST_F(PictureResourcesTest, FirstCallLoadsAndLaterCallsServeTheSamePictureWithoutTheDisk)
{
    writeAll();
    for (const Accessor& accessor : kAccessors) {
        const Ref<Picture> first = accessor.get();
        ASSERT_TRUE(first) << accessor.file;
        EXPECT_EQ(first->pixmap().size(), accessor.size) << accessor.file << " comes from its own file";
    }
    EXPECT_EQ(lookups, 7);

    const Ref<Picture> logo = parvolin::logo317();
    ASSERT_TRUE(resources.removeRecursively());
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(parvolin::logo317().get(), logo.get());
        EXPECT_TRUE(parvolin::info4());
    }
    EXPECT_EQ(lookups, 7) << "a loaded picture never touches the disk again";
}

TEST_F(PictureResourcesTest, AMissingOrUnreadableFileIsTriedAgainOnEveryCallAndLoadsOnceItIsThere)
{
    EXPECT_FALSE(parvolin::info0());
    EXPECT_FALSE(parvolin::info0());
    EXPECT_EQ(lookups, 2);

    QFile garbage(resources.filePath("info0.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
    garbage.close();
    EXPECT_FALSE(parvolin::info0());
    EXPECT_EQ(lookups, 3);

    write(kAccessors[3]);
    const Ref<Picture> loaded = parvolin::info0();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(parvolin::info0().get(), loaded.get());
    EXPECT_EQ(lookups, 4);
}

TEST_F(PictureResourcesTest, WithoutAResourcesFolderEveryAccessorGivesNothingAndRaisesNothing)
{
    ASSERT_TRUE(resources.removeRecursively());
    for (const Accessor& accessor : kAccessors)
        EXPECT_NO_THROW(EXPECT_FALSE(accessor.get()) << accessor.file);

    // A plain file named Resources is no folder either.
    QFile file(home.filePath("Resources"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(parvolin::GetApplicationBundleResources());
    EXPECT_NO_THROW(EXPECT_FALSE(parvolin::mulb()));
}

TEST_F(PictureResourcesTest, LoadingOnePictureLoadsNoOther)
{
    writeAll();
    ASSERT_TRUE(parvolin::logo317());
    for (const Accessor& accessor : kAccessors) {
        if (std::string(accessor.file) != "logo317.png") {
            ASSERT_TRUE(QFile::remove(resources.filePath(accessor.file)));
        }
    }
    for (const Accessor& accessor : kAccessors)
        EXPECT_EQ(static_cast<bool>(accessor.get()), std::string(accessor.file) == "logo317.png") << accessor.file;
}

TEST_F(PictureResourcesTest, AnExecutableWithoutTwoFoldersAboveItIsTheNilObjectException)
{
    parvolin::setAppFolderItemGetterForTesting([] { return FolderItem::forNativePath("/parvolin"); });
    EXPECT_THROW(parvolin::info1(), NilObjectException);
    parvolin::setAppFolderItemGetterForTesting([] { return Ref<FolderItem>(); });
    EXPECT_THROW(parvolin::info1(), NilObjectException);
}

TEST_F(PictureResourcesTest, TheBuildTreeHoldsTheProgramAndItsPicturesAsAnInstallationDoes)
{
    const QString build = QStringLiteral(PARVOLIN_BINARY_DIR);
    parvolin::setAppFolderItemGetterForTesting(
        [build] { return FolderItem::forNativePath((build + "/bin/parvolin").toStdString()); });
    const Ref<FolderItem> folder = parvolin::GetApplicationBundleResources();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->nativePath(), (build + "/Resources").toStdString());
    for (const Accessor& accessor : kAccessors)
        EXPECT_TRUE(accessor.get()) << accessor.file;
}
