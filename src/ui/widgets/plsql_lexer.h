#pragma once

#include <Qsci/qscilexersql.h>

// Scintilla's SQL lexer with Oracle's PL/SQL words: keywords, data types, and the built-in
// functions, packages and exceptions a package calls. Comments, strings and numbers are
// the SQL lexer's own. Every style is drawn in one font (the editor sets it), so that
// colouring never moves a character.
class PlSqlLexer : public QsciLexerSQL {
    Q_OBJECT
public:
    explicit PlSqlLexer(QObject* parent = nullptr);

    const char* keywords(int set) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    bool defaultEolFill(int style) const override;
};
