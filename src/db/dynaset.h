#pragma once

#include "db/db_error.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

// The values a query gives back, named after the automation interface the program was
// designed against: a result set read whole and the field values of its current row.

// One column value of the dynaset's current row.
class Field {
public:
    explicit Field(QVariant value) : value_(std::move(value)) {}
    // name: the column, for the message when the value is NULL.
    Field(QVariant value, QString name) : value_(std::move(value)), name_(std::move(name)) {}
    bool IsNull() const { return value_.isNull(); }
    // The value as text: a number in plain decimal (10 -> "10", 1600.5 -> "1600.5"), a
    // string unchanged. A NULL has no text: DbError.
    QString Value() const;

private:
    QVariant value_;
    QString name_;
};

// A result set, read whole when created, so RecordCount is exact. Starts on its first row.
class Dynaset {
public:
    Dynaset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows);
    // values: the rows one after the other, fieldNames.size() values each.
    static std::unique_ptr<Dynaset> fromValues(QStringList fieldNames,
                                               std::vector<QVariant> values);
    qint32 RecordCount() const;
    // The current row's value of the named column (matched without regard to case).
    // DbError for an unknown name or when the rows are exhausted.
    Field Fields(const QString& name) const;
    void MoveNext();

private:
    struct Flat {};
    Dynaset(Flat, QStringList fieldNames, std::vector<QVariant> values);

    QStringList fieldNames_;
    std::vector<QVariant> values_; // row after row: one allocation for the whole result
    qsizetype rowCount_ = 0;
    qsizetype current_ = 0;
};
