// Fuzz target of the Shift-JIS codec (util/sjis), checked against glibc's own "CP932"
// converter, which the codec's tables (util/cp932_tables.cpp) were taken from:
// - the input bytes decode exactly when glibc decodes them, to the same text, and the text
//   read encodes again and reads back unchanged (whatever a file held can be saved again);
// - the input as UTF-16LE and as UTF-8 text encodes character by character as glibc does,
//   where glibc's mapping goes there and back; any other character is refused, at its
//   position, by the encoder and findSjisUnencodable alike; sjisLength counts the bytes.
//
// Seven characters that input methods type are written as their code page 932 look-alikes
// on purpose (kLookAlikes), which glibc maps one way only: for them the expected bytes are
// the look-alike's, and decoding never gives them.
#include "fuzz_check.h"
#include "util/sjis.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <iconv.h>
#include <optional>

namespace {

struct LookAlike {
    char16_t character;
    char16_t cp932Form;
};

constexpr LookAlike kLookAlikes[] = {
    {u'〜', u'～'}, {u'—', u'―'},  {u'‖', u'∥'},  {u'−', u'－'},
    {u'¢', u'￠'},  {u'£', u'￡'}, {u'¬', u'￢'},
};

// The look-alike the character is written as, if it is one of the seven.
std::optional<QString> lookAlikeOf(const QString& character) {
    for (const LookAlike& pair : kLookAlikes)
        if (character.size() == 1 && character[0].unicode() == pair.character)
            return QString(QChar(pair.cp932Form));
    return std::nullopt;
}

// One direction of glibc's converter.
class Glibc {
public:
    Glibc(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            fuzzFail("iconv_open", __FILE__, __LINE__, QString::fromLatin1(from));
    }
    Glibc(const Glibc&) = delete;
    Glibc& operator=(const Glibc&) = delete;

    // All of the input converted, or nothing when some of it does not convert.
    std::optional<QByteArray> operator()(const QByteArray& in) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        QByteArray out(in.size() * 4 + 16, Qt::Uninitialized);
        char* inPtr = const_cast<char*>(in.constData());
        size_t inLeft = static_cast<size_t>(in.size());
        char* outPtr = out.data();
        size_t outLeft = static_cast<size_t>(out.size());
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return std::nullopt;
        out.truncate(outPtr - out.constData());
        return out;
    }

private:
    iconv_t cd_;
};

const Glibc& glibcDecoder() {
    static const Glibc decoder("UTF-16LE", "CP932");
    return decoder;
}

const Glibc& glibcEncoder() {
    static const Glibc encoder("CP932", "UTF-16LE");
    return encoder;
}

QByteArray utf16le(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

QString fromUtf16le(const QByteArray& bytes) {
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(static_cast<char16_t>(static_cast<quint8>(bytes[i]) |
                                                static_cast<quint8>(bytes[i + 1]) << 8)));
    return text;
}

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' '));
}

void checkDecoding(const QByteArray& bytes) {
    const std::optional<QString> ours = fromSjis(bytes);
    const std::optional<QByteArray> theirs = glibcDecoder()(bytes);
    FUZZ_CHECK(ours.has_value() == theirs.has_value(), hex(bytes));
    if (!ours)
        return;
    FUZZ_CHECK(*ours == fromUtf16le(*theirs), hex(bytes) + QLatin1Char(' ') + escaped(*ours));
    for (const LookAlike& pair : kLookAlikes)
        FUZZ_CHECK(!ours->contains(QChar(pair.character)), hex(bytes));

    // Read, then saved again: nothing refused, nothing changed.
    QByteArray again;
    try {
        again = toSjis(*ours);
    } catch (const SjisEncodeError& error) {
        fuzzFail("decoded text encodes", __FILE__, __LINE__,
                 hex(bytes) + QLatin1Char(' ') + QString::fromUtf8(error.what()));
    }
    FUZZ_CHECK(fromSjis(again) == ours, hex(bytes) + QStringLiteral(" -> ") + hex(again));
}

// How glibc says one character is written: its bytes when the mapping goes there and back,
// nothing when the character cannot be written faithfully.
std::optional<QByteArray> faithfulBytes(const QString& character) {
    const std::optional<QByteArray> bytes = glibcEncoder()(utf16le(character));
    if (!bytes)
        return std::nullopt;
    const std::optional<QByteArray> back = glibcDecoder()(*bytes);
    if (!back || fromUtf16le(*back) != character)
        return std::nullopt;
    return bytes;
}

// The characters of the text: a valid surrogate pair is one, anything else one unit.
QList<QString> charactersOf(const QString& text) {
    QList<QString> characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        characters.append(text.mid(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return characters;
}

// One character through the encoder: its bytes, or nothing when refused.
std::optional<QByteArray> encodeOne(const QString& character) {
    try {
        return toSjis(character);
    } catch (const SjisEncodeError& error) {
        FUZZ_CHECK(error.where().position == 0 && error.where().character == character,
                   escaped(character));
        return std::nullopt;
    }
}

void checkEncoding(const QString& text) {
    QByteArray expected;
    std::optional<SjisUnencodable> firstRefused;
    qsizetype expectedLength = 0;
    qsizetype position = 0;
    for (const QString& character : charactersOf(text)) {
        const std::optional<QByteArray> ours = encodeOne(character);
        const std::optional<QByteArray> faithful =
            faithfulBytes(lookAlikeOf(character).value_or(character));
        FUZZ_CHECK(ours == faithful, escaped(character) + QStringLiteral(" ours ") +
                                         (ours ? hex(*ours) : QStringLiteral("refused")) +
                                         QStringLiteral(", glibc ") +
                                         (faithful ? hex(*faithful) : QStringLiteral("none")));
        if (ours) {
            if (!firstRefused)
                expected += *ours;
            expectedLength += ours->size();
        } else {
            if (!firstRefused)
                firstRefused = SjisUnencodable{position, character};
            expectedLength += 1; // the width of the "?" a code-page conversion would write
        }
        position += character.size();
    }

    const std::optional<SjisUnencodable> found = findSjisUnencodable(text);
    FUZZ_CHECK(found.has_value() == firstRefused.has_value(), escaped(text));
    if (found)
        FUZZ_CHECK(found->position == firstRefused->position &&
                       found->character == firstRefused->character,
                   escaped(text));
    try {
        const QByteArray bytes = toSjis(text);
        FUZZ_CHECK(!firstRefused, escaped(text));
        FUZZ_CHECK(bytes == expected, escaped(text) + QLatin1Char(' ') + hex(bytes));
    } catch (const SjisEncodeError& error) {
        FUZZ_CHECK(firstRefused && error.where().position == firstRefused->position &&
                       error.where().character == firstRefused->character,
                   escaped(text));
    }
    FUZZ_CHECK(sjisLength(text) == expectedLength, escaped(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkDecoding(bytes);
    checkEncoding(fromUtf16le(bytes));
    checkEncoding(QString::fromUtf8(bytes));
    return 0;
}
