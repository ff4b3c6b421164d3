#include "ui/main/preview_pane.h"

#include "gen/csv/table_structure.h"
#include "settings/settings.h"
#include "ui/messages.h"
#include "ui/widgets/code_editor.h"
#include "util/report.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

PreviewPane::PreviewPane(CodeEditor* editor, QAction* saveAction, const TPackParameters& settings,
                         QObject* parent)
    : QObject(parent), editor_(editor), saveAction_(saveAction), settings_(settings) {
    setObjectName(QStringLiteral("Preview"));
    editor_->clearText();
    connect(editor_, &CodeEditor::textChanged, this,
            [this] { runGuarded([this] { MEM_PreviewChange(); }); });
    MEM_PreviewChange();
}

QStringList PreviewPane::PreviewLines() const {
    return editor_->textLines();
}

void PreviewPane::ReplacePreview(const QStringList& lines, bool isVb) {
    editor_->replaceLines(lines, isVb ? CodeLanguage::VisualBasic : CodeLanguage::PlSql);
    previewIsVb_ = isVb;
}

QString PreviewPane::LastSavedFileOrFolder(bool isVb) const {
    const SaveLocation& last = isVb ? module_ : package_;
    const QString file = last.folder.isEmpty() ? QString() : QDir(last.folder).filePath(last.name);
    return QFileInfo(file).isFile() ? file : last.initialFolder(settings_.DefPath);
}

bool PreviewPane::isEmpty() const {
    return editor_->isEmpty();
}

void PreviewPane::clear() {
    editor_->clearText(); // disables the save item through the change handler
}

void PreviewPane::MEM_PreviewChange() {
    saveAction_->setEnabled(!isEmpty());
}

void PreviewPane::MNU_SaveClick(QWidget* parent, TextFormat format) {
    const QStringList lines = PreviewLines();
    // Refused before anything is chosen or written: code page 932 cannot hold everything a
    // user may type, and a "?" in its place would lose it.
    for (qsizetype n = 0; format == TextFormat::Sjis && n < lines.size(); ++n) {
        if (const std::optional<SjisUnencodable> bad = findSjisUnencodable(lines[n])) {
            messages().showTitled(MessageIcon::Warning, MessageButtons::Ok,
                                  unsavableText(bad->character, n + 1));
            return;
        }
    }

    SaveLocation& last = previewIsVb_ ? module_ : package_;
    const bool chosen =
        previewIsVb_
            ? showSaveDialog(parent, last, settings_.VbName, QStringLiteral(".bas"), vbFilter())
            : showSaveDialog(parent, last, last.name, QStringLiteral("sql"), packageFilter());
    if (!chosen)
        return;
    BusyGuard busy(messages());
    // A failure goes to the general error display; the file keeps its old content.
    writeTextLines(SDLG_Main.FileName, lines, format);
    last.remember(SDLG_Main.FileName, settings_.DefPath);
}

void PreviewPane::OutputTableStructure(QWidget* parent, const TCandidateList& candidates,
                                       TextFormat format) {
    if (candidates.isEmpty())
        return;
    if (!showSaveDialog(parent, tableStructure_, candidates.first().TableName,
                        QStringLiteral(".csv"), csvFilter()))
        return;
    BusyGuard busy(messages());
    // A failure (a character Shift-JIS cannot hold, a file that cannot be written) goes to
    // the general error display; an existing file keeps its content.
    writeTableStructure(SDLG_Main.FileName, candidates, format);
    tableStructure_.remember(SDLG_Main.FileName, settings_.DefPath);
}

bool PreviewPane::showSaveDialog(QWidget* parent, const SaveLocation& last, const QString& name,
                                 const QString& defaultExt, const QString& filter) {
    SDLG_Main.InitialDir = last.initialFolder(settings_.DefPath);
    SDLG_Main.FileName = name;
    SDLG_Main.DefaultExt = defaultExt;
    SDLG_Main.Filter = filter;
    SDLG_Main.OverwritePrompt = true;
    SDLG_Main.CreatePrompt = true;
    return SDLG_Main.Execute(parent);
}

QString PreviewPane::unsavableText(const QString& character, qsizetype line) {
    return QStringLiteral("Shift-JISで保存できない文字があります：「") + character +
           QStringLiteral("」（") + QString::number(line) + QStringLiteral("行目）");
}

QString PreviewPane::packageFilter() {
    return QStringLiteral("SQLﾌｧｲﾙ (*.sql)|*.sql|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*");
}

QString PreviewPane::vbFilter() {
    return QStringLiteral("BASファイル (*.bas)|*.bas|すべてのﾌｧｲﾙ (*.*)|*.*");
}

QString PreviewPane::csvFilter() {
    return QStringLiteral("CSVファイル (*.csv)|*.csv");
}
