#pragma once
#include <QObject>

class TestWinCtrl : public QObject {
    Q_OBJECT
private slots:
    void collectSortsByTabOrder_data();
    void collectSortsByTabOrder();
    void collectTakesOnlyDirectInputFields();
    void modeTable_data();
    void modeTable();
    void modeFiveSteps();
    void enterInLastFieldDoesNothing();
    void windowWithoutFields();
    void windowFocusChangesAreNoExits();
    void programMoveWhileInactiveRunsOnReturn();
    void errorColourAndCodeAtExit();
    void openComboListKeepsArrows();
    void memoEnterMovesOn();
    void clearFieldsRange();
};
