#pragma once

#include <QMap>
#include <QObject>
#include <QTemporaryDir>

// tamsel-gen against a real PostgreSQL server over unixODBC, with dictionary views shaped
// like Oracle's. The server comes from a CTest fixture (tests/db/pg_server.sh), which names
// its state file in TAMSEL_PG_STATE; without it these tests are skipped.
class TestGenOdbc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void generatesFromTheServer();
    void passwordSources_data();
    void passwordSources();
    void nullInTheDictionaryFailsTheRetrieval();
    void snapshotGeneratesAsTheServer();

private:
    QString profile(const QString& tables, const QString& password = QString(),
                    const QString& service = QString()) const;
    QMap<QString, QString> odbcEnvironment() const;
    QMap<QString, QString> state_;
    QTemporaryDir dir_;
};
