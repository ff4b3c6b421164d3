#include "gen/reserved_words.h"

#include "gen/plsql/package_generator.h"
#include "util/blanks.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace {

// The words Oracle reserves, as its SQL Language Reference lists them ("Oracle SQL Reserved
// Words"): those V$RESERVED_WORDS marks RESERVED, which no unquoted identifier may be.
// PRIVILEGES, which the lists up to 11g still carry, stays in: a package may be compiled
// there. COLUMN_VALUE and NESTED_TABLE_ID, reserved only as attribute names of object
// types, are out. PL/SQL's own reserved words (BEGIN, END...) are another list. Sorted, for
// the binary search.
constexpr std::string_view kReservedWords[]{
    "ACCESS",    "ADD",      "ALL",        "ALTER",      "AND",      "ANY",        "AS",
    "ASC",       "AUDIT",    "BETWEEN",    "BY",         "CHAR",     "CHECK",      "CLUSTER",
    "COLUMN",    "COMMENT",  "COMPRESS",   "CONNECT",    "CREATE",   "CURRENT",    "DATE",
    "DECIMAL",   "DEFAULT",  "DELETE",     "DESC",       "DISTINCT", "DROP",       "ELSE",
    "EXCLUSIVE", "EXISTS",   "FILE",       "FLOAT",      "FOR",      "FROM",       "GRANT",
    "GROUP",     "HAVING",   "IDENTIFIED", "IMMEDIATE",  "IN",       "INCREMENT",  "INDEX",
    "INITIAL",   "INSERT",   "INTEGER",    "INTERSECT",  "INTO",     "IS",         "LEVEL",
    "LIKE",      "LOCK",     "LONG",       "MAXEXTENTS", "MINUS",    "MLSLABEL",   "MODE",
    "MODIFY",    "NOAUDIT",  "NOCOMPRESS", "NOT",        "NOWAIT",   "NULL",       "NUMBER",
    "OF",        "OFFLINE",  "ON",         "ONLINE",     "OPTION",   "OR",         "ORDER",
    "PCTFREE",   "PRIOR",    "PRIVILEGES", "PUBLIC",     "RAW",      "RENAME",     "RESOURCE",
    "REVOKE",    "ROW",      "ROWID",      "ROWNUM",     "ROWS",     "SELECT",     "SESSION",
    "SET",       "SHARE",    "SIZE",       "SMALLINT",   "START",    "SUCCESSFUL", "SYNONYM",
    "SYSDATE",   "TABLE",    "THEN",       "TO",         "TRIGGER",  "UID",        "UNION",
    "UNIQUE",    "UPDATE",   "USER",       "VALIDATE",   "VALUES",   "VARCHAR",    "VARCHAR2",
    "VIEW",      "WHENEVER", "WHERE",      "WITH",
};
static_assert(std::is_sorted(std::begin(kReservedWords), std::end(kReservedWords)));

constexpr qsizetype kLongestReservedWord = 10;

// A marker stands for a reserved name in the second run: two noncharacters, which no
// dictionary or settings text holds, around a number.
constexpr char16_t kMarkerOpen = u'\xFDD0';
constexpr char16_t kMarkerClose = u'\xFDD1';

QString marker(qsizetype number) {
    return QChar(kMarkerOpen) + QString::number(number) + QChar(kMarkerClose);
}

// A character that continues an identifier. Beyond ASCII every character does: names in
// the database's character set, and the markers.
bool isIdentifierCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') ||
           u == u'_' || u == u'$' || u == u'#' || u >= 0x80;
}

// Where the code of a line ends and its comment starts.
qsizetype codeEnd(QStringView line, CommentStyle style) {
    if (style == CommentStyle::PlSql) {
        const qsizetype dashes = line.indexOf(u"--");
        return dashes < 0 ? line.size() : dashes;
    }
    bool inString = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            inString = !inString;
        else if (line[i] == u'\'' && !inString)
            return i;
    }
    return line.size();
}

// Thrown through the generator once every name has been found: the rest of the text cannot
// change a first line.
struct AllNamesFound {};

// Takes the lines of the run over the marked input and notes the first line where each
// marked name stands as a whole identifier in code. A line is read only once the next one
// comes, since a writer may still change the last one.
class MarkerScanner final : public LineSink {
public:
    MarkerScanner(CommentStyle style, const QHash<QString, QString>& names)
        : style_(style), names_(names),
          distinctNames_(QSet<QString>(names.cbegin(), names.cend()).size()) {}

    void append(QString line) override {
        scanPending();
        pending_ = std::move(line);
        hasPending_ = true;
    }
    QString& last() override { return pending_; }
    bool isEmpty() const override { return lineNumber_ == 0 && !hasPending_; }

    QList<ReservedName> finish() {
        scanPending();
        return std::move(found_);
    }

private:
    void scanPending() {
        if (!hasPending_)
            return;
        hasPending_ = false;
        ++lineNumber_;
        const QStringView line(pending_);
        const qsizetype end = codeEnd(line, style_);
        for (qsizetype at = line.indexOf(QChar(kMarkerOpen)); at >= 0 && at < end;
             at = line.indexOf(QChar(kMarkerOpen), at)) {
            qsizetype start = at;
            while (start > 0 && isIdentifierCharacter(line[start - 1]))
                --start;
            at = line.indexOf(QChar(kMarkerClose), at);
            if (at < 0)
                return;
            while (at < end && isIdentifierCharacter(line[at]))
                ++at;
            const auto name = names_.constFind(line.sliced(start, at - start).toString());
            if (name != names_.cend() && !seen_.contains(*name)) {
                seen_.insert(*name);
                found_.append({*name, lineNumber_});
                if (found_.size() == distinctNames_)
                    throw AllNamesFound{};
            }
        }
    }

