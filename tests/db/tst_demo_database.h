#pragma once
#include <QObject>

class TestDemoDatabase : public QObject {
    Q_OBJECT
private slots:
    void listsSampleTables();
    void sampleColumns_data();
    void sampleColumns();
    void writtenBesideExecutableElseInCache();
    void staleFileRebuiltCurrentFileReused();
    void noWritablePlaceFails();
    void splitSqlStatements_data();
    void splitSqlStatements();
};
