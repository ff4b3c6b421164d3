#pragma once

#include <QByteArray>
#include <QString>

// A small tmpfs mounted over a folder for one test, unmounted on every way out. Mounting
// needs root: ok() is false otherwise, and the test skips.
class SmallTmpfs {
public:
    SmallTmpfs(const QString& folder, int kilobytes);
    ~SmallTmpfs();
    bool ok() const { return mounted_; }

private:
    QByteArray folder_;
    bool mounted_ = false;
};

// Writes the file "filler" in folder until the file system refuses another byte.
void fillFileSystem(const QString& folder);