    CommentStyle style_;
    const QHash<QString, QString>& names_; // a marked identifier -> the name it stands for
    qsizetype distinctNames_;
    QString pending_;
    bool hasPending_ = false;
    qsizetype lineNumber_ = 0;
    QSet<QString> seen_;
    QList<ReservedName> found_;
};

} // namespace

bool isOracleReservedWord(QStringView word) {
    if (word.size() < 2 || word.size() > kLongestReservedWord)
        return false;
    std::array<char, kLongestReservedWord> upper{};
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c >= u'a' && c <= u'z')
            upper[i] = static_cast<char>(c - u'a' + 'A');
        else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            upper[i] = static_cast<char>(c);
        else
            return false;
    }
    return std::binary_search(std::begin(kReservedWords), std::end(kReservedWords),
                              std::string_view(upper.data(), static_cast<size_t>(word.size())));
}

QList<ReservedName> findReservedNames(const GeneratorInput& input, CommentStyle style,
                                      const TextGenerator& generate) {
    // The marked copy: each reserved name swapped for a marker, and what the marked
    // identifier stands for. A prefix join marks its table, since the join is formed inside
    // the generator; the identifier looked for is then the prefix and the table's marker.
    TCandidateList candidates = input.candidates;
    TPackParameters settings = input.settings;
    QString userName = input.userName;
    QHash<QString, QString> names;
    qsizetype markers = 0;

    const std::array<const QString*, 6> prefixes{&settings.Public, &settings.Custom, &settings.Set,
                                                 &settings.Clr,    &settings.INS,    &settings.UPD};
    for (qsizetype i = 0; i < input.candidates.size(); ++i) {
        const TTableSettings& table = input.candidates[i];
        const QString& T = table.TableName;
        QString tableMarker;
        const auto markTable = [&]() -> const QString& {
            if (tableMarker.isEmpty()) {
                tableMarker = marker(markers++);
                candidates[i].TableName = tableMarker;
            }
            return tableMarker;
        };
        if (isOracleReservedWord(T))
            names.insert(markTable(), T);
        for (const QString* prefix : prefixes)
            if (prefix->size() + T.size() <= kLongestReservedWord &&
                isOracleReservedWord(*prefix + T))
                names.insert(*prefix + markTable(), *prefix + T);
        const qsizetype columns = table.usableColumnCount();
        for (qsizetype j = 0; j < columns; ++j) {
            const QString& column = table.ColumnNames[j];
            if (!isOracleReservedWord(column))
                continue;
            const QString columnMarker = marker(markers++);
            candidates[i].ColumnNames[j] = columnMarker;
            names.insert(columnMarker, column);
        }
    }
    // A stored package name is written as stored, blanks around it and all; a generated one
    // ends in "_PACK" and is never reserved.
    const QString packageName = settings.PackName.trimmed();
    if (!isBlankOnly(settings.PackName) && isOracleReservedWord(packageName)) {
        const QString packageMarker = marker(markers++);
        settings.PackName.replace(settings.PackName.indexOf(packageName), packageName.size(),
                                  packageMarker);
        names.insert(packageMarker, packageName);
    }
    if (isOracleReservedWord(userName)) {
        const QString userMarker = marker(markers++);
        names.insert(userMarker, userName);
        userName = userMarker;
    }
    if (names.isEmpty())
        return {};

    const GeneratorInput marked{
        candidates, input.flags, settings, userName, input.maxTableNameLength, input.clock};
    MarkerScanner scanner(style, names);
    try {
        generate(marked, scanner);
        return scanner.finish();
    } catch (const AllNamesFound&) {
        return scanner.finish();
    }
}

QList<ReservedName> reservedNamesInPackage(const GeneratorInput& input) {
    return findReservedNames(input, CommentStyle::PlSql, generatePackage);
}

QList<ReservedName> reservedNamesInVbModule(const GeneratorInput& input, const VbOptions& options) {
    return findReservedNames(input, CommentStyle::VisualBasic,
                             [&options](const GeneratorInput& marked, LineSink& lines) {
                                 return generateVbModule(marked, options, lines);
                             });
}

QString reservedNamesHeading() {
    return QStringLiteral("Oracle の予約語が引用符なしの名前になっています。このままでは"
                          "コンパイルできません（引用符で囲むか、名前や接頭語を変えてください）");
}

QStringList reservedNameLines(const QList<ReservedName>& names, qsizetype shown) {
    const qsizetype listed = shown < 0 ? names.size() : std::min(shown, names.size());
    QStringList lines;
    lines.reserve(listed + 1);
    for (qsizetype i = 0; i < listed; ++i)
        lines.append(QStringLiteral("%1（%2 行目）").arg(names[i].name).arg(names[i].line));
    if (listed < names.size())
        lines.append(QStringLiteral("ほか %1 件").arg(names.size() - listed));
    return lines;
}
