#pragma once
#include <QObject>

class TestReference : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void okChecksCounts_data();
    void okChecksCounts();
    void refusalLeavesFocusWhereItWas_data();
    void refusalLeavesFocusWhereItWas();
    void countsTakeTwoTypedCharacters();
    void clearKeepsCountsAndCancelChangesNothing();
    void escapeAndCloseBoxCancel();
    void clickAddsToPresetSelection();
    void singleCandidateMayBeSelected();
    void showingPlacesByThirds();
};
