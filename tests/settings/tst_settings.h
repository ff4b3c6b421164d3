#pragma once
#include <QObject>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void noFileGivesDefaultsAndSavesAllSectionsInOrder();
    void readsBooleans_data();
    void readsBooleans();
    void saveUtf8IsOffUnlessStoredOn_data();
    void saveUtf8IsOffUnlessStoredOn();
    void readsSmallNumbers_data();
    void readsSmallNumbers();
    void readsWindowSize_data();
    void readsWindowSize();
    void keepsEmptyPrefixAndFallsBackForEmptyOwner();
    void roundTripKeepsEveryValue();
    void damagedFileRecovers();
    void unwritableFileReportsAndStaysUnchanged_data();
    void unwritableFileReportsAndStaysUnchanged();
    void settingsFileMustBeRegular_data();
    void settingsFileMustBeRegular();
    void unstorableValueKeepsItsKeyOnly_data();
    void unstorableValueKeepsItsKeyOnly();
    void serviceIsStoredWithoutPassword_data();
    void serviceIsStoredWithoutPassword();
    void userIsStoredWithoutPassword();
    void loaderTakesWhatTheDialogWould_data();
    void loaderTakesWhatTheDialogWould();
    void failedDatabaseCloseWritesNothing();
    void defPathFallbackDropsTrailingSeparator_data();
    void defPathFallbackDropsTrailingSeparator();
    void settingsWhereTheUserCanWrite_data();
    void settingsWhereTheUserCanWrite();
};
