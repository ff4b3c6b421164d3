#include "cli/gen_tool.h"

#include "cli/stderr_reporter.h"
#include "db/db_error.h"
#include "db/db_messages.h"
#include "db/dictionary.h"
#include "db/dictionary_snapshot.h"
#include "db/service.h"
#include "gen/csv/table_structure.h"
#include "gen/gen_messages.h"
#include "gen/plsql/package_generator.h"
#include "gen/reserved_words.h"
#include "gen/vb/vb_module_generator.h"
#include "model/generation_model.h"
#include "profile/gen_profile.h"
#include "settings/profile_file.h"
#include "util/input_file.h"
#include "util/output_check.h"
#include "util/report.h"
#include "util/safe_file.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QDateTime>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <new>

GenFailure::GenFailure(int status, const QString& text, const QString& detail)
    : std::runtime_error(text.toStdString()), status_(status), text_(text), detail_(detail) {}

namespace {

QString outputNotWrittenText() {
    return QStringLiteral("出力を書き込めません");
}

// Runs a step of the retrieval; any failure of it is a retrieval failure.
template <typename Step> void retrieve(Step&& step) {
    try {
        step();
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitRetrieval, retrievalErrorText(), QString::fromUtf8(error.what()));
    }
}

// Retrieval progress on one line of standard error when it is a terminal ("テーブル情報を
// 取得中・・・ 3/10"), cleared on every way out, so messages and the shell prompt start on
// a clean line. A file or a pipe gets none of it.
class TerminalProgress {
public:
    // Quiet: nothing shown.
    TerminalProgress(GenToolContext& context, bool quiet, qsizetype total)
        : context_(context), total_(quiet ? 0 : total) {
        show(0);
    }
    ~TerminalProgress() {
        if (shown_)
            context_.writeErr(QStringLiteral("\r\x1b[K"));
    }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    RetrievalProgress events() {
        return {{}, [this](qsizetype index, const QString&) {
                    show(index + 1);
                }};
    }

private:
    void show(qsizetype read) {
        if (!context_.stderrIsTerminal || total_ == 0)
            return;
        shown_ = true;
        context_.writeErr(
            QStringLiteral("\r%1 %2/%3\x1b[K").arg(retrievingText()).arg(read).arg(total_));
    }

    GenToolContext& context_;
    qsizetype total_;
    bool shown_ = false;
};

// A file to be written at the end is checked before the work: a missing folder or a folder
// in the way is known at once.
void checkOutputTarget(const QString& path) {
    if (path.isEmpty())
        return;
    try {
        checkFileTarget(path);
    } catch (const FileWriteError& error) {
        throw GenFailure(kExitOutput, outputNotWrittenText(), error.message());
    }
}

// The settings the window would have: those of "ini" or the settings store's defaults
// (with the Owner and DefPath fallbacks), then the profile's keys over them.
AppSettings loadSettings(const GenProfile& profile, GenToolContext& context) {
    ProfileText ini; // none: every value takes its default
    if (const std::optional<QString> path = profile.iniPath()) {
        // The settings store reads a missing file as all defaults; a named file that is not
        // there is a mistake in the profile, not a wish for defaults.
        try {
            ini = ProfileFile(*path).read(ProfileFile::Missing::IsAnError);
        } catch (const ProfileError& error) {
            throw GenFailure(
                kExitUsage, settingsLoadErrorText(),
                QStringLiteral("%1: \"ini\" の %2").arg(profile.path, error.message()));
        }
    }
    AppSettings settings = settingsFromFile(ini, context.platform);
    profile.applySettings(settings.GenSettings);
    settings.Alias = profile.service;
    settings.UserNM = profile.user;
    return settings;
}

// Whether the service's back end checks a password: ODBC does; the demo database and SQLite
// files take any. A service that resolves to nothing takes none: the logon says why.
bool takesPassword(const QString& service, const SessionEnvironment& environment) {
    try {
        const ServiceKind kind = resolveService(service, environment).kind;
        return kind == ServiceKind::OdbcDataSource || kind == ServiceKind::OdbcConnectionString;
    } catch (const DbError&) {
        return false;
    }
}

