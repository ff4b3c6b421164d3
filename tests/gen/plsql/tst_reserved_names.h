#pragma once

#include <QObject>

// The names of the package and the module that Oracle reserves, and where they first stand.
class TestReservedNames : public QObject {
    Q_OBJECT
private slots:
    void firstLines_data();
    void firstLines();
};
