#pragma once
#include <QObject>

class TestOption : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void navigatorFollowsTabOrder();
    void showFillsFieldsAndClearsMarks();
    void leavingEmptyPrefixMarksItRed();
    void okReportsFirstInvalidField();
    void okStoresTrimmedValues();
    void okRefusesWhatTheSettingsFileCannotHold_data();
    void okRefusesWhatTheSettingsFileCannotHold();
    void fieldNeverEnteredIsStoredUnchecked();
    void enterInDefPathAcceptsAndEnterInFieldDoesNot();
    void cancelAndCloseBoxStoreNothing();
    void typingLimitKeepsLongPreset();
    void singleByteFields();
    void browseSetsFolder();
    void folderChooserAsksAndCreates();
    void laterShowingReturnsFocus();
};