QString logonPassword(const GenProfile& profile, GenToolContext& context) {
    if (profile.password)
        return *profile.password;
    if (context.passwordVariable)
        return *context.passwordVariable;
    if (context.promptPassword && takesPassword(profile.service, context.session))
        if (std::optional<QString> typed = context.promptPassword())
            return *typed;
    return QString();
}

std::unique_ptr<Database> logOn(const GenProfile& profile, const QString& password,
                                const SessionEnvironment& environment) {
    try {
        Session session(environment);
        return session.OpenDatabase(profile.service, profile.user + u'/' + password, 0);
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitLogon, cannotOpenDatabaseText(), QString::fromUtf8(error.what()));
    }
}

// What makes one verb's text and what goes with it.
struct GeneratedText {
    // Appends the text; false when no table is public and nothing was generated.
    bool (*generate)(const GeneratorInput& input, const VbOptions& vb, LineSink& lines);
    QString (*failureText)();
    QString (*dateLabel)(); // of the header line --check passes over; nullptr: none
    // The names it writes unquoted that Oracle reserves; nullptr: it writes no code.
    QList<ReservedName> (*reservedNames)(const GeneratorInput& input, const VbOptions& vb);
};

const GeneratedText kPackageText{[](const GeneratorInput& input, const VbOptions&,
                                    LineSink& lines) { return generatePackage(input, lines); },
                                 packageGenerationErrorText, packageDateLabel,
                                 [](const GeneratorInput& input, const VbOptions&) {
                                     return reservedNamesInPackage(input);
                                 }};

const GeneratedText kVbText{generateVbModule, vbGenerationErrorText, moduleDateLabel,
                            reservedNamesInVbModule};

const GeneratedText kCsvText{[](const GeneratorInput& input, const VbOptions&, LineSink& lines) {
                                 tableStructureLines(input.candidates, lines);
                                 return true;
                             },
                             packageGenerationErrorText, nullptr, nullptr};

} // namespace

// One run of a verb: its command line and what the verb's needs gave it.
struct VerbRun {
    VerbRun(const CommandLine& commandLine, GenToolContext& toolContext, GenProfile readProfile)
        : line(commandLine), context(toolContext), profile(std::move(readProfile)) {}

    const CommandLine& line;
    GenToolContext& context;
    GenProfile profile;
    std::unique_ptr<Clock> clock;
    AppSettings settings;
    std::unique_ptr<InputFile> saved; // --check's file
    std::unique_ptr<Database> database;
    QStringList tableList;
    GenerationModel model; // the retrieved candidates
    PlainTableFlags flags; // the profile's flags for them
    // Text for standard output that is a terminal: UTF-8 with LF, and a notice saying so.
    bool showsOnTerminal = false;
};

namespace {

// The run (its model above all) of a process that ends with it, held here so that it is still
// reachable: a leak checker sees memory kept on purpose, not lost. Volatile, since a variable
// of this file that nothing reads is otherwise optimised away with the store, and the run with
// it becomes a leak.
VerbRun* volatile runLeftToTheProcess = nullptr;

// What --quiet silences.
void notice(const VerbRun& run, const QString& text) {
    if (!run.line.quiet)
        run.context.writeErr(toolMessage(text));
}

void writeStandardOutput(GenToolContext& context, const QByteArray& bytes) {
    if (!context.writeOut(bytes))
        throw GenFailure(kExitOutput, outputNotWrittenText(),
                         QStringLiteral("標準出力に書けません"));
}

// The verb's text, encoded in the output's format (Shift-JIS with CR LF, or UTF-8 with LF)
// as it is generated and handed to output in blocks of whole lines: neither the lines nor
// the bytes are ever held whole here. GenFailure when no table is public, when a character
// cannot be encoded or when generation fails.
void generate(const GeneratedText& text, const GeneratorInput& input, const VbOptions& vb,
              TextFormat format, const std::function<void(QByteArrayView)>& output) {
    bool generated = true;
    try {
        EncodedLines lines(format, output);
        generated = text.generate(input, vb, lines);
        lines.finish();
    } catch (const SjisEncodeError& error) {
        throw GenFailure(kExitOutput, outputNotWrittenText(),
                         QString::fromUtf8(error.what()) +
                             QStringLiteral("\n（--utf8 なら UTF-8 で書けます）"));
    } catch (const GenFailure&) {
        throw; // from the output: the saved file of --check could not be read
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitOutput, text.failureText(), QString::fromUtf8(error.what()));
    }
    if (!generated)
        throw GenFailure(kExitNoPublicTable, noPublicTableText());
}

