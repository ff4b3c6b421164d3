#include "db/sqlite_errors.h"

#include "util/system_error.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlError>

#include <sqlite3.h>

#include <cerrno>

namespace {

// The reasons of SQLite's primary result codes; an extended code shares its primary's.
QString resultCodeText(int primary) {
    static const QHash<int, QString> texts{
        {SQLITE_INTERNAL, QStringLiteral("SQLite の内部エラーが発生しました")},
        {SQLITE_PERM, QStringLiteral("アクセスが許可されていません")},
        {SQLITE_ABORT, QStringLiteral("処理が中止されました")},
        {SQLITE_BUSY, QStringLiteral("データベースは他のプログラムが使用中です")},
        {SQLITE_LOCKED, QStringLiteral("データベースのテーブルがロックされています")},
        {SQLITE_NOMEM, systemErrorText(ENOMEM)},
        {SQLITE_READONLY, QStringLiteral("データベースは読み取り専用です")},
        {SQLITE_INTERRUPT, QStringLiteral("問い合わせが中断されました")},
        {SQLITE_IOERR, QStringLiteral("データベースファイルの入出力エラーが発生しました")},
        {SQLITE_CORRUPT, QStringLiteral("データベースファイルが壊れています")},
        {SQLITE_FULL, systemErrorText(ENOSPC)}, // the page count's limit is out of reach
        {SQLITE_CANTOPEN, QStringLiteral("データベースファイルを開けません")},
        {SQLITE_PROTOCOL, QStringLiteral("データベースのロックの手順に失敗しました")},
        {SQLITE_SCHEMA, QStringLiteral("データベースの構造が変わりました")},
        {SQLITE_TOOBIG, QStringLiteral("文字列または BLOB が大きすぎます")},
        {SQLITE_CONSTRAINT, QStringLiteral("制約に違反しています")},
        {SQLITE_MISMATCH, QStringLiteral("データ型が合いません")},
        {SQLITE_MISUSE, QStringLiteral("SQLite の呼び出し方が誤っています")},
        {SQLITE_NOLFS, QStringLiteral("大きなファイルを扱えません")},
        {SQLITE_AUTH, QStringLiteral("操作が認められていません")},
        {SQLITE_RANGE, QStringLiteral("パラメータの番号が範囲外です")},
        {SQLITE_NOTADB, QStringLiteral("ファイルは SQLite データベースではありません")},
    };
    return texts.value(primary);
}

// An SQL error names what it is about; the messages that come of a dictionary a file does
// not hold keep their names in a Japanese sentence, any other keeps SQLite's words.
QString sqlErrorText(const QString& engineText) {
    static const QRegularExpression missing(
        QStringLiteral("^no such (table|column|function): (.*)$"));
    static const QRegularExpression syntax(QStringLiteral("^near \"(.*)\": syntax error$"));
    if (const QRegularExpressionMatch match = missing.match(engineText); match.hasMatch()) {
        const QString what = match.captured(1) == u"table"    ? QStringLiteral("テーブル")
                             : match.captured(1) == u"column" ? QStringLiteral("列")
                                                              : QStringLiteral("関数");
        return QStringLiteral("%1 %2 がありません").arg(what, match.captured(2));
    }
    if (const QRegularExpressionMatch match = syntax.match(engineText); match.hasMatch())
        return QStringLiteral("SQL の「%1」の辺りに誤りがあります").arg(match.captured(1));
    return engineText.isEmpty() ? QStringLiteral("SQL に誤りがあります")
                                : QStringLiteral("SQL に誤りがあります（%1）").arg(engineText);
}

} // namespace

QString sqliteErrorText(int resultCode, int systemError, const QString& engineText) {
    const int primary = resultCode & 0xff;
    if (primary == SQLITE_ERROR)
        return sqlErrorText(engineText);
    const QString text = resultCodeText(primary);
    if (text.isEmpty())
        return QStringLiteral("SQLite のエラー %1（%2）").arg(resultCode).arg(engineText);
    // SQLite records the errno only for these two; any other would be a stale one.
    if (systemError != 0 && (primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR))
        return QStringLiteral("%1（%2）").arg(text, systemErrorText(systemError));
    return text;
}

QString sqliteErrorText(const QSqlError& error, sqlite3* connection) {
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known);
    if (!known) // the driver's own failure, before SQLite was asked ("Parameter count mismatch")
        return error.text().trimmed();
    return sqliteErrorText(code, connection ? sqlite3_system_errno(connection) : 0,
                           error.databaseText().trimmed());
}
