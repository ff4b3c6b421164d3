#pragma once

#include <QString>

// Messages of logon and retrieval, shared by the windows and tamsel-gen.
inline QString cannotOpenDatabaseText() {
    return QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽを開けません");
}
inline QString retrievalErrorText() {
    return QStringLiteral("テーブル情報取得中にｴﾗｰが発生しました");
}
inline QString noTablesText() {
    return QStringLiteral("テーブルが存在しません");
}
// The progress window's caption while columns are read; tamsel-gen's progress line too.
inline QString retrievingText() {
    return QStringLiteral("テーブル情報を取得中・・・");
}
