#pragma once

#include <QString>

// Messages of the generation commands, shared by the main window and tamsel-gen.
inline QString noPublicTableText() {
    return QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬが最低１つ必要です");
}
inline QString overwritePreviewQuestion() {
    return QStringLiteral("現在の内容を上書しますか？");
}
inline QString outOfMemoryText() {
    return QStringLiteral("メモリが不足しています");
}
inline QString packageGenerationErrorText() {
    return QStringLiteral("ﾊﾟｯｹｰｼﾞｿｰｽ作成中にｴﾗｰが発生しました");
}
inline QString vbGenerationErrorText() {
    return QStringLiteral("VBｿｰｽ作成中にｴﾗｰが発生しました");
}
