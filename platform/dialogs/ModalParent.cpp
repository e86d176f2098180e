#include "dialogs/ModalParent.h"

#include <QApplication>

namespace platform {

QWidget* modalParent()
{
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

} // namespace platform
