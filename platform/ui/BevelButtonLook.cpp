#include "ui/BevelButtonLook.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace platform {

namespace {

constexpr int kArrowWidth = 12; // the strip at the right that holds the menu arrow
constexpr int kGap = 2;         // between the icon and the caption

bool alignedLeft(std::int32_t align) { return align == 2 || align == 6 || align == 7; }
bool alignedRight(std::int32_t align) { return align == 3 || align == 8 || align == 9; }
bool alignedTop(std::int32_t align) { return align == 4 || align == 6 || align == 8; }
bool alignedBottom(std::int32_t align) { return align == 5 || align == 7 || align == 9; }

QRect placeIcon(const QRect& face, QSize icon, const BevelLook& look)
{
    const std::int32_t align = look.iconAlign;
    int x = face.left() + (face.width() - icon.width()) / 2 + look.iconDX;
    if (alignedLeft(align))
        x = face.left() + look.iconDX;
    else if (alignedRight(align))
        x = face.left() + face.width() - icon.width() - look.iconDX;
    int y = face.top() + (face.height() - icon.height()) / 2 + look.iconDY;
    if (alignedTop(align))
        y = face.top() + look.iconDY;
    else if (alignedBottom(align))
        y = face.top() + face.height() - icon.height() - look.iconDY;
    return QRect(QPoint(x, y), icon);
}

QRect placeCaption(const QRect& face, const QRect& icon, QSize caption, const BevelLook& look)
{
    // The caption's part of the face: all of it without an icon, else the side the
    // placement names.
    QRect area = face;
    if (!icon.isEmpty()) {
        switch (look.captionPlacement) {
        case 2:
            area.setRight(icon.left() - kGap - 1);
            break;
        case 3:
            area.setTop(icon.bottom() + kGap + 1);
            break;
        case 4:
            area.setBottom(icon.top() - kGap - 1);
            break;
        default:
            area.setLeft(icon.right() + kGap + 1);
            break;
        }
    }
    int x = area.left() + (area.width() - caption.width()) / 2 + look.captionDelta;
    if (look.captionAlign == 2)
        x = area.left() + look.captionDelta;
    else if (look.captionAlign == 3)
        x = area.left() + area.width() - caption.width() - look.captionDelta;
    const int y = area.top() + (area.height() - caption.height()) / 2;
    return QRect(QPoint(x, y), caption);
}

} // namespace

int bevelWidth(std::int32_t bevel) { return bevel <= 0 ? 1 : bevel == 1 ? 2 : 3; }

BevelPlaces placeBevelContents(QSize button, QSize icon, QSize caption, const BevelLook& look)
{
    BevelPlaces places;
    const int edge = bevelWidth(look.bevel);
    QRect face = QRect(QPoint(0, 0), button).adjusted(edge, edge, -edge, -edge);
    if (look.hasMenu != 0 && face.width() > kArrowWidth) {
        places.arrow = QRect(face.right() - kArrowWidth + 1, face.top(), kArrowWidth, face.height());
        face.setRight(face.right() - kArrowWidth);
    }
    places.face = face;
    if (!icon.isEmpty())
        places.icon = placeIcon(face, icon, look);
    if (!caption.isEmpty())
        places.caption = placeCaption(face, places.icon, caption, look);
    return places;
}

bool BevelButtonWidget::opensMenuAt(QPoint at) const
{
    if (!rowMenu || look.hasMenu == 0)
        return false;
    if (look.hasMenu == 1)
        return true;
    const QSize caption = text().isEmpty() ? QSize() : fontMetrics().size(0, text());
    return placeBevelContents(size(), icon().isNull() ? QSize() : iconSize(), caption, look).arrow.contains(at);
}

void BevelButtonWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && opensMenuAt(event->position().toPoint())) {
        event->accept();
        rowMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    QToolButton::mousePressEvent(event);
}

void BevelButtonWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool down = isDown() || isChecked();
    const QSize caption = text().isEmpty() ? QSize() : fontMetrics().size(0, text());
    const BevelPlaces places = placeBevelContents(size(), icon().isNull() ? QSize() : iconSize(), caption, look);

    painter.fillRect(rect(), colours.color(down ? QPalette::Mid : QPalette::Button));
    qDrawShadePanel(&painter, rect(), colours, down, bevelWidth(look.bevel));
    if (!places.icon.isEmpty())
        painter.drawPixmap(places.icon.topLeft(),
                           icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled));
    if (!places.caption.isEmpty()) {
        painter.setFont(font());
        painter.setPen(isEnabled() ? textColor : colours.color(QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(places.caption, Qt::AlignCenter, text());
    }
    if (!places.arrow.isEmpty()) {
        const QPoint centre = places.arrow.center();
        const QPoint corners[] = {centre + QPoint(-3, -2), centre + QPoint(3, -2), centre + QPoint(0, 2)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawPolygon(corners, 3);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = places.face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace platform
