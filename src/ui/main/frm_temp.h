#pragma once

#include <QWidget>

// A stand-in for the progress window of column retrieval: created hidden at start-up and
// placed, nothing more yet.
class TFRM_Temp : public QWidget {
    Q_OBJECT
public:
    explicit TFRM_Temp(QWidget* parent = nullptr);
    void FormCreate();
};
