#include "ui/widgets/vb_lexer.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>
#include <QColor>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Lower case, sorted for a binary search.
constexpr std::array<std::string_view, 83> kKeywords = {
    "and",        "as",       "attribute", "boolean",  "byref",      "byte",     "byval",
    "call",       "case",     "const",     "currency", "date",       "declare",  "dim",
    "do",         "double",   "each",      "else",     "elseif",     "empty",    "end",
    "enum",       "eqv",      "erase",     "error",    "exit",       "explicit", "false",
    "for",        "function", "get",       "global",   "gosub",      "goto",     "if",
    "imp",        "in",       "integer",   "is",       "let",        "lib",      "like",
    "long",       "loop",     "me",        "mod",      "new",        "next",     "not",
    "nothing",    "null",     "object",    "on",       "option",     "optional", "or",
    "paramarray", "preserve", "private",   "property", "public",     "redim",    "resume",
    "return",     "select",   "set",       "single",   "static",     "step",     "stop",
    "string",     "sub",      "then",      "to",       "true",       "type",     "until",
    "variant",    "wend",     "while",     "with",     "withevents", "xor",
};

bool isKeyword(std::string_view word) {
    if (word.size() > 16)
        return false;
    std::array<char, 16> lower{};
    for (std::size_t k = 0; k < word.size(); ++k)
        lower[k] = (word[k] >= 'A' && word[k] <= 'Z') ? char(word[k] - 'A' + 'a') : word[k];
    const std::string_view key(lower.data(), word.size());
    return std::binary_search(kKeywords.begin(), kKeywords.end(), key);
}

bool isWordStart(unsigned char c) {
    // Bytes of a UTF-8 sequence belong to words: a Japanese name is a name.
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool isWordPart(unsigned char c) {
    return isWordStart(c) || (c >= '0' && c <= '9');
}

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

VbLexer::VbLexer(QObject* parent) : QsciLexerCustom(parent) {}

const char* VbLexer::language() const {
    return "Visual Basic";
}

QString VbLexer::description(int style) const {
    switch (style) {
    case Default:
        return QStringLiteral("Default");
    case Comment:
        return QStringLiteral("Comment");
    case String:
        return QStringLiteral("String");
    case Keyword:
        return QStringLiteral("Keyword");
    default:
        return {};
    }
}

QColor VbLexer::defaultColor(int style) const {
    switch (style) {
    case Comment:
        return QColor(0x00, 0x80, 0x00);
    case String:
        return QColor(0xa0, 0x00, 0x00);
    case Keyword:
        return QColor(0x00, 0x00, 0xc0);
    default:
        return QColor(0x00, 0x00, 0x00);
    }
}

QColor VbLexer::defaultPaper(int) const {
    return QColor(0xff, 0xff, 0xff);
}

void VbLexer::styleText(int start, int end) {
    QsciScintilla* editor = this->editor();
    if (!editor || end <= start)
        return;
    start = int(editor->SendScintilla(
        QsciScintillaBase::SCI_POSITIONFROMLINE,
        editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, start)));
    const int length = end - start;
    // A copy of the range: a pointer result does not fit in the long QScintilla returns on
    // 64-bit Windows.
    QByteArray range(length + 1, '\0');
    editor->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, start, end, range.data());
    const char* text = range.constData();

    startStyling(start);
    // Runs of one style go to the editor whole.
    int runStart = 0;
    Style runStyle = Default;
    const auto mark = [&](int from, Style style) {
        if (style == runStyle)
            return;
        if (from > runStart)
            setStyling(from - runStart, runStyle);
        runStart = from;
        runStyle = style;
    };
    const auto lineEnd = [&](int from) {
        while (from < length && !isLineEnd(text[from]))
            ++from;
        return from;
    };

    bool statementStart = true; // Rem is a comment only where a statement begins
    int i = 0;
    while (i < length) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLineEnd(char(c))) {
            mark(i, Default);
            statementStart = true;
            ++i;
        } else if (c == '\'') {
            mark(i, Comment);
            i = lineEnd(i);
        } else if (c == '"') {
            mark(i, String);
            ++i;
            // A doubled quote is a quote inside the string; a string ends at its line's end.
            while (i < length && !isLineEnd(text[i])) {
                if (text[i] == '"') {
                    if (i + 1 < length && text[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            statementStart = false;
        } else if (isWordStart(c)) {
            int wordEnd = i + 1;
            while (wordEnd < length && isWordPart(static_cast<unsigned char>(text[wordEnd])))
                ++wordEnd;
            const std::string_view word(text + i, std::size_t(wordEnd - i));
            const bool rem = statementStart && word.size() == 3 && (word[0] | 0x20) == 'r' &&
                             (word[1] | 0x20) == 'e' && (word[2] | 0x20) == 'm' &&
                             (wordEnd == length || text[wordEnd] == ' ' || text[wordEnd] == '\t' ||
                              isLineEnd(text[wordEnd]));
            if (rem) {
                mark(i, Comment);
                i = lineEnd(wordEnd);
            } else {
                mark(i, isKeyword(word) ? Keyword : Default);
                i = wordEnd;
            }
            statementStart = false;
        } else {
            mark(i, Default);
            if (c == ':')
                statementStart = true;
            else if (c != ' ' && c != '\t')
                statementStart = false;
            ++i;
        }
    }
    if (length > runStart)
        setStyling(length - runStart, runStyle);
}
