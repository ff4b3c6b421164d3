// Figures of the main window on a large schema, offscreen, through the whole program:
//  1. select: 300 tables x 40 columns selected in the table list of a SQLite file and the
//     select command run (every column query, the candidate list, 300 rows of controls);
//  2. F5 with all five flags set on every row: the package generated and the preview filled.
// Prints both times (median of the runs; target under 1 s each), the preview's line count,
// and for F5 how its time splits between generating the lines and filling the preview.
//
// Usage: bench_ui [runs]   (default 5)

#include "app/frm_logon.h"
#include "app/logon_database.h"
#include "app/program.h"
#include "gen/plsql/package_generator.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/main/frm_main.h"
#include "ui/main/preview_pane.h"
#include "ui/main/table_rows.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "util/clock.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kTables = 300;
constexpr int kColumns = 40;

const char* const kTypes[] = {"VARCHAR2(40)", "NUMBER(10,2)", "DATE", "CHAR(1)", "NUMBER(8,0)"};

void createSchema(const QString& path) {
    const QString name = QStringLiteral("bench-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery query(db);
        db.transaction();
        for (int t = 0; t < kTables; ++t) {
            QStringList columns;
            for (int c = 0; c < kColumns; ++c)
                columns.append(QStringLiteral("COLUMN_NAME_%1 %2")
                                   .arg(c, 2, 10, QLatin1Char('0'))
                                   .arg(QLatin1String(kTypes[c % 5])));
            const QString sql = QStringLiteral("CREATE TABLE SALES_TABLE_%1 (%2)")
                                    .arg(t, 3, 10, QLatin1Char('0'))
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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TamselApplication app(argc, argv);
    registerFontSubstitutions();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir folder;
    setExecutableFolder(folder.path());
    QuietReporter reporter;
    setMessages(&reporter);
    const QString file = folder.filePath(QStringLiteral("bench.sqlite"));
    createSchema(file);

    Program program(databaseSessionFactory());
    TFRM_Logon* logon = program.Windows.FRM_Logon;
    TFRM_Main* main = program.Windows.FRM_Main;
    // The window's parts, found as the tests find them.
    auto* tables = main->findChild<QListWidget*>(QStringLiteral("LST_Tables"));
    auto* editor = main->findChild<QPlainTextEdit*>(QStringLiteral("MEM_Preview"));
    auto* select = main->findChild<QAction*>(QStringLiteral("MNU_Select"));
    auto* execute = main->findChild<QAction*>(QStringLiteral("MNU_Execute"));
    auto* rows = main->findChild<TableRows*>(QStringLiteral("TableRows"));
    auto* preview = main->findChild<PreviewPane*>(QStringLiteral("Preview"));
    program.Start();
    logon->EDT_User->setText(QStringLiteral("APP"));
    logon->EDT_Alias->setText(file);
    logon->CMD_OKClick();
    if (!main->isVisible() || tables->count() != kTables) {
        std::fprintf(stderr, "logon failed: %s\n", qPrintable(reporter.texts.join(u'\n')));
        return 1;
    }

    std::vector<double> selectTimes, f5Times, generateTimes, fillTimes;
    qsizetype lineCount = 0;
    for (int run = 0; run < runs; ++run) {
        tables->selectAll();
        QElapsedTimer timer;
        timer.start();
        select->trigger();
        QCoreApplication::processEvents(); // the rows painted
        selectTimes.push_back(timer.nsecsElapsed() / 1e6);
        if (rows->size() != kTables) {
            std::fprintf(stderr, "select failed: %s\n", qPrintable(reporter.texts.join(u'\n')));
            return 1;
        }

        for (FlagColumn column : {FlagColumn::Public, FlagColumn::Array, FlagColumn::Ins,
                                  FlagColumn::Upd, FlagColumn::Clr})
            rows->Invert(column);
        editor->clear();
        timer.restart();
        execute->trigger();
        QCoreApplication::processEvents(); // the preview painted
        f5Times.push_back(timer.nsecsElapsed() / 1e6);
        lineCount = preview->PreviewLines().size();

        // Where F5's time goes: the generator alone, then filling the preview.
        const SystemClock clock;
        const GeneratorInput input{main->model().CandidateList,      *rows,
                                   program.Settings.GenSettings,     program.Settings.UserNM,
                                   main->model().MaxTableNameLength, clock};
        timer.restart();
        const std::optional<QStringList> lines = generatePackageLines(input);
        generateTimes.push_back(timer.nsecsElapsed() / 1e6);
        editor->clear();
        timer.restart();
        preview->ReplacePreview(*lines, false);
        QCoreApplication::processEvents();
        fillTimes.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::printf("main window, offscreen: %d tables x %d columns from a SQLite file, %d runs\n",
                kTables, kColumns, runs);
    std::printf("  select (F4), rows built:      %8.1f ms  (target < 1000)\n", median(selectTimes));
    std::printf("  F5, every flag, preview full: %8.1f ms  (target < 1000)\n", median(f5Times));
    std::printf("    of which generating lines:  %8.1f ms\n", median(generateTimes));
    std::printf("    of which filling preview:   %8.1f ms\n", median(fillTimes));
    std::printf("  preview lines:                %8lld\n", static_cast<long long>(lineCount));
    if (!reporter.texts.isEmpty())
        std::printf("  messages: %s\n", qPrintable(reporter.texts.join(QStringLiteral(" / "))));

    setMessages(nullptr);
    setExecutableFolder(QString());
    main->hide();
    return 0;
}
