#include "ui/main/preview_compare.h"

#include "gen/gen_messages.h"
#include "gen/plsql/package_generator.h"
#include "gen/vb/vb_module_generator.h"
#include "ui/dialogs/frm_compare.h"
#include "ui/main/preview_pane.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "util/input_file.h"
#include "util/output_check.h"
#include "util/sjis.h"

#include <QPlainTextEdit>

#include <new>
#include <optional>

namespace {

// Thrown by the diff's writer once the shown part is complete.
struct DiffCut {};

} // namespace

PreviewCompare::PreviewCompare(const PreviewPane& preview, QWidget* window)
    : QObject(window), preview_(preview), window_(window) {
    setObjectName(QStringLiteral("PreviewCompare"));
}

void PreviewCompare::MNU_CompareClick(TextFormat format) {
    const QStringList lines = preview_.PreviewLines();
    const bool isVb = preview_.PreviewIsVb();
    if (format == TextFormat::Sjis) {
        // What could not be saved cannot have been saved either: the same refusal, before
        // anything is chosen.
        for (qsizetype n = 0; n < lines.size(); ++n) {
            if (const std::optional<SjisUnencodable> bad = findSjisUnencodable(lines[n])) {
                messages().showTitled(MessageIcon::Warning, MessageButtons::Ok,
                                      PreviewPane::unsavableText(bad->character, n + 1));
                return;
            }
        }
    }
    const std::optional<QString> path =
        chooseOpenFile(window_, preview_.LastSavedFileOrFolder(isVb),
                       isVb ? PreviewPane::vbFilter() : PreviewPane::packageFilter());
    if (!path)
        return;

    const bool utf8 = format == TextFormat::Utf8;
    QByteArray diff;
    OutputCheck check;
    bool cut = false;
    try {
        BusyGuard busy(messages());
        // Read in parts as the comparison goes, as tamsel-gen reads it.
        const InputFile saved(*path);
        OutputComparer comparer({saved.size(),
                                 [&saved](qint64 offset, char* to, qint64 size) {
                                     return saved.readAt(offset, to, size);
                                 }},
                                utf8, isVb ? moduleDateLabel() : packageDateLabel());
        EncodedLines encoded(format, [&comparer](QByteArrayView block) { comparer.append(block); });
        for (const QString& line : lines)
            encoded.append(line);
        encoded.finish();
        check = comparer.finish(*path, previewName(), [this, &diff](QByteArrayView block) {
            diff.append(block);
            if (diff.size() >= shownDiffLimit_)
                throw DiffCut();
        });
    } catch (const DiffCut&) {
        cut = true;
    } catch (const InputFileError& error) {
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok,
                              unreadableSavedFileText() + QLatin1Char('\n') +
                                  QStringLiteral("%1: %2").arg(*path, error.reason()));
        return;
    } catch (const std::bad_alloc&) {
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, outOfMemoryText());
        return;
    }

    if (cut) {
        diff.append(diffCutText().toUtf8());
        showDiff(*path, diff);
    } else if (check.same) {
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok, noDifferenceText());
    } else if (!check.diffWritten) {
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok,
                              differsFromSavedText(*path) + QLatin1Char('\n') +
                                  lineEndDiffersText(check.lineEndDiffers, utf8));
    } else {
        showDiff(*path, diff);
    }
}

void PreviewCompare::showDiff(const QString& path, const QByteArray& diff) {
    if (!compare_)
        compare_ = new TFRM_Compare(window_);
    compare_->ShowDiff(path, diff);
}

void PreviewCompare::closeWindow() {
    if (compare_) {
        compare_->close();
        compare_->MEM_Diff->clear();
    }
}

QString PreviewCompare::noDifferenceText() {
    return QStringLiteral("差異はありません");
}

QString PreviewCompare::diffCutText() {
    return QStringLiteral("（ここから先は省略しました。全体は tamsel-gen --check で見られます）\n");
}

QString PreviewCompare::previewName() {
    return QStringLiteral("プレビュー");
}