// Names the package or the module writes unquoted although Oracle reserves them: a warning
// on standard error and the run goes on, or with --strict its end before anything is
// written or compared. A warning, not a notice: the text will not compile as it stands, so
// --quiet keeps it.
void warnOfReservedNames(const GeneratedText& text, const GeneratorInput& input,
                         const VerbRun& run) {
    if (!text.reservedNames)
        return;
    QList<ReservedName> names;
    try {
        names = text.reservedNames(input, run.profile.vb);
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitOutput, text.failureText(), QString::fromUtf8(error.what()));
    }
    if (names.isEmpty())
        return;
    const QString detail = reservedNameLines(names).join(u'\n');
    if (run.line.strict)
        throw GenFailure(kExitReservedName, reservedNamesHeading(), detail);
    run.context.writeErr(toolMessage(QStringLiteral("警告: ") + reservedNamesHeading(), detail));
}

[[noreturn]] void refuseCheckedFile(const QString& path, const QString& reason) {
    throw GenFailure(kExitOutput, unreadableSavedFileText(),
                     QStringLiteral("%1: %2").arg(path, reason));
}

// --check: the saved file, opened before any work, so a wrong name fails at once. It is
// read in parts as the comparison goes: a saved file of any size is not held whole.
std::unique_ptr<InputFile> openCheckedFile(const QString& path) {
    try {
        return std::make_unique<InputFile>(path);
    } catch (const InputFileError& error) {
        refuseCheckedFile(path, error.reason());
    }
}

// Same: nothing on standard output. Different: the unified diff there, written as it is
// made, and GenFailure 7.
void checkAgainstSaved(const GeneratedText& text, const GeneratorInput& input, VerbRun& run) {
    const CommandLine& line = run.line;
    const auto readSaved = [&run](qint64 offset, char* to, qint64 size) {
        try {
            return run.saved->readAt(offset, to, size);
        } catch (const InputFileError& error) {
            refuseCheckedFile(run.line.checkPath, error.reason());
        }
    };
    OutputComparer comparer({run.saved->size(), readSaved}, line.utf8,
                            text.dateLabel ? text.dateLabel() : QString());
    generate(text, input, run.profile.vb, line.utf8 ? TextFormat::Utf8 : TextFormat::Sjis,
             [&comparer](QByteArrayView block) { comparer.append(block); });
    const OutputCheck check = comparer.finish(
        line.checkPath,
        QStringLiteral("tamsel-gen %1 %2").arg(line.verb->nameText(), line.profilePath),
        [&run](QByteArrayView block) { writeStandardOutput(run.context, block.toByteArray()); });
    if (check.same)
        return;
    const QString differs = differsFromSavedText(line.checkPath);
    if (!check.diffWritten)
        throw GenFailure(kExitDifferent, differs,
                         lineEndDiffersText(check.lineEndDiffers, line.utf8));
    throw GenFailure(kExitDifferent, differs);
}

