#pragma once

#include "gen/generator_input.h"

#include <QString>
#include <QStringList>

#include <optional>

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

    // The whole module, or nothing when no candidate table is public.
    std::optional<QStringList> GenerateLines();

    // "Attribute VB_Name", "Option Explicit" and, when chosen, the module header block.
    void AddModuleStart(QStringList& lines) const;
    void AddModuleHeader(QStringList& lines) const;
    // The parameter-mode constants and the type code constants, five of them active.
    void AddOracleConstants(QStringList& lines) const;

    // One calling function for candidate tableIndex, named CallingFunctionName.
    void AddVbCallingFunction(qsizetype tableIndex, const QString& CallingFunctionName,
                              QStringList& lines);

    // The type constant a column of this dictionary type is bound with; sets
    // LastTypeIsCharacter to whether the type is a character type.
    QString GetOraTypeName(const QString& columnType);
    bool LastTypeIsCharacter = false;

    // "Call_Package" for the first public table, then "Call_Package2", "Call_Package3"...
    static QString CallingFunctionName(int publicProcedureNumber);

private:
    const GeneratorInput& input_;
    VbOptions options_;
    QString packageName_;
};

// The module for the given input, or nullopt exactly when no candidate table is public.
std::optional<QStringList> generateVbModuleLines(const GeneratorInput& input,
                                                 const VbOptions& options);
