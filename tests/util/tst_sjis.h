#pragma once
#include <QObject>

class TestSjis : public QObject {
    Q_OBJECT
private slots:
    void encodesAsCodePage932_data();
    void encodesAsCodePage932();
    void refusesWhatCodePage932CannotHold_data();
    void refusesWhatCodePage932CannotHold();
    void savesWhatInputMethodsTypeInCodePage932Form_data();
    void savesWhatInputMethodsTypeInCodePage932Form();
    void savingRefusesOtherCharactersWithTheirLine();
    void decodesStrictly_data();
    void decodesStrictly();
    void lengthCountsBytes_data();
    void lengthCountsBytes();
    void roundTripsEveryHeldCharacter();
    void encodesAsIconvAcrossBlockEdges_data();
    void encodesAsIconvAcrossBlockEdges();
    void refusesAtItsPlaceAcrossBlockEdges_data();
    void refusesAtItsPlaceAcrossBlockEdges();
    void charCode_data();
    void charCode();
};
