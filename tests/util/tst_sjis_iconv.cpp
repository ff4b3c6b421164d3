#include "tst_sjis_iconv.h"

#include "tst_sjis.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QHash>
#include <QRandomGenerator>
#include <QTest>

#include <iconv.h>

#include <optional>

namespace {

// glibc's own conversion, which the encoder's tables come from.
QByteArray iconvCp932(const QString& text) {
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    char* to = out.data();
    size_t inLeft = text.size() * 2;
    size_t outLeft = out.size();
    const size_t converted = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    if (converted == static_cast<size_t>(-1))
        return "iconv refused it";
    out.resize(to - out.constData());
    return out;
}

// One glibc conversion of a short sequence, or nothing when it does not convert whole.
std::optional<QByteArray> iconvShort(iconv_t cd, const QByteArray& in) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* from = const_cast<char*>(in.constData());
    char* to = buffer;
    size_t inLeft = in.size();
    size_t outLeft = sizeof buffer;
    if (iconv(cd, &from, &inLeft, &to, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    return QByteArray(buffer, to - buffer);
}

} // namespace

// The code page's tables, kept in the source, against glibc's converter they were taken
// from: every byte and byte pair read, every BMP character written.
void TestSjisIconv::tablesAgreeWithIconvBothWays() {
    iconv_t decoder = iconv_open("UTF-16LE", "CP932");
    iconv_t encoder = iconv_open("CP932", "UTF-16LE");
    QVERIFY(decoder != reinterpret_cast<iconv_t>(-1) && encoder != reinterpret_cast<iconv_t>(-1));
    const auto read = [&](const QByteArray& bytes) -> std::optional<QString> {
        const std::optional<QByteArray> units = iconvShort(decoder, bytes);
        if (!units)
            return std::nullopt;
        return QString(reinterpret_cast<const QChar*>(units->constData()), units->size() / 2);
    };
    QStringList differences;
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, static_cast<char>(first));
            if (second >= 0)
                bytes.append(static_cast<char>(second));
            if (fromSjis(bytes) != read(bytes))
                differences << "read " + bytes.toHex();
        }
    }
    // Written: what glibc writes when it reads back as the same character, else refused;
    // the seven typed forms as the code page's own.
    const QHash<QChar, QChar> typed{{u'〜', u'～'}, {u'—', u'―'},  {u'‖', u'∥'}, {u'−', u'－'},
                                    {u'¢', u'￠'},  {u'£', u'￡'}, {u'¬', u'￢'}};
    for (char32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString text(typed.value(QChar(u), QChar(u)));
        std::optional<QByteArray> expected =
            iconvShort(encoder, QByteArray(reinterpret_cast<const char*>(text.utf16()), 2));
        if (expected && read(*expected) != text)
            expected.reset();
        const std::optional<QByteArray> written = findSjisUnencodable(QString(QChar(u)))
                                                      ? std::nullopt
                                                      : std::optional(toSjis(QString(QChar(u))));
        if (written != expected)
            differences << QString::asprintf("write U+%04X", unsigned(u));
    }
    iconv_close(decoder);
    iconv_close(encoder);
    QCOMPARE(differences.mid(0, 10), QStringList());
}

void TestSjisIconv::encodesAsIconvAcrossBlockEdges_data() {
    QTest::addColumn<QString>("text");
    // Kanji sit above 0x8000, where a signed 16-bit comparison would take them for ASCII.
    for (const QString& other : QStringList{"表", "ﾊﾟ", "①", "～", "ー"})
        for (int at : kBlockEdges)
            QTest::addRow("%s at %d", qPrintable(other), at)
                << kAscii.left(at) + other + kAscii.mid(at);
    QTest::newRow("ascii only") << kAscii + kAscii;
    QTest::newRow("empty") << QString();
    QString mixed;
    const QString pool = kAscii + QStringLiteral("表示ﾃｰﾌﾞﾙ名　：①～");
    QRandomGenerator random(932);
    for (int k = 0; k < 3000; ++k)
        mixed += pool[random.bounded(pool.size())];
    QTest::newRow("3000 mixed characters") << mixed;
}

void TestSjisIconv::encodesAsIconvAcrossBlockEdges() {
    QFETCH(QString, text);
    const QByteArray expected = iconvCp932(text);
    QCOMPARE(toSjis(text), expected);
    QCOMPARE(sjisLength(text), expected.size());
    QCOMPARE(encodeSjisLines({text, text}), iconvCp932(text + "\r\n" + text + "\r\n"));
    QByteArray appended("-- ");
    appendSjisLine(appended, text, 1);
    appendSjis(appended, text);
    QCOMPARE(appended, "-- " + expected + "\r\n" + expected);
}
