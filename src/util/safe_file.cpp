#include "util/safe_file.h"

#include "util/safe_file_target.h"

#include <optional>

FileWriteError::FileWriteError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("%1 に書き込めません：%2").arg(path, reason).toStdString()),
      path_(path) {}

class SafeFileWriter::Private {
public:
    // Where the bytes of a writer go, decided when the first block is due (or at commit).
    enum class WriterMode {
        Pending,   // nothing decided; the bytes wait in memory
        Temporary, // block by block into the temporary file
        Whole,     // kept in memory, written whole at commit (a stream, or in place)
        Failed,    // the first failure is kept for commit; later bytes are dropped
        Committed,
    };

    Private(const QString& path, const SafeWriteOptions& options)
        : target_(makeSafeFileTarget(path, options)) {}

    void append(QByteArrayView bytes) {
        switch (mode_) {
        case WriterMode::Failed:
        case WriterMode::Committed:
            return;
        case WriterMode::Whole:
            buffer_.append(bytes);
            return;
        case WriterMode::Pending:
        case WriterMode::Temporary:
            break;
        }
        if (buffer_.size() + bytes.size() <= kSafeWriteBlock) {
            buffer_.append(bytes);
            return;
        }
        if (mode_ == WriterMode::Pending) {
            start();
            return append(bytes);
        }
        writeBuffer();
        if (bytes.size() >= kSafeWriteBlock)
            writeTemporary(bytes);
        else
            buffer_.append(bytes);
    }

    void commit() {
        if (mode_ == WriterMode::Pending)
            start();
        if (mode_ == WriterMode::Temporary)
            writeBuffer();
        switch (mode_) {
        case WriterMode::Failed:
            throw *failure_;
        case WriterMode::Whole:
            target_->commitWhole(way_, buffer_);
            break;
        case WriterMode::Temporary:
            target_->commitTemporary();
            break;
        case WriterMode::Pending:
        case WriterMode::Committed:
            return;
        }
        mode_ = WriterMode::Committed;
        buffer_.clear();
    }

private:
    // A failure here is kept, not thrown, so that what the caller finds wrong with the text
    // itself is told first.
    void start() {
        try {
            way_ = target_->start();
            mode_ =
                way_ == SafeFileTarget::Way::Temporary ? WriterMode::Temporary : WriterMode::Whole;
        } catch (const FileWriteError& error) {
            setFailed(error);
        }
    }

    void writeBuffer() {
        writeTemporary(buffer_);
        buffer_.resize(0); // keeps its capacity for the next block
    }

    void writeTemporary(QByteArrayView bytes) {
        if (mode_ != WriterMode::Temporary)
            return;
        try {
            target_->writeTemporary(bytes);
        } catch (const FileWriteError& error) {
            setFailed(error);
        }
    }

    void setFailed(const FileWriteError& error) {
        failure_.emplace(error);
        mode_ = WriterMode::Failed;
        target_->dropTemporary();
        buffer_ = QByteArray();
    }

    std::unique_ptr<SafeFileTarget> target_;
    WriterMode mode_ = WriterMode::Pending;
    SafeFileTarget::Way way_ = SafeFileTarget::Way::Temporary;
    QByteArray buffer_;
    std::optional<FileWriteError> failure_;
};

SafeFileWriter::SafeFileWriter(const QString& path, const SafeWriteOptions& options)
    : d_(std::make_unique<Private>(path, options)) {}

SafeFileWriter::~SafeFileWriter() = default;

void SafeFileWriter::append(QByteArrayView bytes) {
    d_->append(bytes);
}

void SafeFileWriter::commit() {
    d_->commit();
}

void writeFileSafely(const QString& path, QByteArrayView data, const SafeWriteOptions& options) {
    SafeFileWriter writer(path, options);
    writer.append(data);
    writer.commit();
}
