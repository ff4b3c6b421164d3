// Fuzz target of the comparison that tamsel-gen --check and the window's compare command
// share (util/output_check, util/line_diff): a saved text and a generated one (the input's
// first byte chooses a memory budget of nothing or the usual one and where the generated
// text is cut in two; the rest is split at the first NUL, and every byte is made ASCII so a
// line is shown as it is). The texts are the same exactly when their lines agree; when they
// are not, the diff written is a unified diff that turns the saved lines into the generated
// ones, whichever way the budget made it.
#include "fuzz_check.h"
#include "util/output_check.h"

#include <QList>

#include <cstdint>

namespace {

// What each line holds: without "\n" or "\r\n"; a last line without a line end as it is.
QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    const QByteArray last = lines.takeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (!last.isEmpty())
        lines.append(last);
    return lines;
}

// The saved lines with the diff applied; each hunk is checked against its header and the
// lines it keeps or removes.
QList<QByteArray> patched(const QList<QByteArray>& saved, const QByteArray& diff) {
    QList<QByteArray> lines = diff.split('\n');
    FUZZ_CHECK(lines.size() > 3 && lines.takeFirst() == "--- S" && lines.takeFirst() == "+++ G" &&
                   lines.takeLast().isEmpty(),
               QString::fromLatin1(diff));
    QList<QByteArray> result;
    qsizetype at = 0;
    for (qsizetype l = 0; l < lines.size();) {
        int oldStart = 0, oldCount = 1, newStart = 0, newCount = 1;
        const QByteArray& header = lines[l++];
        FUZZ_CHECK(std::sscanf(header.constData(), "@@ -%d,%d", &oldStart, &oldCount) >= 1,
                   QString::fromLatin1(header));
        const qsizetype plus = header.indexOf(" +");
        std::sscanf(header.constData() + plus, " +%d,%d", &newStart, &newCount);
        const qsizetype from = oldCount == 0 ? oldStart : oldStart - 1;
        FUZZ_CHECK(from >= at && from <= saved.size(), QString::fromLatin1(header));
        result += saved.mid(at, from - at);
        at = from;
        int kept = 0, removed = 0, added = 0;
        for (; l < lines.size() && !lines[l].startsWith("@@"); ++l) {
            const QByteArray text = lines[l].mid(1);
            if (!lines[l].startsWith('+')) {
                FUZZ_CHECK(at < saved.size() && saved[at] == text, QString::fromLatin1(text));
                ++at;
            }
            if (!lines[l].startsWith('-'))
                result.append(text);
            (lines[l].startsWith(' ') ? kept : lines[l].startsWith('-') ? removed : added)++;
        }
        FUZZ_CHECK(kept + removed == oldCount && kept + added == newCount,
                   QString::fromLatin1(header));
    }
    return result + saved.mid(at);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    QByteArray input(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    for (char& c : input)
        c &= 0x7F;
    const qsizetype nul = input.indexOf('\0');
    const QByteArray saved = nul < 0 ? input : input.left(nul);
    const QByteArray generated = nul < 0 ? QByteArray() : input.mid(nul + 1);
    const qint64 budget = data[0] & 1 ? kCheckMemoryBudget : 0;
    const qsizetype cut = generated.isEmpty() ? 0 : (data[0] >> 1) % (generated.size() + 1);

    OutputComparer comparer(savedBytes(saved), false, QString(), budget);
    comparer.append(QByteArrayView(generated).first(cut));
    comparer.append(QByteArrayView(generated).sliced(cut));
    QByteArray diff;
    const OutputCheck check =
        comparer.finish("S", "G", [&diff](QByteArrayView block) { diff += block; });

    const QList<QByteArray> savedLines = linesOf(saved);
    const QList<QByteArray> generatedLines = linesOf(generated);
    const bool agree = savedLines == generatedLines;
    FUZZ_CHECK(check.diffWritten == !agree && check.diffWritten == !diff.isEmpty(),
               QString::fromLatin1(diff));
    FUZZ_CHECK(check.same == (saved == generated), QString::fromLatin1(saved));
    if (agree)
        FUZZ_CHECK(check.same || check.lineEndDiffers > 0, QString::fromLatin1(saved));
    else
        FUZZ_CHECK(patched(savedLines, diff) == generatedLines, QString::fromLatin1(diff));
    return 0;
}
