#pragma once

#include <Qsci/qsciscintilla.h>

#include <QFont>
#include <QStringList>

class PlSqlLexer;
class VbLexer;

// The languages the editor colours.
enum class CodeLanguage { PlSql, VisualBasic };

// A plain-text editor for generated code: one fixed font, no wrapping, both scroll bars,
// line numbers in a margin, colouring by language that never changes the text, and
// styling only as far down as the text has been shown. Tab inserts a tab character and
// nothing else; Ctrl+Tab and Ctrl+Shift+Tab leave the editor for the next and the
// previous control of the window's tab order.
class CodeEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);
    ~CodeEditor() override;

    // The font of the text, of every style of every language and of the line numbers.
    // QsciScintilla's own setFont passes a family name as Latin-1 and a size in points
    // only; this keeps a Japanese family name and a size in pixels.
    void setTextFont(const QFont& font);

    CodeLanguage language() const { return language_; }
    // Replaces the whole text with the lines, each followed by a line break, coloured as
    // language. Nothing of it is kept for undo: the text before cannot come back, and a
    // large text is not held twice.
    void replaceLines(const QStringList& lines, CodeLanguage language);
    // Empties the editor the same way.
    void clearText();
    bool isEmpty() const;
    // The lines of the text: a line break (LF, CR LF, CR, or the Unicode line and paragraph
    // separators) ends a line, and the text's last line break starts no further line.
    QStringList textLines() const;

    // Selects the next occurrence of text after the selection (forward) or the previous one
    // before it, going round the end of the text, and shows it. False when there is none.
    bool findText(const QString& text, bool forward, bool caseSensitive);
    // Puts the caret at the start of a line counted from 1 (kept within the text) and shows it.
    void goToLine(int line);
    // The caret's line, counted from 1.
    int caretLine() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void useLanguage(CodeLanguage language);
    void appendLines(const QStringList& lines);
    // After a fill: nothing to undo, the caret at the start, and the change told once.
    void filled(long events);
    void applyFont(int style);
    void applyFonts();
    void fitLineNumbers();

    QFont font_;
    CodeLanguage language_ = CodeLanguage::PlSql;
    PlSqlLexer* plsql_;
    VbLexer* vb_;
    int numberDigits_ = 0;
};
