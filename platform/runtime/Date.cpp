#include "runtime/Date.h"

#include <QDateTime>
#include <QLocale>

namespace platform {

Text Date::LongDate() const
{
    const QDate day = QDateTime::fromSecsSinceEpoch(seconds_).date();
    return Text(QLocale::system().toString(day, QLocale::LongFormat).toStdString());
}

} // namespace platform
