#include "db/sqlite_backend.h"

#include "db/sqlite_errors.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Qt's SQLite driver waits this long for a lock another program holds, and so do we.
constexpr int kBusyTimeoutMs = 5000;

// What Qt's SQLite driver takes a declared column type to be, where it matters here: a
// floating-point column, whose texts are turned into plain decimals as any driver's decimal
// column is (see QtSqlBackend).
bool isDecimalDeclaredType(const QString& declared) {
    const QString type = declared.toLower();
    return type == u"double" || type == u"float" || type == u"real" ||
           type.startsWith(QStringLiteral("numeric"));
}

enum class Utf8Text { Ascii, Plain, Other };

// Whether UTF-8 bytes are plain text that every decoder reads alike: only ASCII, or only
// well-formed sequences of characters other than the three that SQLite's own conversion
// and Qt's may treat apart (U+FEFF, U+FFFE, U+FFFF). Anything else (a stray byte, an
// overlong form, a surrogate) is left to SQLite to convert, as Qt's driver let it.
Utf8Text classifyUtf8(const unsigned char* bytes, int size) {
    int i = 0;
    while (i < size && bytes[i] < 0x80)
        ++i;
    if (i == size)
        return Utf8Text::Ascii;
    while (i < size) {
        const unsigned lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return Utf8Text::Other;
        }
        if (size - i < length)
            return Utf8Text::Other;
        for (int k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return Utf8Text::Other;
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFEFF ||
            code == 0xFFFE || code == 0xFFFF)
            return Utf8Text::Other;
        i += length;
    }
    return Utf8Text::Plain;
}

// Whether every character of text is one that Qt's UTF-8 and SQLite's agree on, wherever it
// stands: no lone surrogate, no byte-order mark or other noncharacter that either may treat
// apart.
bool isPlainText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == 0xFEFF || unit == 0xFFFE || unit == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(unit))
            return false;
    }
    return true;
}

QString engineText(sqlite3* connection) {
    return QString(reinterpret_cast<const QChar*>(sqlite3_errmsg16(connection))).trimmed();
}

} // namespace

// The texts one column of a statement run again and again gives back, each kept once: a
// dictionary repeats its type names, nullability words, sizes and many a column name on
// every table, and each of them is then one text in memory, not one per column. Found by
// the bytes SQLite hands over, kept in one block, so a text found costs no allocation.
// Short texts only, and a bounded number of them.
class SqliteBackend::TextPool {
public:
    static constexpr std::size_t kMaxBytes = 64;
    static constexpr std::size_t kMaxTexts = 16384;

    static std::uint64_t hashOf(std::string_view bytes) {
        std::uint64_t hash = 0xcbf29ce484222325u; // FNV-1a
        for (const char byte : bytes)
            hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
        return hash ^ (hash >> 32);
    }

    // The texts of the numbers below kSmallNumbers (widths, precisions, scales), made when
    // first asked for.
    static constexpr int kSmallNumbers = 4096;
    const QString& smallNumber(int number) {
        if (smallNumbers_.empty())
            smallNumbers_.resize(kSmallNumbers);
        QString& text = smallNumbers_[std::size_t(number)];
        if (text.isNull())
            text = QString::number(number);
        return text;
    }

    const QString* find(std::string_view bytes, std::uint64_t hash) const {
        if (slots_.empty() || bytes.size() > kMaxBytes)
            return nullptr;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.size == kFree)
                return nullptr;
            if (slot.hash == hash && slot.size == bytes.size() &&
                std::string_view(bytes_).substr(slot.offset, slot.size) == bytes)
                return &slot.text;
        }
    }

    void add(std::string_view bytes, std::uint64_t hash, const QString& text) {
        if (bytes.size() > kMaxBytes || count_ >= kMaxTexts)
            return;
        if (2 * (count_ + 1) > slots_.size())
            grow();
        place({hash, std::uint32_t(bytes_.size()), std::uint32_t(bytes.size()), text});
        bytes_.append(bytes);
        ++count_;
    }

private:
    static constexpr std::uint32_t kFree = std::numeric_limits<std::uint32_t>::max();
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t offset = 0;
        std::uint32_t size = kFree;
        QString text;
    };

    void place(Slot slot) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = slot.hash & mask;
        while (slots_[i].size != kFree)
            i = (i + 1) & mask;
        slots_[i] = std::move(slot);
    }

    void grow() {
        std::vector<Slot> old(std::max<std::size_t>(64, 2 * slots_.size()));
        old.swap(slots_);
        for (Slot& slot : old)
            if (slot.size != kFree)
                place(std::move(slot));
    }

    std::vector<Slot> slots_; // a power of two of them, at most half in use
    std::string bytes_;       // the keys, one after the other
    std::vector<QString> smallNumbers_;
    std::size_t count_ = 0;
};

