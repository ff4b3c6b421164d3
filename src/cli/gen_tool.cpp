#include "cli/gen_tool.h"

#include "cli/output_check.h"
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

// The model of a run whose process ends with it, held here so that it is still reachable
// (a leak checker sees memory kept on purpose, not lost).
GenerationModel* modelLeftToTheProcess = nullptr;

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
    TerminalProgress(GenToolContext& context, qsizetype total) : context_(context), total_(total) {
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

// The command's text, encoded in the output's format (Shift-JIS with CR LF, or UTF-8 with
// LF) as it is generated and handed to output in blocks of whole lines: neither the lines
// nor the bytes are ever held whole here. GenFailure when no table is public, when a
// character cannot be encoded or when generation fails.
void generate(const CommandLine& line, const GeneratorInput& input, const VbOptions& vb,
              const std::function<void(QByteArrayView)>& output) {
    const QString failureText =
        line.command == GenCommand::Vb ? vbGenerationErrorText() : packageGenerationErrorText();
    bool generated = true;
    try {
        EncodedLines lines(line.utf8 ? TextFormat::Utf8 : TextFormat::Sjis, output);
        switch (line.command) {
        case GenCommand::Package:
            generated = generatePackage(input, lines);
            break;
        case GenCommand::Vb:
            generated = generateVbModule(input, vb, lines);
            break;
        case GenCommand::Csv:
            tableStructureLines(input.candidates, lines);
            break;
        default:
            break;
        }
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
        throw GenFailure(kExitOutput, failureText, QString::fromUtf8(error.what()));
    }
    if (!generated)
        throw GenFailure(kExitNoPublicTable, noPublicTableText());
}

// Names the package or the module writes unquoted although Oracle reserves them: a warning
// on standard error and the run goes on, or with --strict its end before anything is
// written or compared.
void warnOfReservedNames(const CommandLine& line, const GeneratorInput& input, const VbOptions& vb,
                         GenToolContext& context) {
    QList<ReservedName> names;
    try {
        if (line.command == GenCommand::Package)
            names = reservedNamesInPackage(input);
        else if (line.command == GenCommand::Vb)
            names = reservedNamesInVbModule(input, vb);
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitOutput,
                         line.command == GenCommand::Vb ? vbGenerationErrorText()
                                                        : packageGenerationErrorText(),
                         QString::fromUtf8(error.what()));
    }
    if (names.isEmpty())
        return;
    const QString detail = reservedNameLines(names).join(u'\n');
    if (line.strict)
        throw GenFailure(kExitReservedName, reservedNamesHeading(), detail);
    context.writeErr(toolMessage(QStringLiteral("警告: ") + reservedNamesHeading(), detail));
}

