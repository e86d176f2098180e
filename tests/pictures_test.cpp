// Reading pictures from files, writing the donation button's GIF, and the seven pictures
// committed with the program.

#include "TestSupport.h"
#include "GifWriter.h"
#include "files/FolderItem.h"
#include "pictures/OpenAsPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

Ref<FolderItem> item(const QString& path) { return FolderItem::forNativePath(path.toStdString()); }

QImage decodeGif(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(OpenAsPicture, ReadsPngAndGifByContentAndGivesNothingForWhatIsNoPicture)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(folder.filePath("red.png"), "PNG"));
    QFile gif(folder.filePath("red.gif"));
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
    gif.write(drawing::gifBytes(image));
    gif.close();
    // A PNG under another name is still a PNG.
    ASSERT_TRUE(QFile::copy(folder.filePath("red.png"), folder.filePath("named.gif")));
    QFile text(folder.filePath("notes.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are words");
    text.close();

    for (const char* name : {"red.png", "red.gif", "named.gif"}) {
        const Ref<Picture> picture = OpenAsPicture(*item(folder.filePath(name)));
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->pixmap().size(), QSize(5, 4)) << name;
        EXPECT_EQ(picture->pixmap().toImage().pixelColor(4, 3), QColor(Qt::red)) << name;
    }
    EXPECT_FALSE(OpenAsPicture(*item(folder.filePath("notes.png"))));
    EXPECT_FALSE(OpenAsPicture(*item(folder.filePath("missing.png"))));
    EXPECT_FALSE(OpenAsPicture(*item(folder.path())));
}

TEST(GifWriter, AnImageOfFewColoursComesBackPixelForPixel)
{
    // More pixels than one clear interval, in colours laid out so that a code put in the
    // wrong place or at the wrong width shows.
    QImage image(97, 61, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, ((x + y) % 7) * 36));
    const QImage indexed = drawing::toPalette(image);
    ASSERT_LE(indexed.colorCount(), 256);

    const QImage decoded = decodeGif(drawing::gifBytes(image));
    ASSERT_EQ(decoded.size(), image.size());
    const QImage expected = indexed.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            wrong += decoded.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST(GifWriter, ManyColoursAreReducedToTheMostUsedWithTheRestTakingTheNearest)
{
    // A band of pure red and one of pure blue, then 300 colours used once each, each close
    // to red.
    QImage image(300, 3, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        image.setPixel(x, 0, qRgb(255, 0, 0));
        image.setPixel(x, 1, qRgb(0, 0, 255));
        image.setPixel(x, 2, qRgb(250 - x % 50, x % 6, x / 50));
    }
    const QImage indexed = drawing::toPalette(image);
    EXPECT_EQ(indexed.colorCount(), 256);
    const QImage decoded = decodeGif(drawing::gifBytes(image));
    EXPECT_EQ(decoded.pixel(7, 0), qRgb(255, 0, 0));
    EXPECT_EQ(decoded.pixel(7, 1), qRgb(0, 0, 255));
    for (int x = 0; x < 300; ++x) {
        const QColor colour = decoded.pixelColor(x, 2);
        ASSERT_GE(colour.red(), 200) << x;
        ASSERT_LE(colour.blue(), 10) << x;
    }
}

TEST(CommittedPictures, AreOfTheFormatsAndSizesTheWindowsShowThem)
{
    const QString resources = QStringLiteral(PARVOLIN_SOURCE_DIR "/resources/");
    struct Expected {
        const char* file;
        const char* format;
        QSize size;
    };
    const Expected pictures[] = {
        {"logo317.png", "png", {317, 238}}, {"mulb.png", "png", {317, 238}}, {"info0.png", "png", {227, 54}},
        {"info1.png", "png", {308, 128}},   {"info3.png", "png", {162, 47}}, {"info4.png", "png", {162, 47}},
    };
    for (const Expected& expected : pictures) {
        QImageReader reader(resources + expected.file);
        EXPECT_EQ(reader.format(), QByteArray(expected.format)) << expected.file;
        EXPECT_EQ(reader.size(), expected.size) << expected.file;
        EXPECT_FALSE(reader.read().isNull()) << expected.file;
    }
    // The donation picture is a GIF that fits inside the 200 x 50 button and its bevel.
    QImageReader donation(resources + "paypal.gif");
    EXPECT_EQ(donation.format(), QByteArray("gif"));
    const QImage face = donation.read();
    ASSERT_FALSE(face.isNull());
    EXPECT_LE(face.width(), 198);
    EXPECT_LE(face.height(), 48);
}
