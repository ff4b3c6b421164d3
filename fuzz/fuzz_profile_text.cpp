// Fuzz target of the settings file's reader and writer (settings/profile_text), in memory.
// The input is a section, a key and a value, each ended by a 0xFF byte (a byte neither UTF-8
// nor Shift-JIS uses), then the file's bytes; an input with fewer than three 0xFF bytes is a
// file alone, into which Params/Indent is set. For any of them:
// - reading the file never fails, and writing its lines out again gives the same lines;
// - setting the key either refuses (and changes nothing, blaming a character that was asked
//   to be written) or stores it: the key then reads back as the file holds it (without
//   surrounding blanks, cut to the longest value, in Shift-JIS with the look-alikes in their
//   code-page form), also after the file's bytes are read again; every other key reads as
//   before; every other line is kept byte for byte; the encoding stays (UTF-8 gains its mark).
#include "fuzz_check.h"
#include "settings/profile_text.h"
#include "util/blanks.h"
#include "util/sjis.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <utility>

namespace {

// Never a value: values are read from within one line.
const QString kMissing = QStringLiteral("\n(missing)");

struct Input {
    QString section = QStringLiteral("Params");
    QString key = QStringLiteral("Indent");
    QString value = QStringLiteral("4");
    QByteArray file;
};

Input split(const QByteArray& bytes) {
    Input input;
    QList<QByteArray> fields;
    qsizetype start = 0;
    while (fields.size() < 3) {
        const qsizetype end = bytes.indexOf('\xFF', start);
        if (end < 0)
            break;
        fields.append(bytes.sliced(start, end - start));
        start = end + 1;
    }
    if (fields.size() < 3) {
        input.file = bytes;
        return input;
    }
    input.section = QString::fromUtf8(fields[0]);
    input.key = QString::fromUtf8(fields[1]);
    input.value = QString::fromUtf8(fields[2]);
    input.file = bytes.sliced(start);
    return input;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<QByteArray> lineBytes(const ProfileText& profile) {
    QList<QByteArray> bytes;
    for (const ProfileLine& line : profile.lines())
        bytes.append(line.bytes);
    return bytes;
}

// Every section and key the file names, as (section, key) pairs.
QList<std::pair<QString, QString>> namedKeys(const ProfileText& profile) {
    QList<std::pair<QString, QString>> keys;
    QString section;
    for (const ProfileLine& line : profile.lines()) {
        if (line.kind == ProfileLine::Section)
            section = line.name;
        else if (line.kind == ProfileLine::Key && keys.size() < 256)
            keys.append({section, line.name});
    }
    return keys;
}

// The value as the file holds it once stored.
QString storedForm(const QString& value, ProfileEncoding encoding) {
    QString stored = trimBlanks(value);
    if (encoding == ProfileEncoding::ShiftJis)
        stored = fromSjis(toSjis(stored)).value_or(kMissing);
    if (stored.size() > ProfileText::kMaxValueLength) {
        qsizetype cut = ProfileText::kMaxValueLength;
        if (stored[cut - 1].isHighSurrogate())
            --cut;
        stored.truncate(cut);
    }
    return stored;
}

// The lines after a write: the same, but for one replaced, one inserted, or a section
// header and its key appended at the end.
bool keepsOtherLines(const QList<QByteArray>& before, const QList<QByteArray>& after) {
    if (after.size() == before.size()) {
        int changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before[i] != after[i];
        return changed <= 1;
    }
    if (after.size() == before.size() + 2)
        return after.first(before.size()) == before;
    if (after.size() != before.size() + 1)
        return false;
    qsizetype i = 0;
    while (i < before.size() && before[i] == after[i])
        ++i;
    return after.sliced(i + 1) == before.sliced(i);
}

void checkWrite(const Input& input, const ProfileText& original) {
    const QList<std::pair<QString, QString>> others = namedKeys(original);
    ProfileText written = original;
    try {
        written.writeString(input.section, input.key, input.value);
    } catch (const UnstorableValueError& error) {
        FUZZ_CHECK(written.toBytes() == original.toBytes(), error.message());
        const QString& blamed = error.character();
        FUZZ_CHECK(blamed.isEmpty() || input.value.contains(blamed) || input.key.contains(blamed) ||
                       input.section.contains(blamed),
                   escaped(blamed));
        return;
    } catch (const ProfileError& error) {
        FUZZ_CHECK(written.toBytes() == original.toBytes(), error.message());
        return;
    }

    const ProfileEncoding encoding = written.encoding();
    FUZZ_CHECK(encoding == original.encoding() || (original.encoding() == ProfileEncoding::Utf8 &&
                                                   encoding == ProfileEncoding::Utf8WithBom),
               QString::number(int(encoding)));
    FUZZ_CHECK(keepsOtherLines(lineBytes(original), lineBytes(written)), escaped(input.value));

    const QByteArray bytes = written.toBytes();
    FUZZ_CHECK(bytes == withProfileValue(input.file, input.section, input.key, input.value),
               escaped(input.value));
    const ProfileText reread = ProfileText::parse(bytes);
    FUZZ_CHECK(reread.encoding() == encoding, QString::number(int(reread.encoding())));
    const ProfileText* const afterWrite[] = {&written, &reread};

    const QString expected = storedForm(input.value, encoding);
    for (const ProfileText* profile : afterWrite) {
        const QString value = profile->readString(input.section, input.key, kMissing);
        FUZZ_CHECK(value == expected, escaped(value) + QStringLiteral(" != ") + escaped(expected));
    }
    for (const auto& [section, key] : others) {
        if (sameName(section, input.section) && sameName(key, input.key))
            continue;
        const QString before = original.readString(section, key, kMissing);
        for (const ProfileText* profile : afterWrite)
            FUZZ_CHECK(profile->readString(section, key, kMissing) == before,
                       escaped(section) + QLatin1Char('/') + escaped(key));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input =
        split(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const ProfileText original = ProfileText::parse(input.file);

    // Written out unchanged and read again: the same lines in the same encoding.
    const ProfileText again = ProfileText::parse(original.toBytes());
    FUZZ_CHECK(again.encoding() == original.encoding(), QString::number(int(again.encoding())));
    FUZZ_CHECK(lineBytes(again) == lineBytes(original), QString::number(again.lines().size()));

    checkWrite(input, original);
    return 0;
}