// All or nothing: standard output gets the whole text once it is all encoded; a file is
// written through the safe writer as the text comes and replaced only when all of it could
// be generated, encoded and written.
void writeOutput(const GeneratedText& text, const GeneratorInput& input, const VerbRun& run) {
    const TextFormat format =
        run.line.utf8 || run.showsOnTerminal ? TextFormat::Utf8 : TextFormat::Sjis;
    if (run.line.writesStandardOutput()) {
        QByteArray bytes;
        generate(text, input, run.profile.vb, format,
                 [&bytes](QByteArrayView block) { bytes.append(block); });
        writeStandardOutput(run.context, bytes);
        if (run.showsOnTerminal)
            notice(run, QStringLiteral("端末向けに UTF-8、改行 LF で表示しました。ファイル"
                                       "（-o FILE、リダイレクト、パイプ）には Shift-JIS、"
                                       "改行 CR LF で書きます"));
        return;
    }
    SafeFileWriter file(run.line.outputPath);
    generate(text, input, run.profile.vb, format,
             [&file](QByteArrayView block) { file.append(block); });
    try {
        file.commit();
    } catch (const FileWriteError& error) {
        throw GenFailure(kExitOutput, outputNotWrittenText(), error.message());
    }
}

// package, vb and csv: the retrieved candidates with the profile's flags, generated into
// the output or compared with --check's file.
void writeText(VerbRun& run, const GeneratedText& text) {
    const GeneratorInput input{run.model.CandidateList,      run.flags,
                               run.settings.GenSettings,     run.settings.UserNM,
                               run.model.MaxTableNameLength, *run.clock};
    warnOfReservedNames(text, input, run);
    if (run.saved)
        checkAgainstSaved(text, input, run);
    else
        writeOutput(text, input, run);
}

GenProfile readProfile(const QString& path, const GenToolContext& context) {
    try {
        return path == kStandardStream ? readGenProfile(context.standardInput)
                                       : readGenProfile(path);
    } catch (const GenProfileError& error) {
        throw GenFailure(kExitUsage, error.message());
    }
}

// Where -o writes: "-" is standard output, which the safe writer takes as a descriptor of
// the process and writes once the output is complete.
QString outputFile(const CommandLine& line) {
    return line.outputPath == kStandardStream ? QStringLiteral("/dev/stdout") : line.outputPath;
}

// The verb's needs met in their order, then its action.
void run(const CommandLine& line, GenToolContext& context) {
    const GenVerb& verb = *line.verb;
    auto owned = std::make_unique<VerbRun>(line, context, readProfile(line.profilePath, context));
    VerbRun& run = *owned;
    // Also when the run fails: the guard lets go of the run before it would be freed. The
    // database is closed all the same, so that a server sees the session end as it should.
    const auto keep = qScopeGuard([&] {
        if (!context.processEndsWithRun)
            return;
        owned->database.reset();
        runLeftToTheProcess = owned.release();
    });
    const GenProfile& profile = run.profile;

    // Only the package and the module carry a date; a bad SOURCE_DATE_EPOCH stops them
    // before the logon.
    run.clock = verb.needs.testFlag(VerbNeed::HeaderDate) ? headerClock(context.sourceDateEpoch)
                                                          : std::make_unique<SystemClock>();
    if (verb.needs.testFlag(VerbNeed::ListedTables) && profile.tables.isEmpty())
        throw GenFailure(kExitUsage,
                         QStringLiteral("%1: \"tables\" にテーブルがありません").arg(profile.path));
    if (verb.needs.testFlag(VerbNeed::Settings))
        run.settings = loadSettings(profile, context);
    // Output that has no text form (the snapshot) is not sent to a terminal.
    if (line.outputPath == kStandardStream && !verb.takes(VerbOption::Utf8) &&
        (context.stdoutIsTerminal || !context.stdoutIsOpen))
        throw GenFailure(kExitOutput, outputNotWrittenText(),
                         context.stdoutIsOpen
                             ? QStringLiteral("標準出力が端末です（-o FILE、またはパイプか"
                                              "リダイレクトで -o -）")
                             : QStringLiteral("標準出力に書けません"));
    if (!line.writesStandardOutput())
        checkOutputTarget(line.outputPath);
    if (!line.checkPath.isEmpty())
        run.saved = openCheckedFile(line.checkPath);
    run.showsOnTerminal = context.stdoutIsTerminal && verb.takes(VerbOption::Utf8) &&
                          line.outputPath.isEmpty() && line.checkPath.isEmpty() && !line.utf8;

    if (verb.needs.testFlag(VerbNeed::Logon))
        run.database = logOn(profile, logonPassword(profile, context), context.session);
    if (verb.needs.testFlag(VerbNeed::TableList))
        retrieve([&] {
            readTableList(*run.database, [&](const QString& name) { run.tableList.append(name); });
        });
    if (verb.needs.testFlag(VerbNeed::Retrieval)) {
        QList<qsizetype> selection;
        try {
            selection = profile.selectionIn(run.tableList);
        } catch (const GenProfileError& error) {
            throw GenFailure(kExitUsage, error.message());
        }
        run.model.TableCount = static_cast<qint32>(run.tableList.size());
        {
            TerminalProgress progress(context, line.quiet, selection.size());
            retrieve([&] {
                retrieveColumns(*run.database, run.tableList, selection, run.model,
                                progress.events());
            });
        }
        run.database->Close();
        profile.applyTables(run.model.CandidateList, run.flags);
    }
    verb.action(run);
}

} // namespace

