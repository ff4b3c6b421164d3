#include "support/test_files.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString testDataPath(const QString& name) {
#ifdef TAMSEL_TEST_DATA_DIR
    return QDir(QStringLiteral(TAMSEL_TEST_DATA_DIR)).filePath(name);
#else
    return name;
#endif
}
