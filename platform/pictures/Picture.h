#pragma once

// Pictures: an image the controls can show (a canvas's backdrop, a bevel button's icon).

#include "runtime/Object.h"

#include <QPixmap>

#include <string_view>

class QImage;

namespace platform {

class Picture : public Object {
public:
    static constexpr const char* kClassName = "Picture";
    static constexpr std::string_view kTypeName = "Picture";

    // A picture of the image; a null image gives an empty (null) pixmap.
    static Ref<Picture> fromImage(const QImage& image);

    const QPixmap& pixmap() const { return pixmap_; }

private:
    QPixmap pixmap_;
};

} // namespace platform