// A prepared statement and what Qt's driver would have made of its columns: their names
// (without double quotes) and whether a column is a decimal one by its declared type
// (1, 0, or -1: by the storage class of its first value, as the driver decides for a
// column with no declared type). One that is run again and again shares its texts, a pool
// for each column.
class SqliteBackend::Statement {
public:
    Statement(sqlite3_stmt* handle, QString sql, bool sharesTexts)
        : handle_(handle), sql_(std::move(sql)) {
        const int columns = sqlite3_column_count(handle_);
        if (sharesTexts)
            pools.resize(std::size_t(columns));
        for (int c = 0; c < columns; ++c) {
            names.append(QString(reinterpret_cast<const QChar*>(sqlite3_column_name16(handle_, c)))
                             .remove(u'"'));
            const QString declared(
                reinterpret_cast<const QChar*>(sqlite3_column_decltype16(handle_, c)));
            decimal.push_back(declared.isEmpty() ? -1 : isDecimalDeclaredType(declared) ? 1 : 0);
        }
    }
    ~Statement() { sqlite3_finalize(handle_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* handle() const { return handle_; }
    const QString& sql() const { return sql_; }

    QStringList names;
    std::vector<signed char> decimal;
    std::vector<TextPool> pools;    // none for a statement run once
    std::size_t lastValueCount = 0; // what the last run read, room for the next one's

    TextPool* pool(int column) { return pools.empty() ? nullptr : &pools[std::size_t(column)]; }

private:
    sqlite3_stmt* handle_;
    QString sql_;
};

SqliteBackend::SqliteBackend(const QString& uri) {
    // The flags Qt's driver opens a read-only URI with.
    constexpr int kFlags =
        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_PRIVATECACHE | SQLITE_OPEN_NOMUTEX;
    sqlite3* connection = nullptr;
    const int result = sqlite3_open_v2(uri.toUtf8().constData(), &connection, kFlags, nullptr);
    if (result != SQLITE_OK) {
        // Told as it always was: the driver had closed the connection, errno and all, before
        // the reason was worded.
        const QString text =
            sqliteErrorText(result, 0, connection ? engineText(connection) : QString());
        sqlite3_close(connection);
        throw DbError(text);
    }
    connection_ = connection;
    sqlite3_busy_timeout(connection_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(connection_, 1);
}

SqliteBackend::~SqliteBackend() {
    close();
}

QString SqliteBackend::failureText(int resultCode) const {
    if (guard_)
        if (const std::optional<QString> reason = guard_->stopReason())
            return *reason;
    return sqliteErrorText(resultCode, sqlite3_system_errno(connection_), engineText(connection_));
}

std::unique_ptr<SqliteBackend::Statement>
SqliteBackend::prepare(const QString& sql, bool namesStatement, bool sharesTexts) {
    if (!connection_)
        throw DbError(QStringLiteral("データベースは閉じています"));
    const auto failed = [&](int resultCode) {
        const QString reason = failureText(resultCode);
        throw DbError(namesStatement ? QStringLiteral("%1：%2").arg(reason, sql) : reason);
    };
    sqlite3_stmt* handle = nullptr;
    const void* tail = nullptr;
    const int result = sqlite3_prepare16_v2(
        connection_, sql.utf16(), int((sql.size() + 1) * qsizetype(sizeof(QChar))), &handle, &tail);
    if (result != SQLITE_OK) {
        sqlite3_finalize(handle);
        failed(result);
    }
    auto statement = std::make_unique<Statement>(handle, sql, sharesTexts);
    // One statement a call, and a statement at all: more, or none, is a caller's mistake.
    if (!handle || (tail && !QString(reinterpret_cast<const QChar*>(tail)).trimmed().isEmpty()))
        failed(SQLITE_MISUSE);
    return statement;
}

void SqliteBackend::learnEncoding() {
    if (encoding_ != Encoding::Unknown)
        return;
    sqlite3_stmt* pragma = nullptr;
    if (sqlite3_prepare_v2(connection_, "PRAGMA encoding", -1, &pragma, nullptr) == SQLITE_OK &&
        sqlite3_step(pragma) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(pragma, 0));
        encoding_ = name && qstrcmp(name, "UTF-8") == 0 ? Encoding::Utf8 : Encoding::Utf16;
    }
    sqlite3_finalize(pragma);
}

QString SqliteBackend::textAt(sqlite3_stmt* statement, int column, TextPool* pool) const {
    const auto utf16 = [&] {
        return QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(statement, column)),
                       sqlite3_column_bytes16(statement, column) / qsizetype(sizeof(QChar)));
    };
    // A file that keeps its text in UTF-16 (or one not yet read) is read in UTF-16 as it is.
    if (encoding_ != Encoding::Utf8)
        return utf16();
    const auto* bytes = sqlite3_column_text(statement, column);
    const int size = sqlite3_column_bytes(statement, column);
    const std::string_view key(reinterpret_cast<const char*>(bytes), std::size_t(size));
    const std::uint64_t hash = pool ? TextPool::hashOf(key) : 0;
    if (pool)
        if (const QString* known = pool->find(key, hash))
            return *known;
    QString text;
    switch (classifyUtf8(bytes, size)) {
    case Utf8Text::Ascii:
        text = QString::fromLatin1(key.data(), size);
        break;
    case Utf8Text::Plain:
        text = QString::fromUtf8(key.data(), size);
        break;
    case Utf8Text::Other:
        return utf16(); // the bytes are no longer valid from here
    }
    if (pool)
        pool->add(key, hash, text);
    return text;
}

