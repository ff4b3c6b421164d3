#include "util/text_file.h"

#include "util/safe_file.h"
#include "util/sjis.h"

namespace {

// The line tells the user where to look in a long text.
[[noreturn]] void rethrowWithLine(const SjisEncodeError& error, qsizetype lineNumber) {
    SjisUnencodable where = error.where();
    where.line = lineNumber;
    throw SjisEncodeError(std::move(where));
}

} // namespace

QByteArray encodeSjisLines(const QStringList& lines) {
    // One buffer of the exact size, written in place.
    qsizetype size = 0;
    for (const QString& line : lines)
        size += sjisLength(line) + 2;
    QByteArray out(size, Qt::Uninitialized);
    char* end = out.data();
    for (qsizetype n = 0; n < lines.size(); ++n) {
        try {
            end = encodeSjisTo(end, lines[n]);
        } catch (const SjisEncodeError& error) {
            rethrowWithLine(error, n + 1);
        }
        *end++ = '\r';
        *end++ = '\n';
    }
    return out;
}

void appendSjisLine(QByteArray& out, QStringView line, qsizetype lineNumber) {
    try {
        appendSjis(out, line);
    } catch (const SjisEncodeError& error) {
        rethrowWithLine(error, lineNumber);
    }
    out.append("\r\n", 2);
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
