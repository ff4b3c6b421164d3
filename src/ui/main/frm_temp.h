#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of column retrieval: a label, a bar advanced once per table and an
// abort button. It is shown without being modal while the main window reads the tables and
// lets pending events through once per table; the abort button sets the abort flag that the
// retrieval polls at the start of the next table. The flag is the main window's
// (GenerationModel::AbortRequested), given with setAbortFlag.
//
// Escape and a close from the window system (Alt+F4) act as the abort button: they set the
// flag before the window goes, so the window never disappears while the retrieval goes on
// unaware.
class TFRM_Temp : public QWidget {
    Q_OBJECT
public:
    explicit TFRM_Temp(QWidget* parent = nullptr);

    QLabel* LBL_Info;
    QProgressBar* PGB_Temp;
    QPushButton* BTN_Abort;

    // The flag that the abort button sets and each showing clears. Until one is given, and
    // after setAbortFlag(nullptr), the window uses a flag of its own.
    void setAbortFlag(bool* flag);
    bool abortRequested() const;

    // The bar runs from 0 to max, one step per table.
    void setMax(int max);
    void StepIt();

    void FormCreate();
    void FormShow();
    void BTN_AbortClick();

    // "テーブル情報を取得中・・・"
    static QString infoText();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrangeControls();

    bool ownAbortFlag_ = false;
    bool* abortFlag_ = &ownAbortFlag_;
};
