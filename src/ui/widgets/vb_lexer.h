#pragma once

#include <Qsci/qscilexercustom.h>

// Visual Basic as the module generator writes it: keywords, comments (after ' or Rem) and
// strings. No construct of a module runs past its line's end, so any line is styled alone
// and styling starts wherever the editor asks. Every style is drawn in one font (the
// editor sets it), so that colouring never moves a character.
class VbLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    enum Style { Default = 0, Comment = 1, String = 2, Keyword = 3 };

    explicit VbLexer(QObject* parent = nullptr);

    const char* language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    // Styles the whole lines from the line that holds start up to end.
    void styleText(int start, int end) override;
};
