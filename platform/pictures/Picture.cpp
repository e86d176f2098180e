#include "pictures/Picture.h"

#include "runtime/ClassRecord.h"

#include <QImage>

namespace platform {

Ref<Picture> Picture::fromImage(const QImage& image)
{
    // Made from its class record, like every run-time object, once the records exist.
    const ClassRecord* record = ClassRegistry::instance().find(kClassName);
    Ref<Picture> picture = record ? ObjectFactory<Picture>::make(*record) : Ref<Picture>(std::make_shared<Picture>());
    picture->pixmap_ = QPixmap::fromImage(image);
    return picture;
}

} // namespace platform
