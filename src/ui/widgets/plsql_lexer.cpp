#include "ui/widgets/plsql_lexer.h"

#include <QColor>

namespace {

// The lexer matches words without regard to case, against lower-case lists.
const char* const kKeywords =
    "access add all alter and any as asc at authid begin between body bulk by case check "
    "close cluster collect comment commit compress connect constant continue create current "
    "currval cursor declare default delete desc distinct drop each else elsif end exception "
    "exclusive execute exists exit false fetch for forall from function goto grant group "
    "having if immediate in index insert interface intersect into is level like limit lock "
    "loop merge minus mode nextval nocopy not nowait null of on open option or order others "
    "out package pragma prior procedure public raise range record ref release rename replace "
    "return returning reverse revoke rollback row rowtype savepoint select separate set "
    "share sql start subtype synonym table then to trigger true type union unique update "
    "use using values view when whenever where while with work";

const char* const kDataTypes =
    "bfile binary_double binary_float binary_integer blob boolean char character clob date "
    "dec decimal double float int integer interval long mlslabel natural naturaln nchar "
    "nclob number numeric nvarchar2 pls_integer positive positiven precision raw real rowid "
    "signtype simple_integer smallint string timestamp urowid varchar varchar2 year zone";

// Built-in functions, packages and the predefined exceptions.
const char* const kBuiltIns =
    "abs add_months avg ceil chr coalesce concat count cursor_already_open dbms_lob "
    "dbms_output dbms_sql decode dup_val_on_index floor greatest initcap instr instrb "
    "invalid_cursor invalid_number last_day least length lengthb login_denied lower lpad "
    "ltrim max min mod months_between no_data_found not_logged_on nullif nvl nvl2 "
    "program_error raise_application_error round rownum rpad rtrim sign sqlcode "
    "sqlerrm storage_error substr substrb sum sysdate systimestamp timeout_on_resource "
    "to_char to_date to_number too_many_rows translate trim trunc uid upper user "
    "utl_file value_error zero_divide";

} // namespace

PlSqlLexer::PlSqlLexer(QObject* parent) : QsciLexerSQL(parent) {}

const char* PlSqlLexer::keywords(int set) const {
    switch (set) {
    case 1:
        return kKeywords;
    case 5:
        return kBuiltIns;
    case 6:
        return kDataTypes;
    default:
        // No PLDoc tags and no SQL*Plus commands: a package holds neither. The data types
        // take a user list, since QScintilla gives the SQL lexer's second list no style.
        return nullptr;
    }
}

QColor PlSqlLexer::defaultColor(int style) const {
    switch (style) {
    case Comment:
    case CommentLine:
    case CommentDoc:
    case PlusComment:
    case CommentLineHash:
    case CommentDocKeyword:
    case CommentDocKeywordError:
        return QColor(0x00, 0x80, 0x00);
    case Number:
        return QColor(0x00, 0x80, 0x80);
    case Keyword:
        return QColor(0x00, 0x00, 0xc0);
    case KeywordSet5:
        return QColor(0x80, 0x50, 0x00);
    case KeywordSet6:
        return QColor(0x80, 0x00, 0x80);
    case SingleQuotedString:
    case DoubleQuotedString:
        return QColor(0xa0, 0x00, 0x00);
    default:
        return QColor(0x00, 0x00, 0x00);
    }
}

QColor PlSqlLexer::defaultPaper(int) const {
    return QColor(0xff, 0xff, 0xff);
}

bool PlSqlLexer::defaultEolFill(int) const {
    return false;
}
