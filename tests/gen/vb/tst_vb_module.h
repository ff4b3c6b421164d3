#pragma once
#include <QObject>

class TestVbModule : public QObject {
    Q_OBJECT
private slots:
    void smallModuleIsByteExact();
    void noPublicTableGivesNothing();
    void numberingSkipsTablesThatAreNotPublic();
    void moduleStart_data();
    void moduleStart();
    void procedureHeaderIsSevenLines();
    void fixedTextsAsTyped();
};
