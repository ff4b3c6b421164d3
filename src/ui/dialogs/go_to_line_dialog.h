#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

// 行へ移動: asks for a line number between 1 and the text's line count, offering the
// caret's line.
class GoToLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit GoToLineDialog(QWidget* parent = nullptr);

    void setLines(int current, int count);
    int line() const;

    QLabel* LBL_Line;
    QSpinBox* SPN_Line;
    QPushButton* BTN_OK;
    QPushButton* BTN_Cancel;
};
