#pragma once
#include <QObject>

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void versionWindowContent();
    void urlLabelColours_data();
    void urlLabelColours();
    void urlLabelOpensOnAnyButton_data();
    void urlLabelOpensOnAnyButton();
};
