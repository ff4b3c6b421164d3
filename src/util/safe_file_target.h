#pragma once

#include "util/safe_file.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

// A writer hands the system blocks of about this size.
inline constexpr qsizetype kSafeWriteBlock = 1 << 20;

// What each system does for SafeFileWriter (safe_file_posix.cpp, safe_file_windows.cpp);
// safe_file.cpp keeps the bytes in front of it and the first failure for commit. Every
// failure is a FileWriteError.
class SafeFileTarget {
public:
    enum class Way {
        Temporary, // into a temporary file beside the target, which replaces it at commit
        Stream,    // a pipe, a device or a descriptor: written whole at commit
        InPlace,   // no temporary file may be made: the file rewritten whole at commit
    };

    virtual ~SafeFileTarget() = default;
    // Checks the target and decides the way; for Temporary, makes the temporary file.
    virtual Way start() = 0;
    virtual void writeTemporary(QByteArrayView bytes) = 0;
    // Gives up the temporary file; the space it took is free at once.
    virtual void dropTemporary() = 0;
    virtual void commitTemporary() = 0;
    // Stream or InPlace: every byte at once.
    virtual void commitWhole(Way way, QByteArrayView bytes) = 0;
};

std::unique_ptr<SafeFileTarget> makeSafeFileTarget(const QString& path,
                                                   const SafeWriteOptions& options);
