#pragma once
#include <QObject>

class TestOutputCheck : public QObject {
    Q_OBJECT
private slots:
    void checkTakesTheOutputCutAnywhere_data();
    void checkTakesTheOutputCutAnywhere();
    void checkDiffKeepsToItsBudget_data();
    void checkDiffKeepsToItsBudget();
};
