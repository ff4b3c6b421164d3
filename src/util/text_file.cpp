#include "util/text_file.h"

#include "util/safe_file.h"
#include "util/sjis.h"

QByteArray encodeSjisLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += toSjis(line);
        out += "\r\n";
    }
    return out;
}

QByteArray encodeUtf8Lines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += '\n';
    }
    return out;
}

void writeSjisLines(const QString& path, const QStringList& lines) {
    writeFileSafely(path, encodeSjisLines(lines));
}
