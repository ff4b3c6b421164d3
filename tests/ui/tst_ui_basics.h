#pragma once
#include <QObject>

class TestUiBasics : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void storedSizeStaysOnScreen_data();
    void storedSizeStaysOnScreen();
    void outerSizeWithoutFrame();
    void generalErrorDisplay_data();
    void generalErrorDisplay();
    void errorEscapingToNotifyIsShown();
    void fontSubstitutions_data();
    void fontSubstitutions();
};
