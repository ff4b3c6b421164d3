#pragma once

#include <QByteArray>
#include <QString>

// A 64 KB tmpfs mounted over a folder for one test and unmounted on every way out. Only
// root may mount: mounted() is false otherwise (and for an empty folder), and tests skip.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const QString& folder);
    ~SmallTmpfs();
    bool mounted() const { return !folder_.isEmpty(); }
    void fill() const; // writes the file "filler" until no byte fits

private:
    QByteArray folder_;
};
