#include "util/system_error.h"

#include <QHash>

#include <cerrno>
#include <cstring>

QString systemErrorText(int error) {
    static const QHash<int, QString> texts{
        {ENOSPC, QStringLiteral("デバイスに空き領域がありません")},
#ifdef EDQUOT // not in Windows' C library
        {EDQUOT, QStringLiteral("ディスク使用量の制限を超えました")},
#endif
        {EACCES, QStringLiteral("許可がありません")},
        {EPERM, QStringLiteral("操作が許可されていません")},
        {EROFS, QStringLiteral("読み込み専用のファイルシステムです")},
        {EIO, QStringLiteral("入出力エラーが発生しました")},
        {ENOENT, QStringLiteral("ファイルまたはフォルダがありません")},
        {ENOTDIR, QStringLiteral("途中の名前がフォルダではありません")},
        {EISDIR, QStringLiteral("フォルダです")},
        {ENAMETOOLONG, QStringLiteral("ファイル名が長すぎます")},
        {ELOOP, QStringLiteral("シンボリックリンクの階層が多すぎます")},
        {EFBIG, QStringLiteral("ファイルが大きすぎます")},
        {EMFILE, QStringLiteral("開いているファイルが多すぎます")},
        {ENFILE, QStringLiteral("開いているファイルが多すぎます")},
        {ENXIO, QStringLiteral("デバイスがありません")},
        {ETXTBSY, QStringLiteral("ファイルが実行中のため書き込めません")},
        {EPIPE, QStringLiteral("パイプの読み手がいなくなりました")},
        {EBUSY, QStringLiteral("ファイルまたはデバイスが使用中です")},
        {ENOMEM, QStringLiteral("メモリが足りません")},
        {EBADF, QStringLiteral("閉じています")},
    };
    return texts.value(error, QStringLiteral("システムエラー %1（%2）")
                                  .arg(error)
                                  .arg(QString::fromLocal8Bit(std::strerror(error))));
}
