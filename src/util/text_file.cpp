#include "util/text_file.h"

#include "util/safe_file.h"
#include "util/sjis.h"

namespace {

// Blocks of about this size go to the output: few calls, little memory.
constexpr qsizetype kBlockSize = 1 << 20;

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

EncodedLines::EncodedLines(TextFormat format, std::function<void(QByteArrayView)> output)
    : format_(format), output_(std::move(output)) {
    block_.reserve(kBlockSize + kBlockSize / 8);
}

void EncodedLines::append(QString line) {
    if (holding_)
        encode(held_);
    held_ = std::move(line);
    holding_ = true;
    ++lineNumber_;
}

void EncodedLines::finish() {
    if (holding_)
        encode(held_);
    holding_ = false;
    if (!block_.isEmpty())
        output_(block_);
    block_.resize(0);
}

void EncodedLines::encode(const QString& line) {
    if (format_ == TextFormat::Sjis) {
        appendSjisLine(block_, line, lineNumber_);
    } else {
        block_ += line.toUtf8();
        block_ += '\n';
    }
    if (block_.size() >= kBlockSize) {
        output_(block_);
        block_.resize(0); // keeps its capacity
    }
}

void writeTextFile(const QString& path, TextFormat format,
                   const std::function<void(LineSink&)>& writeLines) {
    SafeFileWriter file(path);
    EncodedLines encoded(format, [&file](QByteArrayView block) { file.append(block); });
    writeLines(encoded);
    encoded.finish();
    file.commit();
}

void writeTextLines(const QString& path, const QStringList& lines, TextFormat format) {
    writeTextFile(path, format, [&lines](LineSink& out) {
        for (const QString& line : lines)
            out.append(line);
    });
}

void writeSjisLines(const QString& path, const QStringList& lines) {
    writeTextLines(path, lines, TextFormat::Sjis);
}