QString SqliteBackend::integerText(long long number, TextPool* pool) {
    if (pool && number >= 0 && number < TextPool::kSmallNumbers)
        return pool->smallNumber(int(number));
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const std::string_view key(digits, std::size_t(end - digits));
    const std::uint64_t hash = pool ? TextPool::hashOf(key) : 0;
    if (pool)
        if (const QString* known = pool->find(key, hash))
            return *known;
    QString text = QString::fromLatin1(key.data(), qsizetype(key.size()));
    if (pool)
        pool->add(key, hash, text);
    return text;
}

std::unique_ptr<Dynaset> SqliteBackend::readRows(Statement& statement) {
    learnEncoding();
    sqlite3_stmt* handle = statement.handle();
    const int columns = int(statement.names.size());
    std::vector<bool> decimal(std::size_t(columns), false);
    std::vector<FieldValue> values;
    values.reserve(statement.lastValueCount);
    qsizetype held = 0;
    int result = SQLITE_ROW;
    for (bool first = true; (result = sqlite3_step(handle)) == SQLITE_ROW; first = false) {
        if (first)
            for (int c = 0; c < columns; ++c)
                decimal[c] = statement.decimal[c] < 0
                                 ? sqlite3_column_type(handle, c) == SQLITE_FLOAT
                                 : statement.decimal[c] == 1;
        for (int c = 0; c < columns; ++c) {
            bool text = false;
            FieldValue value;
            switch (sqlite3_column_type(handle, c)) {
            case SQLITE_NULL:
                break;
            case SQLITE_INTEGER:
                value = {integerText(sqlite3_column_int64(handle, c), statement.pool(c)), false};
                break;
            case SQLITE_FLOAT:
                value = {decimalText(sqlite3_column_double(handle, c)), false};
                break;
            case SQLITE_BLOB:
                value = {QString::fromUtf8(static_cast<const char*>(sqlite3_column_blob(handle, c)),
                                           sqlite3_column_bytes(handle, c)),
                         false};
                break;
            default:
                text = true;
                value = {textAt(handle, c, statement.pool(c)), false};
                if (decimal[c])
                    value.text = plainDecimalText(value.text);
                break;
            }
            held += heldResultBytes(text, value.text);
            values.push_back(std::move(value));
        }
        if (held > kMaxResultBytes) {
            sqlite3_reset(handle);
            throw DbError(resultTooLargeText());
        }
    }
    if (result != SQLITE_DONE) {
        const QString reason = failureText(result);
        sqlite3_reset(handle);
        throw DbError(reason);
    }
    sqlite3_reset(handle);
    statement.lastValueCount = values.size();
    return Dynaset::fromValues(statement.names, std::move(values));
}

std::unique_ptr<Dynaset> SqliteBackend::query(const QString& sql) {
    if (guard_)
        guard_->start();
    const std::unique_ptr<Statement> statement = prepare(sql, false, false);
    return readRows(*statement);
}

