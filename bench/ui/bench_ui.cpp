// Figures of the main window on large schemas, offscreen, through the whole program. For
// each table count N, a SQLite file of N tables x 40 columns is logged on to, and per run:
//  1. select: every table selected in the table list and the select command run (every
//     column query, the candidate list, N rows of controls), the rows painted;
//  2. each flag column inverted from clear to set through its header button (公開, 配列,
//     INS, UPD, S&C), painted;
//     then the rows panel scrolled as a user scrolls it, each step painted: a page down at a
//     time from the top (up to 200 pages), and jumps far down and up (the scroll bar's thumb
//     dragged); rows get their controls as they come into view;
//  3. F5 with all five flags set on every row (up to 5,000 tables): the package generated
//     and the preview filled and painted, split into generating the lines, filling the
//     preview and its first paint; then, on that text with one line added at its end,
//     finding a string that stands only on that last line from the top (F3 in the find
//     bar, then the paint that shows it), and one character typed into the preview (the
//     key pressed and released, and the paint after it; the median of 21);
//  4. another window activated and this one again;
//  5. each flag column inverted back from set to clear, painted;
//  6. select again over the N rows (the old rows freed first);
//  7. list clear of the N rows;
//  8. above 2,000 tables: list clear of 2,000 rows (the first 2,000 tables selected).
// Prints the median of each (targets: select 1,000 under 1 s, 3,000 under 4 s, 10,000 under
// 1 s; inverting any column of 10,000 rows either way under 0.1 s; a scroll step under
// 16 ms; clearing 2,000 rows under 0.3 s; F5 on 1,000 under 0.25 s; find on 1,000 under 0.3 s; a
// typed character under 16 ms), with the process's CPU time per phase, then the memory the process
// holds with the rows shown and its peak so far (run one table count per process for the peak of
// that count alone; target at 10,000: under 150 MB).
//
// --fill N fills the preview once with the package of N synthetic tables (40 columns,
// every flag, no argument tables: the lines of the window's F5 over such tables) and
// prints the time of filling and first paint, and the preview's memory: the resident size
// it added and the peak above the size before (targets at 20,000: under 3 s, under 1 GB).
//
// Usage: bench_ui [--runs N] [--tables N[,N...]] [--fill N] [--inactive-colours]
// Defaults: 3 runs; 1000,3000,10000 (none with --fill alone); no fill. --inactive-colours gives the
// program a palette whose inactive colours differ from the active ones, as desktop themes have it.
// Find is timed only where the window has a find bar.

#include "app/frm_logon.h"
#include "app/logon_database.h"
#include "app/program.h"
#include "gen/plsql/package_generator.h"
#include "ui/application.h"
#include "ui/dialogs/frm_about.h"
#include "ui/fonts.h"
#include "ui/main/frm_main.h"
#include "ui/main/preview_pane.h"
#include "ui/main/table_rows.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "util/clock.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kColumns = 40;
constexpr int kLargestF5 = 5000;
constexpr int kTypedCharacters = 21;
constexpr int kClearedRows = 2000;
constexpr int kScrolledPages = 200;
constexpr int kJumps = 21;

const char* const kColumnNames[] = {"公開", "配列", "INS", "UPD", "S&C"};

const char* const kTypes[] = {"VARCHAR2(40)", "NUMBER(10,2)", "DATE", "CHAR(1)", "NUMBER(8,0)"};

