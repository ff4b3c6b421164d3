#pragma once

#include "util/text_file.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class PreviewPane;
class QWidget;
class TFRM_Compare;

// ファイル → 保存済みファイルと比較: the preview compared with a saved file as tamsel-gen
// --check compares what it generates (util/output_check): the preview's lines encoded as
// they would be saved, the creation-date line of the preview's kind counted as equal, the
// same unified diff.
class PreviewCompare : public QObject {
    Q_OBJECT
public:
    // window: the main window, which the compare window belongs to.
    PreviewCompare(const PreviewPane& preview, QWidget* window);

    // Offers the file the preview's kind was last saved to in this run (else the folder it
    // would be saved in) in the open dialog, then shows the diff from that file to the
    // preview in the compare window, or "差異はありません". Text the saved format cannot
    // hold is refused first, as saving refuses it.
    void MNU_CompareClick(TextFormat format);

    // Closes the compare window, where one is open: after a logout it would show the last
    // user's text to the next.
    void closeWindow();

    // The compare window, once a comparison showed it; null before.
    TFRM_Compare* compareWindow() const { return compare_; }

    // A diff longer than this many bytes is shown cut, at a line's end, after at least that
    // many: the window holds it whole, and the wrong file chosen (a dump of gigabytes) would
    // fill the memory. tamsel-gen --check prints it whole.
    static constexpr qsizetype kShownDiffLimit = 8 * 1024 * 1024;
    void setShownDiffLimit(qsizetype bytes) { shownDiffLimit_ = bytes; }

    // "差異はありません"
    static QString noDifferenceText();
    // The line after a diff shown cut.
    static QString diffCutText();
    // The name the diff gives the preview: "プレビュー"
    static QString previewName();

private:
    void showDiff(const QString& path, const QByteArray& diff);

    const PreviewPane& preview_;
    QWidget* window_;
    TFRM_Compare* compare_ = nullptr;
    qsizetype shownDiffLimit_ = kShownDiffLimit;
};
