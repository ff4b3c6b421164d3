#include "util/clock.h"

#include <QLocale>

QString Clock::shortDayName(int dayOfWeek) const {
    return QLocale::system().dayName(dayOfWeek, QLocale::ShortFormat);
}

QString FixedClock::shortDayName(int dayOfWeek) const {
    if (dayOfWeek >= 1 && dayOfWeek <= dayNames_.size())
        return dayNames_[dayOfWeek - 1];
    return Clock::shortDayName(dayOfWeek);
}

QString headerDateTime(const Clock& clock) {
    const QDateTime moment = clock.now();
    const QDate date = moment.date();
    const QTime time = moment.time();
    const auto two = [](int value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    return QStringLiteral("%1年%2月%3日(%4) [%5:%6:%7]")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(two(date.month()), two(date.day()), clock.shortDayName(date.dayOfWeek()),
             two(time.hour()), two(time.minute()), two(time.second()));
}
