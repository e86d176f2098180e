// Draws the seven pictures of the About and help windows into a folder (resources/ of the
// source tree, through tools/draw-pictures.sh). Run offscreen; the same system draws the
// same pictures.

#include "Artwork.h"
#include "GifWriter.h"
#include "MainWindowParts.h"

#include "runtime/Runtime.h"
#include "shell/Startup.h"
#include "ui/Ui.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool savePng(const QDir& folder, const char* name, const QImage& image)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool saveGif(const QDir& folder, const char* name, const QImage& image)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(drawing::gifBytes(image)) < 0 || !file.flush()) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::RuntimeInit();
    parvolin::initializeClassRecords();

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "No folder %s\n", argv[1]);
        return 1;
    }
    const drawing::HelpPictures help = drawing::grabMainWindowParts();
    const bool written = savePng(folder, "logo317.png", drawing::drawLogo(false)) &&
                         savePng(folder, "mulb.png", drawing::drawLogo(true)) &&
                         saveGif(folder, "paypal.gif", drawing::drawDonationButton()) &&
                         savePng(folder, "info0.png", help.copyToRow) &&
                         savePng(folder, "info1.png", help.fileSelection) &&
                         savePng(folder, "info3.png", help.copyButton) &&
                         savePng(folder, "info4.png", help.copyAllButton);
    platform::releaseWindowLists();
    return written ? 0 : 1;
}
