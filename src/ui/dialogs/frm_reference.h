#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The argument settings of one candidate table's public procedure: which candidate tables
// supply its input arguments, and whether generic VARCHAR2 and NUMBER array arguments are
// created and how many. The dialog only shows and checks; the main window presets the
// controls from the table's record, sets the caption, runs it modally and copies the values
// back when it ends with Accepted. The list's items are the candidate tables, put there by
// column retrieval.
class TFRM_Reference : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_Reference(QWidget* parent = nullptr);

    QListWidget* LST_RefTables; // one item per candidate table, in candidate order
    QLabel* Label1;
    QGroupBox* GroupBox1;
    QRadioButton* RDB_STRON;
    QRadioButton* RDB_STROFF;
    QLabel* Label2;
    QLineEdit* EDT_STRCNT; // typed: at most 2 characters; preset with setTextWhole
    QGroupBox* GroupBox2;
    QRadioButton* RDB_NUMON;
    QRadioButton* RDB_NUMOFF;
    QLabel* Label3;
    QLineEdit* EDT_NUMCNT;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* BTN_Clear;
    QPushButton* BTN_Cancel;
    QPushButton* BTN_OK;

    void FormShow();
    void BTN_ClearClick();
    void BTN_OKClick();
    void BTN_CancelClick();

    // "作成数、項目長には数値を入力してください"
    static QString countsNotNumericText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
};
