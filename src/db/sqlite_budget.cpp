#include "db/sqlite_budget.h"

#include <sqlite3.h>

#include <time.h>

namespace {

// How many steps of a statement's program run between two looks at the budget: a look costs
// a system call, the steps between some microseconds.
constexpr int kStepsPerLook = 10000;

// The longest text or BLOB a statement may make: a name or a declared type is short, and
// the CREATE statement of a table of 2,000 columns well under a megabyte.
constexpr int kMaxValueBytes = 16 << 20;

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

SqliteStatementGuard::SqliteStatementGuard(sqlite3* connection, SqliteBudget budget)
    : connection_(connection), budget_(budget) {
    sqlite3_limit(connection_, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    sqlite3_progress_handler(connection_, kStepsPerLook, &SqliteStatementGuard::progress, this);
    start();
}

SqliteStatementGuard::~SqliteStatementGuard() {
    sqlite3_progress_handler(connection_, 0, nullptr, nullptr);
}

void SqliteStatementGuard::start() {
    stop_ = Stop::None;
    startCpu_ = threadCpuSeconds();
    startHeap_ = sqlite3_memory_used();
}

int SqliteStatementGuard::progress(void* guard) {
    auto& self = *static_cast<SqliteStatementGuard*>(guard);
    if (threadCpuSeconds() - self.startCpu_ > self.budget_.cpuSeconds)
        self.stop_ = Stop::Time;
    else if (sqlite3_memory_used() - self.startHeap_ > self.budget_.heapBytes)
        self.stop_ = Stop::Memory;
    return self.stop_ != Stop::None;
}

std::optional<QString> SqliteStatementGuard::stopReason() const {
    switch (stop_) {
    case Stop::Time:
        return QStringLiteral("問い合わせが処理時間 %1 秒を超えても終わらないため打ち切り"
                              "ました（終わりのない再帰ビューなど）")
            .arg(budget_.cpuSeconds);
    case Stop::Memory:
        return QStringLiteral("問い合わせが %1 MiB を超えるメモリを使うため打ち切りました"
                              "（終わりのない再帰ビューなど）")
            .arg(budget_.heapBytes >> 20);
    case Stop::None:
        break;
    }
    return std::nullopt;
}
