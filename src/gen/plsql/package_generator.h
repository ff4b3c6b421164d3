#pragma once

#include "gen/generator_input.h"
#include "util/line_sink.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class ProcedureParameters;

// The routine a header block stands before.
enum class RoutineKind {
    Insert,          // INS + T
    Update,          // UPD + T
    Clear,           // Clr + T
    Set,             // Set + T
    PublicProcedure, // Public + T
    Customization,   // Custom + T, written by hand
};

// One run of the PL/SQL package generator. An object lives exactly as long as one
// generation: IndentText and CommentRule are set when it is made and vanish with it, so a
// changed Indent takes effect at the next run. It only reads its input.
//
// Every Add... member appends lines to OutputLines (a list for the preview, an encoder for
// tamsel-gen); a few rewrite the last line they appended to drop a trailing comma. The
// driver, GeneratePackage, calls them at fixed points of the package layout.
class PackageGenerator {
public:
    explicit PackageGenerator(const GeneratorInput& input);

    // The whole text: the package specification, the body declarations and the body
    // routines. Forms the package name first; the caller has made sure a table is public.
    void GeneratePackage(LineSink& OutputLines);

    // Driver pieces (package_generator.cpp).
    void AddPackageHeader(LineSink& OutputLines) const;
    // Callers test ProcHeader themselves.
    void AddRoutineHeader(LineSink& OutputLines, const QString& tableName, RoutineKind kind) const;

    // Declarations of the package specification (public_declarations.cpp).
    void AddTableTypes(LineSink& OutputLines, qsizetype tableIndex) const;
    void AddGenericArgumentTypes(LineSink& OutputLines) const;
    void AddPublicProcedureDeclarations(LineSink& OutputLines) const;

    // Body declarations (body_declarations.cpp).
    void AddBodyGlobals(LineSink& OutputLines) const;
    void AddItemVariables(LineSink& OutputLines) const;
    void AddFunctionDefinitions(LineSink& OutputLines) const;

    // Body routines (access_functions.cpp, public_procedures.cpp,
    // customization_functions.cpp).
    void AddTableAccessFunctions(LineSink& OutputLines) const;
    void AddPublicProcedures(LineSink& OutputLines) const;
    void AddPublicProcedure(LineSink& OutputLines, qsizetype tableIndex) const;
    void AddArgumentCopyIn(LineSink& OutputLines, qsizetype tableIndex,
                           const ProcedureParameters& parameters) const;
    void AddCustomizationFunctions(LineSink& OutputLines) const;

private:
    // Text derived once per run from a candidate table, because several sections repeat it.
    struct TableText {
        QString lowerName;           // the table name with A-Z lower-cased
        qint32 nameLength = 0;       // Shift-JIS bytes of the table name
        qsizetype columnCount = 0;   // columns every section walks
        QList<qint32> columnLengths; // Shift-JIS bytes of each column name
        QStringList itemNames;       // lower(T + "_" + Col): the body's item variables
    };

    // Table t's public procedure's parameters, padded from the column lengths held here.
    ProcedureParameters procedureParameters(qsizetype t) const;

    // The public procedure's parameters, one line each starting with lead, for the package
    // specification's declaration and the body's procedure alike. Drops the comma of the
    // last parameter.
    void AddParameterLines(LineSink& OutputLines, const ProcedureParameters& parameters,
                           QStringView lead) const;

    // Blanks after a column name of table t, and after a table name.
    qint32 columnPad(qsizetype t, qsizetype column) const;
    qint32 tablePad(qsizetype t) const;

    const GeneratorInput& input_;
    std::vector<TableText> tables_;

    QString IndentText;  // one indentation step: Indent blanks (none when Indent <= 0)
    QString CommentRule; // the 50 asterisks of comment block rules
    QString PackageName;
};

// The package header's creation date line starts with this label; the date follows it.
QString packageDateLabel();

// The one entry point of the package command: the lines of the package appended to out,
// or false, with nothing appended, when no candidate table is public. Any other failure is
// an exception (std::bad_alloc when memory runs out, whatever out throws), for the caller
// to turn into its message.
bool generatePackage(const GeneratorInput& input, LineSink& out);

// The package as a list (the main window's preview), or nothing when no table is public.
std::optional<QStringList> generatePackageLines(const GeneratorInput& input);
