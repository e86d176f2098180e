#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace drawing {

namespace {

const QColor kInk(0x23, 0x2f, 0x3e);
const QColor kSky(0x2f, 0x6f, 0xb5);
const QColor kFolder(0xf2, 0xb6, 0x3c);
const QColor kFolderDark(0xd4, 0x92, 0x1e);

// An eighth note: the head centred at `head`, the stem rising from its right side.
void drawNote(QPainter& painter, QPointF head, qreal size, const QColor& colour)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.translate(head);
    painter.save();
    painter.rotate(-22);
    painter.drawEllipse(QPointF(0, 0), size * 0.62, size * 0.42);
    painter.restore();
    const qreal stemX = size * 0.52;
    const qreal top = -size * 2.6;
    painter.drawRect(QRectF(stemX - size * 0.09, top, size * 0.18, -top - size * 0.1));
    QPainterPath flag;
    flag.moveTo(stemX, top);
    flag.cubicTo(stemX + size * 0.2, top + size * 0.7, stemX + size * 1.1, top + size * 0.8, stemX + size * 0.75,
                 top + size * 1.9);
    flag.cubicTo(stemX + size * 0.85, top + size * 1.1, stemX + size * 0.3, top + size * 0.9, stemX, top + size * 0.8);
    flag.closeSubpath();
    painter.drawPath(flag);
    painter.restore();
}

void drawPlayer(QPainter& painter, bool full)
{
    const QRectF body(34, 38, 96, 164);
    QLinearGradient metal(body.topLeft(), body.bottomRight());
    metal.setColorAt(0, QColor(0xfb, 0xfc, 0xfd));
    metal.setColorAt(1, QColor(0xcf, 0xd6, 0xdf));
    painter.setPen(QPen(kInk, 2));
    painter.setBrush(metal);
    painter.drawRoundedRect(body, 16, 16);

    const QRectF screen(46, 52, 72, 58);
    QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
    glass.setColorAt(0, full ? QColor(0x3b, 0x9b, 0x5a) : QColor(0x3a, 0x7c, 0xc6));
    glass.setColorAt(1, full ? QColor(0x1f, 0x5e, 0x36) : QColor(0x1c, 0x45, 0x7a));
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(glass);
    painter.drawRoundedRect(screen, 5, 5);
    drawNote(painter, QPointF(74, 94), 9, Qt::white);
    // The copy's progress along the bottom of the screen.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 90));
    painter.drawRoundedRect(QRectF(54, 100, 56, 5), 2.5, 2.5);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(54, 100, full ? 56 : 22, 5), 2.5, 2.5);

    const QPointF centre(82, 156);
    QRadialGradient wheel(centre, 32);
    wheel.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
    wheel.setColorAt(1, QColor(0xc2, 0xca, 0xd4));
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(wheel);
    painter.drawEllipse(centre, 31, 31);
    painter.setBrush(metal);
    painter.drawEllipse(centre, 11, 11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    for (const QPointF mark : {QPointF(0, -22), QPointF(0, 22), QPointF(-22, 0), QPointF(22, 0)})
        painter.drawEllipse(centre + mark, 2.2, 2.2);
}

void drawFolder(QPainter& painter, bool full)
{
    // The back of the folder with its tab, the songs inside it, then the front flap.
    QPainterPath back;
    back.moveTo(196, 124);
    back.lineTo(226, 124);
    back.lineTo(234, 132);
    back.lineTo(292, 132);
    back.lineTo(292, 200);
    back.lineTo(196, 200);
    back.closeSubpath();
    painter.setPen(QPen(kFolderDark.darker(130), 2));
    painter.setBrush(kFolderDark);
    painter.drawPath(back);
    if (full) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.setPen(QPen(kFolderDark.darker(130), 1));
        painter.drawRect(QRectF(206, 104, 76, 56));
        drawNote(painter, QPointF(222, 140), 9, kSky);
        drawNote(painter, QPointF(246, 134), 9, kInk);
        drawNote(painter, QPointF(268, 142), 9, kSky);
    }
    QPainterPath front;
    front.moveTo(190, 150);
    front.lineTo(298, 150);
    front.lineTo(292, 200);
    front.lineTo(196, 200);
    front.closeSubpath();
    QLinearGradient flap(QPointF(0, 150), QPointF(0, 200));
    flap.setColorAt(0, kFolder.lighter(112));
    flap.setColorAt(1, kFolder);
    painter.setPen(QPen(kFolderDark.darker(130), 2));
    painter.setBrush(flap);
    painter.drawPath(front);
}

} // namespace

QImage drawLogo(bool pointerOver)
{
    QImage image(317, 238, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(QPointF(0, 0), QPointF(0, 238));
    sky.setColorAt(0, Qt::white);
    sky.setColorAt(1, pointerOver ? QColor(0xe3, 0xf4, 0xe6) : QColor(0xe4, 0xee, 0xfa));
    painter.fillRect(image.rect(), sky);

    drawPlayer(painter, pointerOver);
    drawFolder(painter, pointerOver);

    // The way the songs go, from the player's screen over to the folder.
    QPainterPath way;
    way.moveTo(132, 70);
    way.cubicTo(178, 22, 236, 34, 250, 108);
    painter.setPen(QPen(pointerOver ? QColor(0x3b, 0x9b, 0x5a) : kSky, 3, Qt::DashLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(way);
    QPainterPath head;
    head.moveTo(242, 100);
    head.lineTo(258, 100);
    head.lineTo(250, 114);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(pointerOver ? QColor(0x3b, 0x9b, 0x5a) : kSky);
    painter.drawPath(head);

    if (!pointerOver) {
        drawNote(painter, QPointF(160, 64), 10, kInk);
        drawNote(painter, QPointF(196, 42), 10, kSky);
        drawNote(painter, QPointF(232, 58), 10, kInk);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage drawDonationButton()
{
    QImage image(190, 44, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF face(1, 1, 188, 42);
    QLinearGradient gold(face.topLeft(), face.bottomLeft());
    gold.setColorAt(0, QColor(0xff, 0xe0, 0x8a));
    gold.setColorAt(1, QColor(0xf5, 0xb3, 0x2b));
    painter.setPen(QPen(QColor(0xb9, 0x80, 0x14), 1.5));
    painter.setBrush(gold);
    painter.drawRoundedRect(face, 20, 20);

    // A heart at the left, the word at the right of it.
    QPainterPath heart;
    heart.moveTo(34, 32);
    heart.cubicTo(14, 20, 20, 6, 34, 14);
    heart.cubicTo(48, 6, 54, 20, 34, 32);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc8, 0x2e, 0x3c));
    painter.drawPath(heart);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(21);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(QRectF(58, 0, 124, 44), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Donate"));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace drawing
