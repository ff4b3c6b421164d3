#pragma once
#include <QObject>

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void fieldValueText_data();
    void fieldValueText();
    void nullFieldHasNoText_data();
    void nullFieldHasNoText();
    void plainDecimalText_data();
    void plainDecimalText();
    void dynasetReadsRowsByName();
    void dynasetPastItsRowsFails();
    void splitConnectString_data();
    void splitConnectString();
    void closeRemovesConnectionAndNeverFails();
    void destroyingOpenDatabaseRemovesConnection();
    void queryErrorNamesTheTable();
    void sqliteFileIsLeftUnchanged();
    void unknownServiceFails();
};
