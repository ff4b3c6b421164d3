#include "util/safe_file.h"

FileWriteError::FileWriteError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("%1 に書き込めません：%2").arg(path, reason).toStdString()),
      path_(path) {}
