#pragma once

#include <QFlags>
#include <QString>
#include <QStringView>

#include <span>

struct VerbRun; // one run of a verb, with what its needs gave it (cli/gen_tool.cpp)

// What a verb needs before its action; the run provides them in this order, so a mistake
// that needs no database is reported before the logon.
enum class VerbNeed : unsigned {
    HeaderDate = 1u << 0,   // SOURCE_DATE_EPOCH read for the header's date
    ListedTables = 1u << 1, // the profile lists at least one table
    Settings = 1u << 2,     // the profile's "ini" and settings
    Logon = 1u << 3,        // an open database
    TableList = 1u << 4,    // the user's tables
    Retrieval = 1u << 5,    // the columns of the profile's tables, as the candidate list
};
Q_DECLARE_FLAGS(VerbNeeds, VerbNeed)
Q_DECLARE_OPERATORS_FOR_FLAGS(VerbNeeds)

// The options a verb takes besides -h/--help and -q/--quiet, which every verb takes.
enum class VerbOption : unsigned {
    Output = 1u << 0,         // -o FILE
    OutputRequired = 1u << 1, // -o FILE must be given
    Check = 1u << 2,          // --check FILE
    Utf8 = 1u << 3,           // --utf8
    Strict = 1u << 4,         // --strict
};
Q_DECLARE_FLAGS(VerbOptions, VerbOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(VerbOptions)

// One verb of tamsel-gen. The command line, the help and the run all read the verb table,
// so a verb is added in one place.
struct GenVerb {
    const char* name;
    const char* arguments; // its usage after the name
    const char* summary;   // what it makes, for the list of verbs
    const char* details;   // what its own --help says after the usage (UTF-8)
    VerbNeeds needs;
    VerbOptions options;
    void (*action)(VerbRun& run); // once its needs are met

    QString nameText() const { return QString::fromLatin1(name); }
    bool takes(VerbOption option) const { return options.testFlag(option); }
};

// The verbs, in the order the help lists them.
std::span<const GenVerb> genVerbs();

// The verb of that name; nullptr when there is none.
const GenVerb* findGenVerb(QStringView name);
