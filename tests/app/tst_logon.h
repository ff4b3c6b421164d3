#pragma once
#include <QObject>

class TestLogon : public QObject {
    Q_OBJECT
private slots:
    void firstStartWithoutSettings();
    void presetsAndMainSizeFromSettings();
    void mainWindowStaysOnScreen();
    void typingConvertsUserAndService();
    void enterAndArrowsThroughFields();
    void logonSucceeds();
    void logonFailsAndKeepsFields();
    void userIsTheNameBeforeTheSlash();
    void logoutReturnsWithFieldsAsTheyWere();
    void exitSavesSettings_data();
    void exitSavesSettings();
    void closingMainCanBeRefused();
};
