#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests.
QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);

// A file under tests/data.
QString testDataPath(const QString& name);
