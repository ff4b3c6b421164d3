#pragma once

#include <QObject>

// The one package-name rule, which the VB module generator shares.
class TestPackageName : public QObject {
    Q_OBJECT
private slots:
    void formPackageName_data();
    void formPackageName();
};
