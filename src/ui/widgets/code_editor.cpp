#include "ui/widgets/code_editor.h"

#include "ui/widgets/plsql_lexer.h"
#include "ui/widgets/vb_lexer.h"

#include <QKeyEvent>
#include <QStringEncoder>

#include <algorithm>

namespace {

// Generated text goes to the editor in pieces of about this size, so that it is never
// held whole a second time as UTF-8.
constexpr qsizetype kFillChunk = 1 << 20;

} // namespace

CodeEditor::CodeEditor(QWidget* parent)
    : QsciScintilla(parent), font_(QWidget::font()), plsql_(new PlSqlLexer(this)),
      vb_(new VbLexer(this)) {
    setUtf8(true);
    setEolMode(EolUnix);
    setWrapMode(WrapNone);
    setIndentationsUseTabs(true);
    setTabWidth(8);
    // The scroll range follows the widest line shown so far, so no line is measured before
    // it is drawn.
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1L);
    SendScintilla(SCI_SETSCROLLWIDTH, 1L);
    // A jump far down (F3, Ctrl+G, Ctrl+End) paints at once and colours the lines above it
    // a piece at a time while the program is idle: a lexer reads from the top.
    SendScintilla(SCI_SETIDLESTYLING, long(SC_IDLESTYLING_TOVISIBLE));
    setMarginLineNumbers(0, true);
    setMarginWidth(1, 0);
    setMarginWidth(2, 0);
    // After every setting that reconfigures the scroll bars (the wrap mode does).
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLexer(plsql_);
    SendScintilla(SCI_SETPROPERTY, "fold", "0");
    applyFonts();
    connect(this, &QsciScintilla::linesChanged, this, &CodeEditor::fitLineNumbers);
    fitLineNumbers();
}

CodeEditor::~CodeEditor() = default;

void CodeEditor::setTextFont(const QFont& font) {
    font_ = font;
    QWidget::setFont(font);
    for (QsciLexer* lexer : {static_cast<QsciLexer*>(plsql_), static_cast<QsciLexer*>(vb_)}) {
        lexer->setDefaultFont(font);
        lexer->setFont(font, -1);
    }
    applyFonts();
    numberDigits_ = 0;
    fitLineNumbers();
}

void CodeEditor::applyFont(int style) {
    const QByteArray family = font_.family().toUtf8();
    // Scintilla sizes fonts in points; a size in pixels becomes the points that give those
    // pixels on this screen.
    const double points =
        font_.pointSizeF() > 0 ? font_.pointSizeF() : font_.pixelSize() * 72.0 / logicalDpiY();
    SendScintilla(SCI_STYLESETFONT, style, family.constData());
    SendScintilla(SCI_STYLESETSIZEFRACTIONAL, style,
                  long(points * int(SC_FONT_SIZE_MULTIPLIER) + 0.5));
    // A negative weight is taken as Qt's own weight.
    SendScintilla(SCI_STYLESETWEIGHT, style, -long(font_.weight()));
    SendScintilla(SCI_STYLESETITALIC, style, long(font_.italic()));
    SendScintilla(SCI_STYLESETUNDERLINE, style, 0L);
}

void CodeEditor::applyFonts() {
    // Every style, whichever the lexer uses, and the margin's: one font for the whole text.
    for (int style = 0; style <= STYLE_MAX; ++style)
        applyFont(style);
}

void CodeEditor::useLanguage(CodeLanguage language) {
    QsciLexer* wanted = language == CodeLanguage::VisualBasic ? static_cast<QsciLexer*>(vb_)
                                                              : static_cast<QsciLexer*>(plsql_);
    language_ = language;
    if (lexer() == wanted)
        return;
    // Called on an empty text: setting a lexer colours the whole text at once.
    setLexer(wanted);
    // Folding is not offered; the SQL lexer would work out fold levels for every line.
    SendScintilla(SCI_SETPROPERTY, "fold", "0");
    // QScintilla has just set the lexer's fonts through its Latin-1 path.
    applyFonts();
}

void CodeEditor::replaceLines(const QStringList& lines, CodeLanguage language) {
    // QScintilla tells accessibility of every change with the change's place counted in
    // characters from the start of the text: filling piece by piece would count the text
    // again for every piece. The editor says nothing until the text is in.
    const long events = SendScintilla(SCI_GETMODEVENTMASK);
    SendScintilla(SCI_SETMODEVENTMASK, 0L);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_SETSCROLLWIDTH, 1L);
    useLanguage(language);
    try {
        appendLines(lines);
    } catch (...) {
        // Out of memory half-way: no part of a text may pass for the whole of it.
        SendScintilla(SCI_CLEARALL);
        filled(events);
        throw;
    }
    filled(events);
}

void CodeEditor::filled(long events) {
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_SETSAVEPOINT);
    SendScintilla(SCI_GOTOPOS, 0L);
    SendScintilla(SCI_SETMODEVENTMASK, events);
    emit linesChanged();
    emit textChanged();
}

