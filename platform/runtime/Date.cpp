#include "runtime/Date.h"

#include <QDate>
#include <QLocale>

#include <ctime>

namespace platform {

Text Date::LongDate() const
{
    // The calendar day in the system's time zone. localtime_r reads the zone once, where
    // a QDateTime in local time looks it up again for every date: a listing shows one
    // date per row.
    const std::time_t seconds = static_cast<std::time_t>(seconds_);
    std::tm local{};
    if (!::localtime_r(&seconds, &local))
        return Text();
    static const QLocale locale = QLocale::system();
    const QDate day(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return Text(locale.toString(day, QLocale::LongFormat).toStdString());
}

} // namespace platform
