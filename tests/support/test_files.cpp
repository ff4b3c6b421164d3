#include "support/test_files.h"

#include "util/sjis.h"

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

QByteArray iniBytes(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return toSjis(withCrLf);
}

QString testDataPath(const QString& name) {
#ifdef TAMSEL_TEST_DATA_DIR
    return QDir(QStringLiteral(TAMSEL_TEST_DATA_DIR)).filePath(name);
#else
    return name;
#endif
}
