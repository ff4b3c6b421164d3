#include "util/text_file.h"

#include "util/safe_file.h"
#include "util/sjis.h"

QByteArray encodeSjisLines(const QStringList& lines) {
    QByteArray out;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        try {
            out += toSjis(lines[n]);
        } catch (const SjisEncodeError& error) {
            // The line tells the user where to look in a long text.
            SjisUnencodable where = error.where();
            where.line = n + 1;
            throw SjisEncodeError(std::move(where));
        }
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
