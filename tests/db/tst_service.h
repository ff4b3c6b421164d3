#pragma once
#include <QObject>

class TestService : public QObject {
    Q_OBJECT
private slots:
    void findsFileIgnoringCase_data();
    void findsFileIgnoringCase();
    void exactComponentWins();
    void twoFilesDifferingInCaseFail();
    void onlySqliteFilesAreCandidates();
    void relativeToExecutableThenWorkingFolder();
    void resolveService_data();
    void resolveService();
    void serviceErrors_data();
    void serviceErrors();
    void fileThatIsNoDatabaseIsNamed_data();
    void fileThatIsNoDatabaseIsNamed();
    void qtOdbcDatabaseName_data();
    void qtOdbcDatabaseName();
    void odbcAttributeValue_data();
    void odbcAttributeValue();
};
