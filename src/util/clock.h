#pragma once

#include <QDateTime>
#include <QString>

// Where generated headers take their date and time from. The program uses the system
// clock and the user's locale; tamsel-gen can pin the moment (SOURCE_DATE_EPOCH); tests pin
// both the moment and the weekday name, so nothing depends on the machine's zone or locale.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The abbreviated weekday name (1 = Monday ... 7 = Sunday) in the user's locale.
    virtual QString shortDayName(int dayOfWeek) const;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock : public Clock {
public:
    // An empty dayNames leaves the weekday names to the locale.
    explicit FixedClock(QDateTime moment, QStringList dayNames = {})
        : moment_(std::move(moment)), dayNames_(std::move(dayNames)) {}
    QDateTime now() const override { return moment_; }
    QString shortDayName(int dayOfWeek) const override;

private:
    QDateTime moment_;
    QStringList dayNames_; // Monday first
};

// The date and time of a generated header: "2001年05月12日(土) [14:03:09]".
QString headerDateTime(const Clock& clock);
