#include "db/database_backend.h"

#include <QRegularExpression>

std::unique_ptr<Dynaset> DatabaseBackend::query(const QString& sql, const QString& text) {
    return query(withQuotedText(sql, text));
}

QString resultTooLargeText() {
    return QStringLiteral("問い合わせの結果が %1 MiB を超えるため読むのをやめました")
        .arg(DatabaseBackend::kMaxResultBytes >> 20);
}

QString withQuotedText(const QString& sql, const QString& text) {
    QString quoted = text;
    quoted.replace(QStringLiteral("'"), QStringLiteral("''"));
    const qsizetype at = sql.indexOf(u'?');
    if (at < 0)
        return sql;
    return sql.left(at) + u'\'' + quoted + u'\'' + sql.mid(at + 1);
}

QString plainDecimalText(const QString& text) {
    static const QRegularExpression decimal(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?\\s*$"));
    const QRegularExpressionMatch match = decimal.match(text);
    if (!match.hasMatch())
        return text;
    QString whole = match.captured(2);
    QString fraction = match.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return text;
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString result = fraction.isEmpty() ? whole : whole + u'.' + fraction;
    if (match.captured(1) == u"-" && result != u"0")
        result.prepend(u'-');
    return result;
}
