#pragma once

#include <QDialog>
#include <QStringView>

class QPlainTextEdit;
class QPushButton;

// The preview compared with a saved file: the unified diff, as tamsel-gen --check prints it,
// read-only, each line on the colour of its kind. One window, filled again by each
// comparison; it leaves the main window usable, so the diff can stay open while the preview
// is edited.
class TFRM_Compare : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_Compare(QWidget* parent = nullptr);

    // Shows the diff (UTF-8 lines, each ending in LF) from the saved file at savedPath and
    // brings the window to the front, scrolled to its start.
    void ShowDiff(const QString& savedPath, const QByteArray& diff);

    QPlainTextEdit* MEM_Diff;
    QPushButton* BTN_Close;

    // What a line of a unified diff is. The first two lines are the file names, whatever
    // they start with: a removed line may start with "---" as well.
    enum class DiffLine { FileName, Hunk, Removed, Added, Unchanged };
    static DiffLine lineKind(QStringView line, int lineNumber);

    // "保存済みファイルとの比較 - " and the saved file's path
    static QString captionFor(const QString& savedPath);
};
