#pragma once

// How a bevel button looks: the depth of its bevel, where its icon and its caption stand,
// and the arrow of its pop-up menu. The places are worked out apart from any widget, so
// they can be checked without drawing.
//
// The numbers are the ones window descriptions and the button's operations use:
// - Bevel: 0 small (a 1-pixel edge), 1 normal (2 pixels), 2 large (3 pixels).
// - IconAlign: 0 and 1 centred, 2 left, 3 right, 4 top, 5 bottom, 6 top left,
//   7 bottom left, 8 top right, 9 bottom right. IconDX and IconDY move the icon away from
//   the edges it is aligned to (a centred icon moves right and down).
// - CaptionPlacement: 0 and 1 to the right of the icon, 2 to its left, 3 below it,
//   4 above it. Without an icon the caption has the whole face.
// - CaptionAlign: 0 and 1 centred, 2 flush left, 3 flush right, within the caption's part
//   of the face. CaptionDelta moves the caption away from the edge it is flush with (a
//   centred caption moves right).
// - HasMenu: 0 no menu; 1 a press anywhere opens the menu; 2 the menu opens from the arrow
//   at the right, and a press elsewhere acts as a plain press.

#include <QColor>
#include <QRect>
#include <QSize>
#include <QToolButton>

#include <cstdint>

class QMenu;

namespace platform {

struct BevelLook {
    std::int32_t bevel = 0;
    std::int32_t iconAlign = 0;
    std::int32_t iconDX = 0;
    std::int32_t iconDY = 0;
    std::int32_t captionPlacement = 0;
    std::int32_t captionAlign = 0;
    std::int32_t captionDelta = 0;
    std::int32_t hasMenu = 0;
};

struct BevelPlaces {
    QRect face;    // inside the bevel, without the menu arrow's strip
    QRect icon;    // empty when there is no icon
    QRect caption; // empty when there is no caption
    QRect arrow;   // empty when there is no menu
};

// The width in pixels of the bevel's edge for a Bevel setting.
int bevelWidth(std::int32_t bevel);

// Where everything stands on a button of the given size, for an icon and a caption of the
// given sizes (an empty size for none).
BevelPlaces placeBevelContents(QSize button, QSize icon, QSize caption, const BevelLook& look);

// The Qt button that draws itself from a BevelLook: the bevel, then the icon, the caption
// in its colour, and the menu arrow.
class BevelButtonWidget : public QToolButton {
public:
    using QToolButton::QToolButton;

    BevelLook look;
    QColor textColor{Qt::black};
    // The pop-up menu's rows; the menu opens where `look.hasMenu` says.
    QMenu* rowMenu = nullptr;

    // Whether a press at that point opens the menu rather than pressing the button.
    bool opensMenuAt(QPoint at) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
