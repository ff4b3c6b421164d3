#pragma once
#include <QObject>

class TestSqliteDictionary : public QObject {
    Q_OBJECT
private slots:
    void oracleColumnType_data();
    void oracleColumnType();
    void emulatedTablesInCreationOrder();
    void emulatedColumns();
    void columnQueryIsIndexLookup();
    void snapshotUsedAsItStands_data();
    void snapshotUsedAsItStands();
    void notADatabaseFails();
    void walFileReadInPlace_data();
    void walFileReadInPlace();
    void snapshotWithoutIndexReadOnce_data();
    void snapshotWithoutIndexReadOnce();
    void endlessViewStops_data();
    void endlessViewStops();
    void sqliteReasonsInJapanese_data();
    void sqliteReasonsInJapanese();
};
