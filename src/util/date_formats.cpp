#include "util/date_formats.h"

#include <QLocale>

namespace {

QString& shortDate() {
    static QString format = QLocale().dateFormat(QLocale::ShortFormat);
    return format;
}

QString& longTime() {
    static QString format = QLocale().timeFormat(QLocale::LongFormat);
    return format;
}

} // namespace

void SetDateTimeFormats(const QString& shortDateFormat, const QString& longTimeFormat) {
    shortDate() = shortDateFormat;
    longTime() = longTimeFormat;
}

QString ShortDateFormat() {
    return shortDate();
}

QString LongTimeFormat() {
    return longTime();
}

QString formatShortDate(QDate date) {
    return date.toString(shortDate());
}

QString formatLongTime(QTime time) {
    return time.toString(longTime());
}