[[noreturn]] void refuseCheckedFile(const QString& path, const QString& reason) {
    throw GenFailure(kExitOutput, QStringLiteral("比較するファイルを読めません"),
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

QString commandName(GenCommand command) {
    switch (command) {
    case GenCommand::Package:
        return QStringLiteral("package");
    case GenCommand::Vb:
        return QStringLiteral("vb");
    default:
        return QStringLiteral("csv");
    }
}

// Same: nothing on standard output. Different: the unified diff there, written as it is
// made, and GenFailure 7.
void checkAgainstSaved(const GeneratorInput& input, const VbOptions& vb, const InputFile& saved,
                       const CommandLine& line, GenToolContext& context) {
    const QString dateLabel = line.command == GenCommand::Package ? packageDateLabel()
                              : line.command == GenCommand::Vb    ? moduleDateLabel()
                                                                  : QString();
    const auto readSaved = [&saved, &line](qint64 offset, char* to, qint64 size) {
        try {
            return saved.readAt(offset, to, size);
        } catch (const InputFileError& error) {
            refuseCheckedFile(line.checkPath, error.reason());
        }
    };
    OutputComparer comparer({saved.size(), readSaved}, line.utf8, dateLabel);
    generate(line, input, vb, [&comparer](QByteArrayView block) { comparer.append(block); });
    const OutputCheck check = comparer.finish(
        line.checkPath,
        QStringLiteral("tamsel-gen %1 %2").arg(commandName(line.command), line.profilePath),
        [&context](QByteArrayView block) {
            if (!context.writeOut(block.toByteArray()))
                throw GenFailure(kExitOutput, outputNotWrittenText(),
                                 QStringLiteral("標準出力に書けません"));
        });
    if (check.same)
        return;
    const QString differs = QStringLiteral("%1 は生成した内容と異なります").arg(line.checkPath);
    if (!check.diffWritten)
        throw GenFailure(kExitDifferent, differs,
                         QStringLiteral("%1 行目の行末が%2ではありません")
                             .arg(check.lineEndDiffers)
                             .arg(line.utf8 ? QStringLiteral("LF") : QStringLiteral("CR LF")));
    throw GenFailure(kExitDifferent, differs);
}

// All or nothing: standard output gets the whole text once it is all encoded; a file is
// written through the safe writer as the text comes and replaced only when all of it could
// be generated, encoded and written.
void writeOutput(const GeneratorInput& input, const VbOptions& vb, const CommandLine& line,
                 GenToolContext& context) {
    if (line.outputPath.isEmpty()) {
        QByteArray bytes;
        generate(line, input, vb, [&bytes](QByteArrayView block) { bytes.append(block); });
        if (!context.writeOut(bytes))
            throw GenFailure(kExitOutput, outputNotWrittenText(),
                             QStringLiteral("標準出力に書けません"));
        return;
    }
    SafeFileWriter file(line.outputPath);
    generate(line, input, vb, [&file](QByteArrayView block) { file.append(block); });
    try {
        file.commit();
    } catch (const FileWriteError& error) {
        throw GenFailure(kExitOutput, outputNotWrittenText(), error.message());
    }
}

// snapshot: the dictionary rows of the profile's tables, or of every table when it lists
// none, written to the -o file.
void takeSnapshot(const GenProfile& profile, const CommandLine& line, GenToolContext& context) {
    checkOutputTarget(line.outputPath);
    const std::unique_ptr<Database> database =
        logOn(profile, logonPassword(profile, context), context.session);
    QStringList tableList;
    retrieve(
        [&] { readTableList(*database, [&](const QString& name) { tableList.append(name); }); });
    QList<qsizetype> selection;
    if (profile.tables.isEmpty()) {
        for (qsizetype p = 0; p < tableList.size(); ++p)
            selection.append(p);
    } else {
        try {
            selection = profile.selectionIn(tableList);
        } catch (const GenProfileError& error) {
            throw GenFailure(kExitUsage, error.message());
        }
    }
    TerminalProgress progress(context, selection.size());
    try {
        writeDictionarySnapshot(*database, tableList, selection, line.outputPath,
                                progress.events());
    } catch (const FileWriteError& error) {
        throw GenFailure(kExitOutput, outputNotWrittenText(), error.message());
    } catch (const std::bad_alloc&) {
        throw GenFailure(kExitOutOfMemory, outOfMemoryText());
    } catch (const std::exception& error) {
        throw GenFailure(kExitRetrieval, retrievalErrorText(), QString::fromUtf8(error.what()));
    }
    database->Close();
}

void run(const CommandLine& line, GenToolContext& context) {
    GenProfile profile;
    try {
        profile = readGenProfile(line.profilePath);
    } catch (const GenProfileError& error) {
        throw GenFailure(kExitUsage, error.message());
    }
    if (line.command == GenCommand::Snapshot)
        return takeSnapshot(profile, line, context);

    // Only the package and the module carry a date; a bad SOURCE_DATE_EPOCH stops them
    // before the logon.
    const std::unique_ptr<Clock> clock =
        line.command == GenCommand::Package || line.command == GenCommand::Vb
            ? headerClock(context.sourceDateEpoch)
            : std::make_unique<SystemClock>();
    if (line.command == GenCommand::Csv && profile.tables.isEmpty())
        throw GenFailure(kExitUsage,
                         QStringLiteral("%1: \"tables\" にテーブルがありません").arg(profile.path));
    const AppSettings settings = loadSettings(profile, context);
    checkOutputTarget(line.outputPath);
    const std::unique_ptr<InputFile> saved =
        line.checkPath.isEmpty() ? nullptr : openCheckedFile(line.checkPath);

    const std::unique_ptr<Database> database =
        logOn(profile, logonPassword(profile, context), context.session);

    QStringList tableList;
    retrieve(
        [&] { readTableList(*database, [&](const QString& name) { tableList.append(name); }); });
    if (line.command == GenCommand::Tables) {
        if (tableList.isEmpty())
            context.writeErr(toolMessage(noTablesText()));
        if (!context.writeOut(encodeUtf8Lines(tableList)))
            throw GenFailure(kExitOutput, outputNotWrittenText(),
                             QStringLiteral("標準出力に書けません"));
        return;
    }

    QList<qsizetype> selection;
    try {
        selection = profile.selectionIn(tableList);
    } catch (const GenProfileError& error) {
        throw GenFailure(kExitUsage, error.message());
    }

    auto owned = std::make_unique<GenerationModel>();
    GenerationModel& model = *owned;
    // Also when the run fails: the guard lets go of the model before it would be freed.
    const auto keep = qScopeGuard([&] {
        if (context.processEndsWithRun)
            modelLeftToTheProcess = owned.release();
    });
    model.TableCount = static_cast<qint32>(tableList.size());
    {
        TerminalProgress progress(context, selection.size());
        retrieve(
            [&] { retrieveColumns(*database, tableList, selection, model, progress.events()); });
    }
    database->Close();

    PlainTableFlags flags;
    profile.applyTables(model.CandidateList, flags);

    const GeneratorInput input{model.CandidateList,      flags,
                               settings.GenSettings,     settings.UserNM,
                               model.MaxTableNameLength, *clock};
    warnOfReservedNames(line, input, profile.vb, context);
    if (saved)
        checkAgainstSaved(input, profile.vb, *saved, line, context);
    else
        writeOutput(input, profile.vb, line, context);
}

} // namespace

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
