#pragma once

#include "gen/generator_input.h"
#include "util/line_sink.h"

#include <QString>
#include <QStringList>

#include <optional>

class ProcedureParameters;

// The three check marks of the main window's module menu; they live for one program run
// and are not kept in the settings file.
struct VbOptions {
    bool OracleConst = true;  // declare the Oracle parameter and type constants
    bool ModHeader = true;    // the module header comment block
    bool VbProcHeader = true; // a header comment block per calling function
};

// Composes the Visual Basic module that calls the package's public procedures through
// Oracle Objects for OLE: one calling function per public table, each binding the
// procedure's parameters in the procedure's own order. One object serves one run; it only
// reads its input.
class VbModuleGenerator {
public:
    VbModuleGenerator(const GeneratorInput& input, const VbOptions& options);

    // The whole module appended to lines, or false, with nothing appended, when no
    // candidate table is public.
    bool GenerateLines(LineSink& lines);

    // "Attribute VB_Name", "Option Explicit" and, when chosen, the module header block.
    void AddModuleStart(LineSink& lines) const;
    void AddModuleHeader(LineSink& lines) const;
    // The parameter-mode constants and the type code constants, five of them active.
    void AddOracleConstants(LineSink& lines) const;

    // One calling function for candidate tableIndex, named CallingFunctionName, written
    // section by section (calling_function.cpp): it adds the procedure's parameters and
    // lists their bind variables in exactly the order of the procedure's parameters.
    void AddVbCallingFunction(qsizetype tableIndex, const QString& CallingFunctionName,
                              LineSink& lines) const;

    // The type constant a column of this dictionary type is bound with, and whether the
    // type is a character type (whose array elements carry a size).
    struct OraType {
        QString name;
        bool isCharacter = false;
    };
    static OraType GetOraTypeName(const QString& columnType);

    // "Call_Package" for the first public table, then "Call_Package2", "Call_Package3"...
    static QString CallingFunctionName(int publicProcedureNumber);

private:
    // The calling function being written: its table, its name and the parameters of the
    // procedure it calls.
    struct CallingFunction {
        const TTableSettings& table;
        QString name;
        const ProcedureParameters& parameters;
    };

    // The sections of a calling function, in the order they are written.
    void AddFunctionStart(const CallingFunction& f, LineSink& lines) const;
    void AddDeclarations(const CallingFunction& f, LineSink& lines) const;
    void AddParameterSetup(const CallingFunction& f, LineSink& lines) const;
    void AddArrayObjects(const CallingFunction& f, LineSink& lines) const;
    void AddSqlText(const CallingFunction& f, LineSink& lines) const;
    void AddDataSet(const CallingFunction& f, LineSink& lines) const;
    void AddResult(const CallingFunction& f, LineSink& lines) const;

    const GeneratorInput& input_;
    VbOptions options_;
    QString packageName_;
};

// The module header's creation date line starts with this label; the date follows it.
QString moduleDateLabel();

// The module for the given input appended to out, or false exactly when no candidate table
// is public.
bool generateVbModule(const GeneratorInput& input, const VbOptions& options, LineSink& out);

// The module as a list (the main window's preview), or nothing when no table is public.
std::optional<QStringList> generateVbModuleLines(const GeneratorInput& input,
                                                 const VbOptions& options);
