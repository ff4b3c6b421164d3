#include "util/safe_file.h"

#include "util/safe_file_target.h"

#include "util/platform/windows_error.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include <windows.h>

namespace {

// A writer at work changes its temporary file with every write; one unchanged for an hour
// was left by a writer that was killed.
constexpr qint64 kStaleTemporarySeconds = 60 * 60;
constexpr char16_t kTemporaryMark[] = u".tamsel-";
constexpr char kTemporaryLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kTemporaryRandomLength = 6;
// A name longer than this (NTFS' limit less the mark and the letters) is cut, with a hash of
// all of it keeping other names cut the same way apart.
constexpr qsizetype kNameMax = 255;
constexpr int kTemporaryHashLength = 8;
// What a replaced file keeps of its attributes (a read-only one is never replaced).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

[[noreturn]] void fail(const QString& path, DWORD error) {
    throw FileWriteError(path, windowsErrorText(error));
}

std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// An open handle, closed on every way out. CloseHandle is checked where it counts.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() {
        if (isOpen())
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    bool close() { return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

// Writes all of size bytes; false with GetLastError() set when a write fails.
bool writeAll(HANDLE handle, const char* data, qint64 size) {
    while (size > 0) {
        const DWORD chunk = DWORD(std::min<qint64>(size, kSafeWriteBlock));
        DWORD done = 0;
        if (!WriteFile(handle, data, chunk, &done, nullptr))
            return false;
        if (done == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += done;
        size -= done;
    }
    return true;
}

enum class Kind { Missing, File, Folder, Device, Other };

// What is at path now: a device (NUL, CON, a pipe) reports no attributes but opens.
Kind kindOf(const QString& path, DWORD& attributes) {
    attributes = GetFileAttributesW(native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Kind::Folder;
    Handle probe(CreateFileW(native(path).c_str(), 0,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.isOpen())
        return attributes == INVALID_FILE_ATTRIBUTES ? Kind::Missing : Kind::File;
    switch (GetFileType(probe.get())) {
    case FILE_TYPE_DISK:
        return Kind::File;
    case FILE_TYPE_CHAR:
    case FILE_TYPE_PIPE:
        return Kind::Device;
    default:
        return Kind::Other;
    }
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// The target's checked kind; refuses what no write can replace.
Kind checkedTarget(const QString& path) {
    if (path.isEmpty())
        fail(path, ERROR_FILE_NOT_FOUND);
    DWORD attributes = 0;
    const Kind kind = kindOf(path, attributes);
    switch (kind) {
    case Kind::Missing: {
        const DWORD folder = GetFileAttributesW(native(folderOf(path)).c_str());
        if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
            throw FileWriteError(path, QStringLiteral("フォルダが存在しません"));
        break;
    }
    case Kind::Folder:
        throw FileWriteError(path, QStringLiteral("同じ名前のフォルダがあります"));
    case Kind::File:
        if (attributes & FILE_ATTRIBUTE_READONLY)
            throw FileWriteError(path, QStringLiteral("読み取り専用のため上書きしません"));
        break;
    case Kind::Device:
        break;
    case Kind::Other:
        throw FileWriteError(path, QStringLiteral("通常のファイルではないため書き込みません"));
    }
    return kind;
}

// The name of the target's temporary files up to their random letters.
QString temporaryPrefix(const QString& target) {
    const QString name = QFileInfo(target).fileName();
    const qsizetype room =
        kNameMax - qsizetype(std::size(kTemporaryMark) - 1) - kTemporaryRandomLength;
    const QString mark = QString::fromUtf16(kTemporaryMark);
    if (name.size() <= room)
        return name + mark;
    qsizetype keep = std::max<qsizetype>(0, room - 1 - kTemporaryHashLength);
    if (keep > 0 && name[keep].isLowSurrogate())
        --keep;
    return name.first(keep) + u'~' +
           QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1)
                                   .toHex()
                                   .first(kTemporaryHashLength)) +
           mark;
}

// A new file beside the target, removed on every way out unless it has become the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& target) {
        const QString prefix = QDir(folderOf(target)).filePath(temporaryPrefix(target));
        for (int attempt = 0; attempt < 100; ++attempt) {
            QString name = prefix;
            for (int i = 0; i < kTemporaryRandomLength; ++i)
                name += QLatin1Char(kTemporaryLetters[QRandomGenerator::global()->bounded(
                    int(sizeof kTemporaryLetters) - 1)]);
            // No one else may open it while the text is incomplete.
            HANDLE handle = CreateFileW(native(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                name_ = name;
                handle_ = handle;
                return;
            }
            error_ = GetLastError();
            if (error_ != ERROR_FILE_EXISTS && error_ != ERROR_ALREADY_EXISTS)
                return;
        }
    }
    ~TemporaryFile() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        if (!name_.isEmpty())
            DeleteFileW(native(name_).c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    DWORD error() const { return error_; }
    HANDLE handle() const { return handle_; }
    bool close() { return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }
    const QString& name() const { return name_; }
    void release() { name_.clear(); }

private:
    QString name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD error_ = 0;
};

// Temporary files of this very target that are ours by name and age.
void removeStaleTemporaries(const QString& target) {
    const QString prefix = temporaryPrefix(target);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDir folder(folderOf(target));
    for (const QFileInfo& entry :
         folder.entryInfoList({prefix + u'*'}, QDir::Files | QDir::Hidden)) {
        const QString letters = entry.fileName().mid(prefix.size());
        if (letters.size() == kTemporaryRandomLength &&
            std::all_of(letters.cbegin(), letters.cend(),
                        [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; }) &&
            entry.lastModified().toUTC().secsTo(now) > kStaleTemporarySeconds)
            DeleteFileW(native(entry.filePath()).c_str());
    }
}

// The complete new content sits in the temporary file: it takes the place of the target,
// whose attributes and security ReplaceFileW keeps, or becomes a new file.
void replaceByTemporary(const QString& path, TemporaryFile& temporary) {
    if (!FlushFileBuffers(temporary.handle()) || !temporary.close())
        fail(path, GetLastError());
    checkedTarget(path); // the name as it is now: something may have been put there since
    const std::wstring target = native(path);
    const std::wstring from = native(temporary.name());
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // The new file takes the old one's attributes (hidden, archive...) itself: the fallback
    // below would not keep them, nor does every ReplaceFileW.
    if (exists && !SetFileAttributesW(from.c_str(), attributes & kKeptAttributes))
        fail(path, GetLastError());
    bool replaced = exists && ReplaceFileW(target.c_str(), from.c_str(), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!replaced) {
        const DWORD error = exists ? GetLastError() : ERROR_SUCCESS;
        // ReplaceFileW cannot work on every file system (FAT, some shares); a plain
        // replacing move still gives the reader the old file or the new one.
        if (exists && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && error != ERROR_INVALID_PARAMETER &&
            error != ERROR_CALL_NOT_IMPLEMENTED && error != ERROR_NOT_SUPPORTED)
            fail(path, error);
        if (!MoveFileExW(from.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail(path, GetLastError());
    }
    temporary.release();
    removeStaleTemporaries(path);
}

// Rewrites an existing file in place, for a folder where no temporary file may be made.
void rewriteInPlace(const QString& path, QByteArrayView data) {
    Handle file(CreateFileW(native(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        fail(path, GetLastError());
    if (!writeAll(file.get(), data.data(), data.size()) || !SetEndOfFile(file.get()) ||
        !FlushFileBuffers(file.get()) || !file.close())
        fail(path, GetLastError());
}

// A device (NUL, CON) or a pipe takes the bytes as they come.
void writeIntoStream(const QString& path, QByteArrayView data) {
    Handle stream(CreateFileW(native(path).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!stream.isOpen())
        fail(path, GetLastError());
    if (!writeAll(stream.get(), data.data(), data.size()) || !stream.close())
        fail(path, GetLastError());
}

} // namespace

void checkFileTarget(const QString& path) {
    checkedTarget(path);
}

namespace {

class WindowsTarget : public SafeFileTarget {
public:
    WindowsTarget(const QString& path, const SafeWriteOptions& options)
        : path_(path), options_(options) {}

    Way start() override {
        const Kind kind = checkedTarget(path_);
        if (kind == Kind::Device)
            return Way::Stream;
        temporary_.emplace(path_);
        if (!temporary_->isOpen()) {
            const DWORD error = temporary_->error();
            temporary_.reset();
            if (kind == Kind::File && error == ERROR_ACCESS_DENIED &&
                options_.rewriteInPlaceIfFolderIsReadOnly)
                return Way::InPlace;
            fail(path_, error);
        }
        return Way::Temporary;
    }

    void writeTemporary(QByteArrayView bytes) override {
        if (!writeAll(temporary_->handle(), bytes.data(), bytes.size()))
            fail(path_, GetLastError());
    }

    void dropTemporary() override { temporary_.reset(); }

    void commitTemporary() override { replaceByTemporary(path_, *temporary_); }

    void commitWhole(Way way, QByteArrayView bytes) override {
        if (way == Way::Stream)
            writeIntoStream(path_, bytes);
        else
            rewriteInPlace(path_, bytes);
    }

private:
    QString path_;
    SafeWriteOptions options_;
    std::optional<TemporaryFile> temporary_;
};

} // namespace

std::unique_ptr<SafeFileTarget> makeSafeFileTarget(const QString& path,
                                                   const SafeWriteOptions& options) {
    return std::make_unique<WindowsTarget>(path, options);
}
