#pragma once
#include <QObject>

// SQLite files read through SQLite's own interface give what Qt's SQLite driver gave: every
// table, column, text, NULL and failure alike.
class TestSqliteReading : public QObject {
    Q_OBJECT
private slots:
    void readersAgree_data();
    void readersAgree();
};