namespace {

// The UTF-8 size of the lines with their line breaks, or a little more (a surrogate pair
// counts six bytes, not four).
qsizetype utf8Size(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines) {
        size += line.size() + 1;
        for (const QChar c : line)
            size += (c.unicode() >= 0x80) + (c.unicode() >= 0x800);
    }
    return size;
}

} // namespace

void CodeEditor::appendLines(const QStringList& lines) {
    // The whole text's room at once: growing the buffer piece by piece would copy it
    // several times and leave up to a sixth of it unused.
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(utf8Size(lines) + 1));
    QStringEncoder toUtf8(QStringConverter::Utf8);
    QByteArray chunk;
    chunk.reserve(kFillChunk + 1024);
    const auto flush = [&] {
        if (!chunk.isEmpty())
            SendScintilla(SCI_APPENDTEXT, static_cast<uintptr_t>(chunk.size()), chunk.constData());
        chunk.resize(0);
    };
    for (const QString& line : lines) {
        const qsizetype used = chunk.size();
        chunk.resize(used + toUtf8.requiredSpace(line.size()) + 1);
        char* end = toUtf8.appendToBuffer(chunk.data() + used, line);
        *end++ = '\n';
        chunk.resize(end - chunk.constData());
        if (chunk.size() >= kFillChunk)
            flush();
    }
    flush();
}

void CodeEditor::clearText() {
    replaceLines({}, language_);
}

bool CodeEditor::isEmpty() const {
    return SendScintilla(SCI_GETLENGTH) == 0;
}

QStringList CodeEditor::textLines() const {
    const qsizetype length = SendScintilla(SCI_GETLENGTH);
    const char* text = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    QStringList lines;
    lines.reserve(SendScintilla(SCI_GETLINECOUNT));
    qsizetype begin = 0;
    const auto take = [&](qsizetype end) {
        lines.append(QString::fromUtf8(text + begin, end - begin));
    };
    for (qsizetype i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            take(i);
            if (c == '\r' && i + 1 < length && text[i + 1] == '\n')
                ++i;
            begin = i + 1;
        } else if (c == '\xe2' && i + 2 < length && text[i + 1] == '\x80' &&
                   (text[i + 2] == '\xa8' || text[i + 2] == '\xa9')) {
            // U+2028 and U+2029 end a line wherever the text came from.
            take(i);
            i += 2;
            begin = i + 1;
        }
    }
    if (begin < length)
        take(length);
    return lines;
}

bool CodeEditor::findText(const QString& text, bool forward, bool caseSensitive) {
    if (text.isEmpty())
        return false;
    const QByteArray needle = text.toUtf8();
    const long length = SendScintilla(SCI_GETLENGTH);
    SendScintilla(SCI_SETSEARCHFLAGS, caseSensitive ? long(SCFIND_MATCHCASE) : 0L);
    const auto search = [&](long from, long to) {
        // A range that runs backwards searches backwards.
        SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
        return SendScintilla(SCI_SEARCHINTARGET, static_cast<uintptr_t>(needle.size()),
                             needle.constData());
    };
    long found = forward ? search(SendScintilla(SCI_GETSELECTIONEND), length)
                         : search(SendScintilla(SCI_GETSELECTIONSTART), 0);
    if (found < 0)
        found = forward ? search(0, length) : search(length, 0);
    if (found < 0)
        return false;
    const long foundEnd = SendScintilla(SCI_GETTARGETEND);
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(found), foundEnd);
    SendScintilla(SCI_ENSUREVISIBLEENFORCEPOLICY,
                  static_cast<unsigned long>(SendScintilla(SCI_LINEFROMPOSITION, found)));
    return true;
}

void CodeEditor::goToLine(int line) {
    const long last = SendScintilla(SCI_GETLINECOUNT);
    const long index = std::clamp(long(line), 1L, last) - 1;
    SendScintilla(SCI_GOTOLINE, static_cast<unsigned long>(index));
    SendScintilla(SCI_ENSUREVISIBLEENFORCEPOLICY, static_cast<unsigned long>(index));
}

int CodeEditor::caretLine() const {
    return int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS))) + 1;
}

void CodeEditor::fitLineNumbers() {
    const int digits = int(QString::number(lines()).size());
    if (digits == numberDigits_)
        return;
    numberDigits_ = digits;
    // A digit to spare as room on either side.
    setMarginWidth(0, QString(digits + 1, u'9'));
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool tabKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tabKey && modifiers.testFlag(Qt::ControlModifier)) {
        const bool backwards =
            event->key() == Qt::Key_Backtab || modifiers.testFlag(Qt::ShiftModifier);
        // QsciScintilla keeps Tab for the text; the window's tab order is QWidget's.
        QWidget::focusNextPrevChild(!backwards);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Tab && modifiers == Qt::NoModifier && !isReadOnly()) {
        // Scintilla's own Tab re-indents a line whose indentation the caret is in, turning
        // its blanks into tabs; here it only ever puts a tab in the selection's place.
        SendScintilla(SCI_REPLACESEL, "\t");
        event->accept();
        return;
    }
    QsciScintilla::keyPressEvent(event);
}
