#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The process-wide formats in which the program shows dates and times (Qt notation).
// Start-up sets them; until then they are the locale's short formats.
void SetDateTimeFormats(const QString& shortDateFormat, const QString& longTimeFormat);
QString ShortDateFormat();
QString LongTimeFormat();

QString formatShortDate(QDate date);
QString formatLongTime(QTime time);
