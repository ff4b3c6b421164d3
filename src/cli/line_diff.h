#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The lines of two texts that are left out and put in to turn the first into the second:
// the shortest such edit (Myers' algorithm, in linear space). Lines are equal when their
// keys are; a caller that ignores part of a line gives keys without it.
struct LineEdit {
    QList<bool> removed; // per line of the first text
    QList<bool> added;   // per line of the second text
};
LineEdit diffLines(const QList<QByteArrayView>& oldKeys, const QList<QByteArrayView>& newKeys);

// The edit as a unified diff: "--- oldName", "+++ newName", then hunks
// "@@ -start,count +start,count @@" with `context` unchanged lines around each change (a
// count of 1 is left out, an empty range starts at the line before it), unchanged lines
// prefixed " ", removed "-", added "+". oldLine and newLine give a line as shown, asked only
// for the lines the diff shows. Empty when nothing changed.
QStringList unifiedDiff(const LineEdit& edit, const std::function<QString(qsizetype)>& oldLine,
                        const std::function<QString(qsizetype)>& newLine, const QString& oldName,
                        const QString& newName, int context = 3);