std::unique_ptr<Dynaset> SqliteBackend::query(const QString& sql, const QString& text) {
    learnEncoding();
    // Put into the query, a text is read as Qt's driver handed it over: the whole query in
    // UTF-16, turned into UTF-8 by SQLite. A bound text goes the same way only where both
    // conversions agree: not in a file that keeps UTF-16, and not for a text with a lone
    // surrogate or a byte-order mark (SQLite drops one at the start of a bound text, never
    // inside a query). Those few go into the query as before.
    if (encoding_ != Encoding::Utf8 || !isPlainText(text))
        return query(withQuotedText(sql, text));
    if (guard_)
        guard_->start();
    if (!bound_ || bound_->sql() != sql) {
        bound_.reset();
        bound_ = prepare(sql, false, true);
    }
    sqlite3_stmt* handle = bound_->handle();
    if (sqlite3_bind_parameter_count(handle) != 1)
        return query(withQuotedText(sql, text));
    sqlite3_reset(handle);
    const QByteArray bytes = text.toUtf8();
    const int result =
        sqlite3_bind_text(handle, 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    if (result != SQLITE_OK)
        throw DbError(failureText(result));
    return readRows(*bound_);
}

void SqliteBackend::runToEnd(Statement& statement) {
    sqlite3_stmt* handle = statement.handle();
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(handle)) == SQLITE_ROW) {
    }
    if (result != SQLITE_DONE) {
        const QString reason = failureText(result);
        sqlite3_reset(handle);
        throw DbError(QStringLiteral("%1：%2").arg(reason, statement.sql()));
    }
    sqlite3_reset(handle);
}

void SqliteBackend::execute(const QString& sql) {
    if (guard_)
        guard_->start();
    const std::unique_ptr<Statement> statement = prepare(sql, true, false);
    runToEnd(*statement);
}

void SqliteBackend::executeEach(const QString& sql, const std::vector<QVariantList>& rows) {
    const std::unique_ptr<Statement> statement = prepare(sql, true, false);
    sqlite3_stmt* handle = statement->handle();
    for (const QVariantList& row : rows) {
        sqlite3_reset(handle);
        sqlite3_clear_bindings(handle);
        for (int i = 0; i < int(row.size()); ++i) {
            // Each value bound as Qt's driver binds it.
            const QVariant& value = row[i];
            int result = SQLITE_OK;
            if (value.isNull()) {
                result = sqlite3_bind_null(handle, i + 1);
            } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::Bool) {
                result = sqlite3_bind_int(handle, i + 1, value.toInt());
            } else if (value.typeId() == QMetaType::UInt || value.typeId() == QMetaType::LongLong) {
                result = sqlite3_bind_int64(handle, i + 1, value.toLongLong());
            } else if (value.typeId() == QMetaType::Double) {
                result = sqlite3_bind_double(handle, i + 1, value.toDouble());
            } else {
                const QString text = value.toString();
                result = sqlite3_bind_text16(handle, i + 1, text.utf16(),
                                             int(text.size() * qsizetype(sizeof(QChar))),
                                             SQLITE_TRANSIENT);
            }
            if (result != SQLITE_OK)
                throw DbError(QStringLiteral("%1：%2").arg(failureText(result), sql));
        }
        if (guard_)
            guard_->start();
        runToEnd(*statement);
    }
}

void SqliteBackend::limitStatements(SqliteBudget budget) {
    if (!connection_)
        throw DbError(QStringLiteral("SQLite の接続が開いていません"));
    guard_.reset(); // the old guard's handler goes before the new one's comes
    guard_ = std::make_unique<SqliteStatementGuard>(connection_, budget);
}

void SqliteBackend::beginRead() {
    if (readDepth_ == 0)
        execute(QStringLiteral("BEGIN"));
    ++readDepth_;
}

void SqliteBackend::endRead() noexcept {
    if (readDepth_ == 0 || --readDepth_ > 0 || !connection_)
        return;
    // A read transaction has nothing to keep: ending it cannot lose anything, and a statement
    // stopped inside it may have ended it already.
    if (!sqlite3_get_autocommit(connection_))
        sqlite3_exec(connection_, "COMMIT", nullptr, nullptr, nullptr);
    if (!sqlite3_get_autocommit(connection_))
        sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteBackend::close() noexcept {
    if (!connection_)
        return;
    bound_.reset();
    guard_.reset();
    sqlite3_close_v2(connection_);
    connection_ = nullptr;
    readDepth_ = 0;
}

bool SqliteBackend::isOpen() const {
    return connection_ != nullptr;
}
