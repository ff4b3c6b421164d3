#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests.
QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);

// A settings file's bytes for lines given as text: Shift-JIS with CR LF.
QByteArray iniBytes(const QString& text);

// A file under tests/data.
QString testDataPath(const QString& name);
