#include "util/sjis.h"

#include <QStringList>

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// What Japanese input methods on Linux type for a glyph that code page 932 holds under a
// code point of its own. The encoders write the code page's form; nothing else is folded.
struct Cp932Form {
    char16_t typed;
    char16_t cp932;
};
constexpr std::array<Cp932Form, 7> kCp932Forms{{
    {u'\u301C', u'\uFF5E'}, // WAVE DASH -> FULLWIDTH TILDE
    {u'\u2014', u'\u2015'}, // EM DASH -> HORIZONTAL BAR
    {u'\u2016', u'\u2225'}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {u'\u2212', u'\uFF0D'}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {u'\u00A2', u'\uFFE0'}, // CENT SIGN -> FULLWIDTH CENT SIGN
    {u'\u00A3', u'\uFFE1'}, // POUND SIGN -> FULLWIDTH POUND SIGN
    {u'\u00AC', u'\uFFE2'}, // NOT SIGN -> FULLWIDTH NOT SIGN
}};

// Both directions of code page 932 as tables, read once from glibc's converter. A table
// look-up is what keeps sjisLength() and the encoders fast on the generators' hot path.
class Cp932Tables {
public:
    static const Cp932Tables& instance() {
        static const Cp932Tables tables;
        return tables;
    }

    // What the encoders write for the unit: its one or two bytes (a value above 0xFF is a
    // byte pair), or 0 when they refuse it. They write a unit that converts there and back
    // unchanged, and those of kCp932Forms; never a surrogate.
    quint16 encoded(char16_t unit) const { return encode_[unit]; }
    bool held(char16_t unit) const { return encode_[unit] != 0; }

    // U+FFFF marks a byte or byte pair that is not valid code page 932.
    char16_t single(quint8 byte) const { return single_[byte]; }
    char16_t pair(quint8 lead, quint8 trail) const { return pair_[lead * 256u + trail]; }
    bool isLead(quint8 byte) const { return lead_[byte]; }

    static constexpr char16_t kInvalid = 0xFFFF;

private:
    Cp932Tables() : encode_(65536, 0), pair_(65536, kInvalid) {
        single_.fill(kInvalid);
        lead_.fill(false);
        readDecoding();
        readEncoding();
    }

    struct IconvCloser {
        void operator()(iconv_t cd) const { iconv_close(cd); }
    };
    using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

    static Converter open(const char* to, const char* from) {
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        return Converter(cd);
    }

    // Converts one short sequence; returns the output bytes, or nothing when it does not
    // convert completely.
    static std::optional<std::string> convert(iconv_t cd, const char* in, size_t inLength) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* inPtr = const_cast<char*>(in);
        char* outPtr = buffer;
        size_t inLeft = inLength;
        size_t outLeft = sizeof buffer;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return std::nullopt;
        return std::string(buffer, outPtr);
    }

    static std::optional<char16_t> asOneUnit(const std::optional<std::string>& utf16le) {
        if (!utf16le || utf16le->size() != 2)
            return std::nullopt;
        return static_cast<char16_t>(static_cast<quint8>((*utf16le)[0]) |
                                     (static_cast<quint8>((*utf16le)[1]) << 8));
    }

    void readDecoding() {
        Converter cd = open("UTF-16LE", "CP932");
        for (int b = 0; b < 256; ++b) {
            const char in[1] = {static_cast<char>(b)};
            if (auto unit = asOneUnit(convert(cd.get(), in, 1)))
                single_[b] = *unit;
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (single_[lead] != kInvalid)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                if (auto unit = asOneUnit(convert(cd.get(), in, 2))) {
                    pair_[lead * 256 + trail] = *unit;
                    lead_[lead] = true;
                }
            }
        }
    }

    void readEncoding() {
        Converter cd = open("CP932", "UTF-16LE");
        for (int u = 0; u < 65536; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
            auto bytes = convert(cd.get(), in, 2);
            if (!bytes || bytes->empty() || bytes->size() > 2)
                continue;
            const auto b0 = static_cast<quint8>((*bytes)[0]);
            quint16 code = b0;
            char16_t back = single_[b0];
            if (bytes->size() == 2) {
                const auto b1 = static_cast<quint8>((*bytes)[1]);
                code = static_cast<quint16>(b0 << 8 | b1);
                back = pair_[b0 * 256 + b1];
            }
            // A one-way mapping would change the text when it is read back.
            encode_[u] = back == u ? code : 0;
        }
        for (const Cp932Form& form : kCp932Forms)
            encode_[form.typed] = encode_[form.cp932];
    }

    std::vector<quint16> encode_;
    std::array<char16_t, 256> single_;
    std::array<bool, 256> lead_;
    std::vector<char16_t> pair_;
};

// The extent of the character at position i (two units for a valid surrogate pair).
qsizetype characterExtent(QStringView text, qsizetype i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return 2;
    return 1;
}

SjisUnencodable unencodableAt(QStringView text, qsizetype i) {
    return SjisUnencodable{i, text.sliced(i, characterExtent(text, i)).toString()};
}

// Generated code is almost all ASCII: these walk its runs several units at a time.

#if defined(__SSE2__)
// Whether the eight units are all ASCII.
bool allAscii(__m128i units) {
    const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    return _mm_movemask_epi8(
               _mm_cmpeq_epi16(_mm_and_si128(units, notAscii), _mm_setzero_si128())) == 0xFFFF;
}

