#pragma once
#include <QObject>

class TestProfileFile : public QObject {
    Q_OBJECT
private slots:
    void readsValues_data();
    void readsValues();
    void writesInPlaceAtSectionEndOrNewSection_data();
    void writesInPlaceAtSectionEndOrNewSection();
    void cutsLongValues();
    void decidesEncodingAndPassesOverDamagedLines_data();
    void decidesEncodingAndPassesOverDamagedLines();
    void rewriteKeepsEveryOtherLine_data();
    void rewriteKeepsEveryOtherLine();
    void refusesValuesItCannotStore_data();
    void refusesValuesItCannotStore();
    void refusesNamesThatWouldNotReadBack_data();
    void refusesNamesThatWouldNotReadBack();
};
