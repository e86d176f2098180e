#include "pictures/OpenAsPicture.h"

#include <QImage>
#include <QImageReader>

namespace platform {

Ref<Picture> OpenAsPicture(const FolderItem& file)
{
    if (!file.Exists() || file.Directory() || !file.staysOnVolume())
        return Ref<Picture>();
    QImageReader reader(QString::fromStdString(file.nativePath()));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return Ref<Picture>();
    return Picture::fromImage(image);
}

} // namespace platform
