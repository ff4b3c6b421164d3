#pragma once

#include "gen/generator_input.h"
#include "gen/vb/vb_module_generator.h"
#include "util/line_sink.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// Whether Oracle reserves the word, so that it cannot be an unquoted identifier. A-Z are
// compared without regard to case, as Oracle folds unquoted identifiers.
bool isOracleReservedWord(QStringView word);

// A name the generated text writes unquoted although Oracle reserves it, and the first line
// of the text (counted from 1) where it stands as code.
struct ReservedName {
    QString name;
    qsizetype line = 0;
    bool operator==(const ReservedName&) const = default;
};

// Where comments start in a generated text: "--" in PL/SQL; in Visual Basic an apostrophe
// outside a string.
enum class CommentStyle { PlSql, VisualBasic };

// A generator run: the text for the input appended to the sink; false when no table is
// public.
using TextGenerator = std::function<bool(const GeneratorInput&, LineSink&)>;

// The names the generator forms from the input that Oracle reserves: table and column
// names, a settings prefix joined to a table name ("i" + "N"), the package name and the
// schema (the user name). The words of the templates themselves are never looked at. Each
// name once, with the first line where it stands outside a comment, in line order; a
// reserved name the text never writes as code is left out. Only when the input holds such a
// name does it run the generator a second time, over a copy of the input with those names
// swapped for markers no dictionary name contains, so that every place a name lands is known
// for certain however the templates place it; that run stops once every name is found.
// Exceptions of the generator pass through.
QList<ReservedName> findReservedNames(const GeneratorInput& input, CommentStyle style,
                                      const TextGenerator& generate);

// The same for the package (F5) and the module (F6). A module holds only the package name
// and the public procedures' names as Oracle sees them (in the block it runs); the tables'
// and columns' names reach it only inside longer names.
QList<ReservedName> reservedNamesInPackage(const GeneratorInput& input);
QList<ReservedName> reservedNamesInVbModule(const GeneratorInput& input, const VbOptions& options);

// The notice of the main window and the warning of tamsel-gen: a heading and one line per
// name, "DATE（12 行目）"; at most `shown` of them (all when negative), the rest counted.
QString reservedNamesHeading();
QStringList reservedNameLines(const QList<ReservedName>& names, qsizetype shown = -1);
