#pragma once
#include <QObject>
#include <QString>

// 47 ASCII units: enough to put another character before, inside and after the 8- and
// 16-unit blocks the encoder scans ASCII in.
inline const QString kAscii =
    QStringLiteral("SELECT COLUMN_NAME_01, \"x\" ~\t\x7F FROM SALES_0123;");
inline constexpr int kBlockEdges[] = {0, 1, 7, 8, 9, 15, 16, 17, 24, 31, 32, 33, 44};

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
    void refusesAtItsPlaceAcrossBlockEdges_data();
    void refusesAtItsPlaceAcrossBlockEdges();
    void charCode_data();
    void charCode();
};
