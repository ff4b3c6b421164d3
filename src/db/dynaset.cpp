#include "db/dynaset.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace {

[[noreturn]] void nullHasNoText(const QString& name) {
    if (name.isEmpty())
        throw DbError(QStringLiteral("値が NULL のため文字列にできません"));
    throw DbError(QStringLiteral("列 %1 の値が NULL のため文字列にできません").arg(name));
}

} // namespace

QString decimalText(double number) {
    // 'f' with the shortest round-trip digits: 1600.5, never 1.6005e+03; no "-0".
    return number == 0 ? QStringLiteral("0")
                       : QLocale::c().toString(number, 'f', QLocale::FloatingPointShortest);
}

FieldValue fieldValue(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
        return {decimalText(value.toDouble()), false};
    case QMetaType::Float: {
        const float number = value.toFloat();
        return {number == 0 ? QStringLiteral("0")
                            : QLocale::c().toString(number, 'f', QLocale::FloatingPointShortest),
                false};
    }
    default:
        return {value.toString(), false};
    }
}

QString Field::Value() const {
    if (value_.null)
        nullHasNoText(name_);
    return value_.text;
}

Dynaset::Dynaset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows)
    : fieldNames_(std::move(fieldNames)), rowCount_(static_cast<qsizetype>(rows.size())) {
    values_.reserve(rows.size() * fieldNames_.size());
    for (std::vector<QVariant>& row : rows) {
        row.resize(fieldNames_.size());
        for (const QVariant& value : row)
            values_.push_back(fieldValue(value));
    }
}

std::unique_ptr<Dynaset> Dynaset::fromValues(QStringList fieldNames,
                                             std::vector<FieldValue> values) {
    return std::unique_ptr<Dynaset>(new Dynaset(Flat{}, std::move(fieldNames), std::move(values)));
}

Dynaset::Dynaset(Flat, QStringList fieldNames, std::vector<FieldValue> values)
    : fieldNames_(std::move(fieldNames)), values_(std::move(values)),
      rowCount_(
          fieldNames_.isEmpty() ? 0 : static_cast<qsizetype>(values_.size()) / fieldNames_.size()) {
}

qint32 Dynaset::RecordCount() const {
    return static_cast<qint32>(std::min<qsizetype>(rowCount_, std::numeric_limits<qint32>::max()));
}

qsizetype Dynaset::fieldIndex(const QString& name) const {
    // The callers spell the names as the query does; the case-blind pass is for drivers
    // that fold them (PostgreSQL answers in lower case).
    qsizetype column = fieldNames_.indexOf(name);
    for (qsizetype i = 0; column < 0 && i < fieldNames_.size(); ++i)
        if (fieldNames_[i].compare(name, Qt::CaseInsensitive) == 0)
            column = i;
    if (column < 0)
        throw DbError(QStringLiteral("列 %1 は結果にありません").arg(name));
    return column;
}

const FieldValue& Dynaset::value(qsizetype field) const {
    if (current_ >= rowCount_)
        throw DbError(QStringLiteral("列 %1 を読む行がありません").arg(fieldNames_[field]));
    return values_[current_ * fieldNames_.size() + field];
}

const QString& Dynaset::text(qsizetype field) const {
    const FieldValue& read = value(field);
    if (read.null)
        nullHasNoText(fieldNames_[field]);
    return read.text;
}

Field Dynaset::Fields(const QString& name) const {
    const qsizetype column = fieldIndex(name);
    if (current_ >= rowCount_)
        throw DbError(QStringLiteral("列 %1 を読む行がありません").arg(name));
    return Field(values_[current_ * fieldNames_.size() + column], fieldNames_[column]);
}

void Dynaset::MoveNext() {
    if (current_ < rowCount_)
        ++current_;
}
