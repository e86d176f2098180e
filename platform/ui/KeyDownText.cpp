#include "ui/KeyDownText.h"

#include <QKeyEvent>

namespace platform {

Text keyDownText(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Left:
        return Chr(28);
    case Qt::Key_Right:
        return Chr(29);
    case Qt::Key_Up:
        return Chr(30);
    case Qt::Key_Down:
        return Chr(31);
    default:
        return Text(event.text().toStdString());
    }
}

} // namespace platform
