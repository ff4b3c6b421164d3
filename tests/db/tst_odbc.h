#pragma once
#include <QMap>
#include <QObject>

// Through the session layer against a real PostgreSQL server over unixODBC and psqlODBC.
// The server comes from the CTest fixture (pg_server.sh), which names its state file in
// TAMSEL_PG_STATE; without it these tests are skipped.
class TestOdbc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void logOnWithTheRightPassword();
    void wrongPasswordFails();
    void passwordWithAttributeDelimiters();
    void dataSourceTypedInUpperCase();
    void connectionStringAsItStands();
    void tableListAsTheViewGivesIt();
    void columns_data();
    void columns();
    void nullFieldFailsTheRetrieval();
    void snapshotReadAlikeByBothReaders();
    void serverStoppedDuringRetrieval(); // stops the server: keep it last

private:
    QString credentials(const QString& password) const;
    QMap<QString, QString> state_;
};
