#include "util/input_file.h"

#include <sys/stat.h>

InputFileError::InputFileError(const QString& reason) : std::runtime_error(reason.toStdString()) {}

QString fileKindText(unsigned mode) {
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("フォルダです");
    if (S_ISFIFO(mode))
        return QStringLiteral("名前付きパイプです");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("デバイスです");
#ifdef S_ISSOCK // Windows' C library has no sockets among file kinds
    if (S_ISSOCK(mode))
        return QStringLiteral("ソケットです");
#endif
    return QStringLiteral("通常のファイルではありません");
}

InputFileError inputTooLargeError(qint64 maxBytes) {
    return InputFileError(
        QStringLiteral("ファイルが大きすぎます（%1 MiB まで）").arg(maxBytes / (1024 * 1024)));
}
