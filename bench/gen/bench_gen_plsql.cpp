// Package generation speed on a large synthetic candidate list: 500 tables of 40 columns,
// every flag set, every table public with three argument tables and both generic arrays.
// Prints the line count, the size of the saved file (Shift-JIS, CR LF) and the median
// generation speed over several runs. Usage: bench_gen_plsql [runs]

#include "gen/plsql/package_generator.h"
#include "util/sjis.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTables = 500;
constexpr int kColumns = 40;
constexpr int kArgumentTables = 3;

TCandidateList syntheticCandidates() {
    static const char* const types[] = {"NUMBER", "VARCHAR2", "DATE", "CHAR"};
    TCandidateList candidates;
    candidates.reserve(kTables);
    for (int t = 0; t < kTables; ++t) {
        TTableSettings table = TTableSettings::startRetrieval(
            QStringLiteral("SALES_TABLE_%1").arg(t, 3, 10, QLatin1Char('0')));
        for (int c = 0; c < kColumns; ++c)
            table.appendColumn(QStringLiteral("COLUMN_NAME_%1").arg(c, 2, 10, QLatin1Char('0')),
                               QString::fromLatin1(types[c % 4]), QStringLiteral("10"),
                               QStringLiteral("Y"));
        QList<qsizetype> arguments;
        for (int k = 0; k < kArgumentTables; ++k)
            arguments.append((t + k) % kTables);
        table.setArgumentTables(arguments);
        table.GenStrOn = true;
        table.GenNumOn = true;
        candidates.append(std::move(table));
    }
    return candidates;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    const TCandidateList candidates = syntheticCandidates();
    const PlainTableFlags flags(QList<TableFlagValues>(kTables, {true, true, true, true, true}));
    TPackParameters settings;
    settings.SysName = QStringLiteral("販売管理");
    settings.Owner = QStringLiteral("bench");
    qint32 longest = 0;
    for (const TTableSettings& t : candidates)
        longest = std::max(longest, nameLength(t.TableName));
    const SystemClock clock;
    const GeneratorInput input{candidates, flags, settings, QStringLiteral("APP"), longest, clock};

    std::vector<double> seconds;
    qsizetype lineCount = 0;
    qsizetype bytes = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::optional<QStringList> lines = generatePackageLines(input);
        const auto stop = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(stop - start).count());
        if (run == 0) {
            lineCount = lines->size();
            for (const QString& line : *lines)
                bytes += sjisLength(line) + 2; // CR LF
        }
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    const double megabytes = double(bytes) / 1e6;
    std::printf("tables %d x columns %d, %d runs\n", kTables, kColumns, runs);
    std::printf("lines      %lld\n", static_cast<long long>(lineCount));
    std::printf("MB         %.2f (saved file, Shift-JIS with CR LF, 1 MB = 10^6 bytes)\n",
                megabytes);
    std::printf("median     %.1f ms (min %.1f, max %.1f)\n", median * 1e3, seconds.front() * 1e3,
                seconds.back() * 1e3);
    std::printf("MB/s       %.1f\n", megabytes / median);
    return 0;
}