void writePackage(VerbRun& run) {
    writeText(run, kPackageText);
}

void writeVbModule(VerbRun& run) {
    writeText(run, kVbText);
}

void writeTableStructure(VerbRun& run) {
    writeText(run, kCsvText);
}

// One name a line in UTF-8, in the table list's order.
void writeTableList(VerbRun& run) {
    if (run.tableList.isEmpty())
        notice(run, noTablesText());
    writeStandardOutput(run.context, encodeUtf8Lines(run.tableList));
}

// The dictionary rows of the profile's tables, or of every table when it lists none,
// written to the -o file.
void writeSnapshot(VerbRun& run) {
    QList<qsizetype> selection;
    if (run.profile.tables.isEmpty()) {
        for (qsizetype p = 0; p < run.tableList.size(); ++p)
            selection.append(p);
    } else {
        try {
            selection = run.profile.selectionIn(run.tableList);
        } catch (const GenProfileError& error) {
            throw GenFailure(kExitUsage, error.message());
        }
    }
    TerminalProgress progress(run.context, run.line.quiet, selection.size());
    try {
        writeDictionarySnapshot(*run.database, run.tableList, selection, outputFile(run.line),
                                progress.events());
    } catch (const FileWriteError& error) {
        throw GenFailure(kExitOutput, outputNotWrittenText(), error.message());
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitRetrieval, retrievalErrorText(), QString::fromUtf8(error.what()));
    }
    run.database->Close();
}

std::unique_ptr<Clock> headerClock(const std::optional<QByteArray>& sourceDateEpoch) {
    if (!sourceDateEpoch || sourceDateEpoch->isEmpty())
        return std::make_unique<SystemClock>();
    bool ok = false;
    const qint64 seconds = sourceDateEpoch->toLongLong(&ok);
    const bool digitsOnly = std::all_of(sourceDateEpoch->begin(), sourceDateEpoch->end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(seconds);
    if (!ok || !digitsOnly || !moment.isValid() || moment.date().year() > 9999)
        throw GenFailure(kExitUsage,
                         QStringLiteral("SOURCE_DATE_EPOCH は 1970-01-01 UTC からの秒数で"
                                        "指定してください"),
                         QString::fromUtf8(*sourceDateEpoch));
    return std::make_unique<FixedClock>(moment);
}

int runGenTool(const CommandLine& line, GenToolContext& context) {
    try {
        run(line, context);
        return kExitDone;
    } catch (const GenFailure& failure) {
        context.writeErr(toolMessage(failure.text(), failure.detail()));
        return failure.status();
    } catch (const std::bad_alloc&) {
        context.writeErr(toolMessage(outOfMemoryText()));
        return kExitOutOfMemory;
    } catch (const std::exception& error) {
        context.writeErr(toolMessage(generalErrorText(QString::fromUtf8(error.what()))));
        return kExitUnexpected;
    }
}
