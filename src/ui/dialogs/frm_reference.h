#pragma once

#include <QDialog>

// A stand-in for the dialog that edits one table's argument settings: created hidden at
// start-up, nothing more yet.
class TFRM_Reference : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_Reference(QWidget* parent = nullptr);
    void FormCreate();
};
