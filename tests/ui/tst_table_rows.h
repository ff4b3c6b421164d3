#pragma once
#include <QObject>

class TestTableRows : public QObject {
    Q_OBJECT
private slots:
    void rowsPlacedUnderTheirHeaders();
    void publicCheckDrivesRefButton();
    void inversionEachRowOnItsOwn_data();
    void inversionEachRowOnItsOwn();
    void flagsReadFromTheBoxes();
    void freeAndTabOrder();
    void fiveRowsScrollInThreeRowsOfSpace();
    void tabRunsThroughTheRowsInOrder_data();
    void tabRunsThroughTheRowsInOrder();
    void manyRowsPlacedAndChainedAsFew_data();
    void manyRowsPlacedAndChainedAsFew();
    void tabReachesRowsNotMadeYet_data();
    void tabReachesRowsNotMadeYet();
    void flagsKeptWhileRowsHaveNoControls();
};
