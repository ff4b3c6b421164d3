#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The find bar under an editor: 検索 with the text to look for, 次へ and 前へ, and
// 大文字と小文字を区別. Enter in the field looks forward, Shift+Enter back; Escape or the
// close button asks to close the bar. The bar only asks; its owner searches and says
// whether anything was found.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QString text() const;
    bool caseSensitive() const;
    // Shows the bar with the keyboard in the field and its text selected; a text given
    // replaces the field's.
    void open(const QString& text = {});
    // Whether the last search found something; the field says so until its text changes.
    void setFound(bool found);

    QLabel* LBL_Find;
    QLineEdit* EDT_Find;
    QPushButton* BTN_FindNext;
    QPushButton* BTN_FindPrevious;
    QCheckBox* CHK_MatchCase;
    QLabel* LBL_NotFound;
    QToolButton* BTN_FindClose;

signals:
    void findRequested(bool forward);
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