__m128i load8(const char16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

// The first unit from p on that is not ASCII, or end.
const char16_t* skipAscii(const char16_t* p, const char16_t* end) {
#if defined(__SSE2__)
    while (end - p >= 16 && allAscii(_mm_or_si128(load8(p), load8(p + 8))))
        p += 16;
    if (end - p >= 8 && allAscii(load8(p)))
        p += 8;
#endif
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

// Copies the ASCII units from src on, one byte each, to dst, up to the first unit that is
// not ASCII or end; advances both.
void copyAscii(const char16_t*& src, const char16_t* end, char*& dst) {
#if defined(__SSE2__)
    // Every unit packed is below 0x80, so packing with saturation keeps each as it is.
    while (end - src >= 16) {
        const __m128i low = load8(src);
        const __m128i high = load8(src + 8);
        if (!allAscii(_mm_or_si128(low, high)))
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(low, high));
        src += 16;
        dst += 16;
    }
    if (end - src >= 8) {
        const __m128i units = load8(src);
        if (allAscii(units)) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(units, units));
            src += 8;
            dst += 8;
        }
    }
#else
    while (end - src >= 4) {
        quint64 units;
        std::memcpy(&units, src, sizeof units);
        if (units & 0xFF80FF80FF80FF80ULL)
            break;
        for (int k = 0; k < 4; ++k)
            dst[k] = static_cast<char>(src[k]);
        src += 4;
        dst += 4;
    }
#endif
    while (src < end && *src < 0x80)
        *dst++ = static_cast<char>(*src++);
}

char32_t codePoint(const QString& character) {
    if (character.size() == 2)
        return QChar::surrogateToUcs4(character[0], character[1]);
    return character.isEmpty() ? 0 : character[0].unicode();
}

QString describe(const SjisUnencodable& where) {
    QString text =
        QStringLiteral("Shift-JISで表せない文字があります：「%1」(U+%2)")
            .arg(where.character)
            .arg(QString::number(codePoint(where.character), 16).toUpper(), 4, QLatin1Char('0'));
    if (where.line > 0)
        text += QStringLiteral("（%1行目）").arg(where.line);
    return text;
}

} // namespace

SjisEncodeError::SjisEncodeError(SjisUnencodable where)
    : std::runtime_error(describe(where).toStdString()), where_(std::move(where)) {}

std::optional<SjisUnencodable> findSjisUnencodable(QStringView text) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    for (const char16_t* p = skipAscii(begin, end); p != end; p = skipAscii(p + 1, end)) {
        if (!Cp932Tables::instance().held(*p))
            return unencodableAt(text, p - begin);
    }
    return std::nullopt;
}

char* encodeSjisTo(char* out, QStringView text) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    const char16_t* src = begin;
    for (;;) {
        copyAscii(src, end, out);
        if (src == end)
            return out;
        const quint16 code = Cp932Tables::instance().encoded(*src);
        if (code == 0)
            throw SjisEncodeError(unencodableAt(text, src - begin));
        if (code > 0xFF)
            *out++ = static_cast<char>(code >> 8);
        *out++ = static_cast<char>(code & 0xFF);
        ++src;
    }
}

QByteArray toSjis(QStringView text) {
    QByteArray out(sjisLength(text), Qt::Uninitialized);
    if (!out.isEmpty())
        encodeSjisTo(out.data(), text);
    return out;
}

void appendSjis(QByteArray& out, QStringView text) {
    if (text.isEmpty())
        return;
    const qsizetype before = out.size();
    // Room for the most the text can take; resizing grows the buffer geometrically, so that
    // appending many short texts stays linear.
    out.resize(before + 2 * text.size());
    try {
        out.resize(encodeSjisTo(out.data() + before, text) - out.constData());
    } catch (...) {
        out.resize(before);
        throw;
    }
}

std::optional<QString> fromSjis(const QByteArray& bytes) {
    const Cp932Tables& tables = Cp932Tables::instance();
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<quint8>(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(b));
            continue;
        }
        char16_t unit = Cp932Tables::kInvalid;
        if (tables.isLead(b)) {
            if (i + 1 >= bytes.size())
                return std::nullopt;
            unit = tables.pair(b, static_cast<quint8>(bytes[++i]));
        } else {
            unit = tables.single(b);
        }
        if (unit == Cp932Tables::kInvalid)
            return std::nullopt;
        out.append(QChar(unit));
    }
    return out;
}

qsizetype sjisLength(QStringView text) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    qsizetype length = 0;
    const char16_t* p = begin;
    for (;;) {
        const char16_t* const ascii = p;
        p = skipAscii(p, end);
        length += p - ascii;
        if (p == end)
            return length;
        const quint16 code = Cp932Tables::instance().encoded(*p);
        if (code == 0) {
            // Counts one byte, a surrogate pair included.
            length += 1;
            p += characterExtent(text, p - begin);
        } else {
            length += code > 0xFF ? 2 : 1;
            ++p;
        }
    }
}

qint16 CharCode(const QString& text) {
    // Only a single character can be a single byte; skip the conversion for longer text.
    if (text.size() != 1)
        return -1;
    try {
        const QByteArray bytes = toSjis(text);
        if (bytes.size() != 1)
            return -1;
        return static_cast<quint8>(bytes[0]);
    } catch (const SjisEncodeError&) {
        return -1;
    }
}