void createSchema(const QString& path, int tables) {
    const QString name = QStringLiteral("bench-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery query(db);
        db.transaction();
        for (int t = 0; t < tables; ++t) {
            QStringList columns;
            for (int c = 0; c < kColumns; ++c)
                columns.append(QStringLiteral("COLUMN_NAME_%1 %2")
                                   .arg(c, 2, 10, QLatin1Char('0'))
                                   .arg(QLatin1String(kTypes[c % 5])));
            const QString sql = QStringLiteral("CREATE TABLE SALES_TABLE_%1 (%2)")
                                    .arg(t, 4, 10, QLatin1Char('0'))
                                    .arg(columns.join(QStringLiteral(", ")));
            if (!query.exec(sql))
                throw std::runtime_error(query.lastError().text().toStdString());
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Answers every question Yes and shows nothing.
class QuietReporter : public Reporter {
public:
    MessageAnswer report(const QString&, MessageIcon, MessageButtons buttons,
                         const QString& text) override {
        texts.append(text);
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    QStringList texts;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The process's resident memory now and at its peak so far, in MiB.
double residentMiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / (1024.0 * 1024.0) : 0;
}

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall and CPU time of each phase, in milliseconds, over the runs.
class Phases {
public:
    template <typename Work> void time(const std::string& phase, Work work) {
        QElapsedTimer timer;
        const double cpu = processCpuMs();
        timer.start();
        work();
        wall_[phase].push_back(timer.nsecsElapsed() / 1e6);
        cpu_[phase].push_back(processCpuMs() - cpu);
    }
    void print(const std::string& phase, const char* label, const char* target) const {
        const auto found = wall_.find(phase);
        if (found == wall_.end())
            return;
        std::printf("  %-34s %9.1f ms wall %9.1f ms cpu  %s\n", label, median(found->second),
                    median(cpu_.at(phase)), target);
    }

private:
    std::map<std::string, std::vector<double>> wall_;
    std::map<std::string, std::vector<double>> cpu_;
};

struct Options {
    int runs = 3;
    std::vector<int> tableCounts{1000, 3000, 10000};
    int fillTables = 0;
    bool inactiveColours = false;
};

Options parse(const QStringList& arguments) {
    Options options;
    bool tablesGiven = false;
    for (qsizetype a = 1; a < arguments.size(); ++a) {
        const bool hasValue = a + 1 < arguments.size();
        if (arguments[a] == QLatin1String("--runs") && hasValue) {
            options.runs = std::max(1, arguments[++a].toInt());
        } else if (arguments[a] == QLatin1String("--tables") && hasValue) {
            options.tableCounts.clear();
            tablesGiven = true;
            for (const QString& count : arguments[++a].split(u',')) {
                const int n = count.toInt();
                if (n < 1)
                    throw std::runtime_error("bad table count " + count.toStdString());
                options.tableCounts.push_back(n);
            }
        } else if (arguments[a] == QLatin1String("--fill") && hasValue) {
            options.fillTables = std::max(0, arguments[++a].toInt());
        } else if (arguments[a] == QLatin1String("--inactive-colours")) {
            options.inactiveColours = true;
        } else {
            throw std::runtime_error("usage: bench_ui [--runs N] [--tables N[,N...]] [--fill N] "
                                     "[--inactive-colours]");
        }
    }
    // A fill alone needs no table counts.
    if (options.fillTables > 0 && !tablesGiven)
        options.tableCounts.clear();
    return options;
}

// The main window's parts, found as the tests find them.
struct MainParts {
    explicit MainParts(TFRM_Main* main)
        : main(main), tables(main->findChild<QListWidget*>(QStringLiteral("LST_Tables"))),
          editor(main->findChild<QWidget*>(QStringLiteral("MEM_Preview"))),
          findField(main->findChild<QLineEdit*>(QStringLiteral("EDT_Find"))),
          findNext(main->findChild<QAction*>(QStringLiteral("ACT_FindNext"))),
          select(main->findChild<QAction*>(QStringLiteral("MNU_Select"))),
          execute(main->findChild<QAction*>(QStringLiteral("MNU_Execute"))),
          listClear(main->findChild<QAction*>(QStringLiteral("MNU_ListClear"))),
          inverts{main->findChild<QAction*>(QStringLiteral("MNU_Public")),
                  main->findChild<QAction*>(QStringLiteral("MNU_Array")),
                  main->findChild<QAction*>(QStringLiteral("MNU_INS")),
                  main->findChild<QAction*>(QStringLiteral("MNU_UPD")),
                  main->findChild<QAction*>(QStringLiteral("MNU_CLR"))},
          logout(main->findChild<QAction*>(QStringLiteral("MNU_Logout"))),
          rows(main->findChild<TableRows*>(QStringLiteral("TableRows"))),
          rowsBar(main->findChild<QScrollArea*>(QStringLiteral("SCB_Main"))->verticalScrollBar()),
          preview(main->findChild<PreviewPane*>(QStringLiteral("Preview"))) {}

    TFRM_Main* main;
    QListWidget* tables;
    QWidget* editor;
    QLineEdit* findField; // null where the window has no find bar
    QAction* findNext;
    QAction* select;
    QAction* execute;
    QAction* listClear;
    QAction* inverts[5]; // the header buttons' commands, 公開 to S&C
    QAction* logout;
    TableRows* rows;
    QScrollBar* rowsBar; // the rows panel's
    PreviewPane* preview;
};

void check(bool ok, const char* what, const QuietReporter& reporter) {
    if (!ok)
        throw std::runtime_error(std::string(what) +
                                 " failed: " + reporter.texts.join(u'\n').toStdString());
}

// Selects the first count tables of the list, then times the select command and the
// painting of the rows after it.
void selectFirst(const MainParts& m, int count, Phases& phases, const std::string& phase) {
    m.tables->clearSelection();
    if (count == m.tables->count())
        m.tables->selectAll();
    else
        for (int p = 0; p < count; ++p)
            m.tables->item(p)->setSelected(true);
    phases.time(phase, [&] {
        m.select->trigger();
        phases.time(phase + "-paint", [] { QCoreApplication::processEvents(); });
    });
}

// One character typed at the top of the preview, as the keyboard sends it, and the paint
// after it; the median of several, each timed alone.
void typeCharacters(const MainParts& m, Phases& phases) {
    m.editor->setFocus();
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
    QCoreApplication::sendEvent(m.editor, &home);
    QCoreApplication::processEvents();
    for (int k = 0; k < kTypedCharacters; ++k) {
        phases.time("type", [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QCoreApplication::sendEvent(m.editor, &press);
            QCoreApplication::sendEvent(m.editor, &release);
            QCoreApplication::processEvents();
        });
    }
}

// The rows panel scrolled a page at a time from the top, then in jumps between far places,
// each step painted; back at the top at the end.
void scrollRows(const MainParts& m, Phases& phases) {
    QScrollBar* bar = m.rowsBar;
    const int step = std::max(1, bar->pageStep());
    for (int p = 1; p <= kScrolledPages && (p - 1) * step < bar->maximum(); ++p)
        phases.time("scroll-page", [&] {
            bar->setValue(p * step);
            QCoreApplication::processEvents();
        });
    for (int j = 0; j < kJumps; ++j) {
        // Far apart, alternately in the lower and the upper half.
        const int y = static_cast<int>(static_cast<qint64>(bar->maximum()) *
                                       (j % 2 ? j : kJumps + j) / (2 * kJumps));
        phases.time("scroll-jump", [&] {
            bar->setValue(y);
            QCoreApplication::processEvents();
        });
    }
    bar->setValue(0);
    QCoreApplication::processEvents();
}

// Kilobytes of a field of /proc/self/status (VmRSS, VmHWM).
long statusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

TCandidateList syntheticCandidates(int tables) {
    static const char* const types[] = {"NUMBER", "VARCHAR2", "DATE", "CHAR"};
    TCandidateList candidates;
    candidates.reserve(tables);
    for (int t = 0; t < tables; ++t) {
        TTableSettings table = TTableSettings::startRetrieval(
            QStringLiteral("SALES_TABLE_%1").arg(t, 5, 10, QLatin1Char('0')));
        for (int c = 0; c < kColumns; ++c)
            table.appendColumn(QStringLiteral("COLUMN_NAME_%1").arg(c, 2, 10, QLatin1Char('0')),
                               QString::fromLatin1(types[c % 4]), QStringLiteral("10"),
                               QStringLiteral("Y"));
        candidates.append(std::move(table));
    }
    return candidates;
}

// The preview filled once with the package of tables synthetic tables, in a window logged
// on to file: the time to fill and paint, and the memory the preview took.
void benchFill(Program& program, const MainParts& m, QuietReporter& reporter, const QString& file,
               int tables) {
    TFRM_Logon* logon = program.Windows.FRM_Logon;
    logon->EDT_User->setText(QStringLiteral("APP"));
    logon->EDT_Alias->setText(file);
    logon->CMD_OKClick();
    check(m.main->isVisible(), "logon", reporter);

    const TCandidateList candidates = syntheticCandidates(tables);
    const PlainTableFlags flags(QList<TableFlagValues>(tables, {true, true, true, true, true}));
    qint32 longest = 0;
    for (const TTableSettings& t : candidates)
        longest = std::max(longest, nameLength(t.TableName));
    const SystemClock clock;
    const GeneratorInput input{
        candidates, flags, program.Settings.GenSettings, QStringLiteral("APP"), longest, clock};
    Phases phases;
    std::optional<QStringList> lines;
    phases.time("generate", [&] { lines = generatePackageLines(input); });
    check(lines.has_value(), "generation", reporter);
    QCoreApplication::processEvents();

    // The peak resident size starts again from the size now (Linux: 5 to clear_refs).
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
    clearRefs.close();
    const long before = statusKb("VmRSS");
    phases.time("fill", [&] { m.preview->ReplacePreview(*lines, false); });
    phases.time("paint", [] { QCoreApplication::processEvents(); });
    const long after = statusKb("VmRSS");
    const long peak = statusKb("VmHWM");

    std::printf("%d synthetic tables x %d columns, every flag, one fill\n", tables, kColumns);
    phases.print("generate", "generating lines (not the preview)", "");
    phases.print("fill", "filling preview", tables == 20000 ? "(target < 3000)" : "");
    phases.print("paint", "first paint after filling", "");
    std::printf("  %-34s %9lld\n", "preview lines", static_cast<long long>(lines->size()));
    std::printf("  %-34s %9.1f MB  %s\n", "preview memory (resident, added)",
                (after - before) / 1024.0, tables == 20000 ? "(target < 1024)" : "");
    std::printf("  %-34s %9.1f MB\n", "peak above the size before", (peak - before) / 1024.0);
    std::fflush(stdout);

    m.preview->clear();
    m.logout->trigger();
    check(!m.main->isVisible(), "logout", reporter);
}

void benchTableCount(Program& program, const MainParts& m, QuietReporter& reporter,
                     const QString& file, int tableCount, int runs) {
    TFRM_Logon* logon = program.Windows.FRM_Logon;
    logon->EDT_User->setText(QStringLiteral("APP"));
    logon->EDT_Alias->setText(file);
    logon->CMD_OKClick();
    check(m.main->isVisible() && m.tables->count() == tableCount, "logon", reporter);

    Phases phases;
    qsizetype lineCount = 0;
    double shownMiB = 0;
    for (int run = 0; run < runs; ++run) {
        selectFirst(m, tableCount, phases, "select");
        check(m.rows->size() == tableCount, "select", reporter);

        if (run == 0)
            shownMiB = residentMiB();

        // Every flag set, one header button after the other, each painted before the next.
        const auto invertAll = [&](const char* direction) {
            for (int c = 0; c < 5; ++c)
                phases.time(std::string("invert") + kColumnNames[c] + direction, [&] {
                    m.inverts[c]->trigger();
                    QCoreApplication::processEvents();
                });
        };
        invertAll("-on");
        check(m.rows->isPublic(0) && m.rows->isClr(tableCount - 1), "inversion", reporter);
        scrollRows(m, phases);

        if (tableCount <= kLargestF5) {
            m.preview->clear();
            phases.time("f5", [&] {
                m.execute->trigger();
                QCoreApplication::processEvents(); // the preview painted
            });
            lineCount = m.preview->PreviewLines().size();

            // Where F5's time goes: the generator alone, then filling the preview, then
            // its first paint.
            const SystemClock clock;
            const GeneratorInput input{m.main->model().CandidateList,      *m.rows,
                                       program.Settings.GenSettings,       program.Settings.UserNM,
                                       m.main->model().MaxTableNameLength, clock};
            std::optional<QStringList> lines;
            phases.time("generate", [&] { lines = generatePackageLines(input); });
            m.preview->clear();
            QCoreApplication::processEvents();
            phases.time("fill", [&] { m.preview->ReplacePreview(*lines, false); });
            phases.time("paint", [] { QCoreApplication::processEvents(); });

            if (m.findField) {
                lines->append(QStringLiteral("-- ベンチマークの最終行"));
                m.preview->ReplacePreview(*lines, false);
                QCoreApplication::processEvents();
                m.findField->setText(QStringLiteral("ベンチマークの最終行"));
                phases.time("find", [&] { m.findNext->trigger(); });
                phases.time("find-paint", [] { QCoreApplication::processEvents(); });
                check(m.preview->PreviewLines().size() == lines->size(), "find", reporter);
            }
            typeCharacters(m, phases);
            check(m.preview->PreviewLines().value(0).startsWith(QString(kTypedCharacters, u'x')),
                  "typing", reporter);
            m.preview->clear();
        }

        // Another window activated and this one again (a dialog, or the desktop's switcher):
        // every shown control learns that its window changed state.
        QWidget* other = program.Windows.FRM_About;
        phases.time("activation", [&] {
            other->show();
            other->activateWindow();
            QCoreApplication::processEvents();
            other->hide();
            m.main->activateWindow();
            QCoreApplication::processEvents();
        });

        // Every flag cleared again: unchecking is a path of its own in the check boxes.
        invertAll("-off");
        check(!m.rows->isPublic(tableCount - 1) && !m.rows->isClr(0), "inversion", reporter);

        // Selecting again replaces the rows: the old ones go first.
        selectFirst(m, tableCount, phases, "reselect");
        check(m.rows->size() == tableCount, "select again", reporter);

        phases.time("clear", [&] {
            m.listClear->trigger();
            QCoreApplication::processEvents();
        });
        check(m.rows->isEmpty(), "list clear", reporter);

        if (tableCount > kClearedRows) {
            selectFirst(m, kClearedRows, phases, "select2000");
            check(m.rows->size() == kClearedRows, "select", reporter);
            phases.time("clear2000", [&] {
                m.listClear->trigger();
                QCoreApplication::processEvents();
            });
        }
    }

    std::printf("%d tables x %d columns from a SQLite file, median of %d runs\n", tableCount,
                kColumns, runs);
    const std::string size = std::to_string(tableCount);
    const char* selectTarget = tableCount == 1000    ? "(target < 1000)"
                               : tableCount == 3000  ? "(target < 4000)"
                               : tableCount == 10000 ? "(target < 1000)"
                                                     : "";
    phases.print("select", "select (F4), rows built", selectTarget);
    phases.print("select-paint", "  of which painting after it", "");
    const char* invertTarget = tableCount == 10000 ? "(target < 100)" : "";
    for (const auto& [direction, label] :
         {std::pair{"-on", ", clear to set"}, std::pair{"-off", ", set to clear"}})
        for (int c = 0; c < 5; ++c)
            phases.print(std::string("invert") + kColumnNames[c] + direction,
                         (std::string("column ") + kColumnNames[c] + label).c_str(), invertTarget);
    phases.print("scroll-page", "rows scrolled a page down, painted", "(target < 16)");
    phases.print("scroll-jump", "rows scrolled far (thumb), painted", "(target < 16)");
    phases.print("activation", "another window active and back", "");
    phases.print("reselect", "select again over the rows", "");
    phases.print("f5", "F5, every flag, preview full", tableCount == 1000 ? "(target < 250)" : "");
    phases.print("generate", "  generating lines alone", "");
    phases.print("fill", "  filling preview alone", "");
    phases.print("paint", "  first paint after filling", "");
    if (lineCount > 0)
        std::printf("  %-34s %9lld\n", "preview lines", static_cast<long long>(lineCount));
    phases.print("find", "find on the last line (F3)", tableCount == 1000 ? "(target < 300)" : "");
    phases.print("find-paint", "  the paint that shows it", "");
    phases.print("type", "one typed character, painted", "(target < 16)");
    phases.print("clear", ("list clear of " + size + " rows").c_str(),
                 tableCount == kClearedRows ? "(target < 300)" : "");
    phases.print("clear2000", "list clear of 2000 rows", "(target < 300)");
    std::printf("  %-34s %9.1f MiB\n", "memory held, rows shown", shownMiB);
    std::printf("  %-34s %9.1f MiB  %s\n", "peak memory of the process so far", peakResidentMiB(),
                tableCount == 10000 ? "(target < 143 MiB, 150 MB)" : "");
    std::fflush(stdout);

    m.logout->trigger();
    check(!m.main->isVisible(), "logout", reporter);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TamselApplication app(argc, argv);
    registerFontSubstitutions();

    QTemporaryDir folder;
    setExecutableFolder(folder.path());
    QuietReporter reporter;
    setMessages(&reporter);
    int status = 0;
    try {
        const Options options = parse(QCoreApplication::arguments());
        if (options.inactiveColours) {
            // As desktop themes have it: an inactive window shows other colours, so every
            // control repaints when its window is activated or deactivated.
            QPalette palette = QApplication::palette();
            palette.setColor(QPalette::Inactive, QPalette::Button, Qt::lightGray);
            palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::gray);
            QApplication::setPalette(palette);
        }
        std::printf("main window, offscreen; targets: select 1000 < 1000 ms, 3000 < 4000 ms, "
                    "10000 < 1000 ms; inverting 10000 rows < 100 ms; a scroll step < 16 ms; F5 on "
                    "1000 < 250 ms; "
                    "find on 1000 < 300 ms; a typed character < 16 ms; clearing 2000 rows < "
                    "300 ms; peak memory at 10000 < 150 MB; filling 20000 < 3000 ms and < 1 GB\n");
        Program program(databaseSessionFactory());
        const MainParts parts(program.Windows.FRM_Main);
        program.Start();
        for (int tableCount : options.tableCounts) {
            const QString file = folder.filePath(QStringLiteral("bench%1.sqlite").arg(tableCount));
            createSchema(file, tableCount);
            benchTableCount(program, parts, reporter, file, tableCount, options.runs);
        }
        if (options.fillTables > 0) {
            const QString file = folder.filePath(QStringLiteral("bench-fill.sqlite"));
            createSchema(file, 1);
            benchFill(program, parts, reporter, file, options.fillTables);
        }
        if (!reporter.texts.isEmpty())
            std::printf("messages: %s\n", qPrintable(reporter.texts.join(QStringLiteral(" / "))));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_ui: %s\n", error.what());
        status = 1;
    }
    setMessages(nullptr);
    setExecutableFolder(QString());
    return status;
}
