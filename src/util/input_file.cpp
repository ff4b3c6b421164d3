#include "util/input_file.h"

#include <algorithm>

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

QByteArray readToEnd(const std::function<qint64(char* to, qint64 count)>& readSome,
                     QByteArray bytes, qint64 maxBytes) {
    qint64 size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > maxBytes)
                throw inputTooLargeError(maxBytes);
            bytes.resize(std::min<qint64>(maxBytes + 1, std::max<qint64>(size * 2, 4096)));
        }
        const qint64 got = readSome(bytes.data() + size, bytes.size() - size);
        if (got == 0)
            break;
        size += got;
    }
    if (size > maxBytes)
        throw inputTooLargeError(maxBytes);
    bytes.truncate(size);
    return bytes;
}
