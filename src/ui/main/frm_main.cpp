#include "ui/main/frm_main.h"

#include "db/db_messages.h"
#include "db/dictionary.h"
#include "gen/gen_messages.h"
#include "gen/plsql/package_generator.h"
#include "gen/reserved_words.h"
#include "gen/vb/vb_module_generator.h"
#include "settings/settings.h"
#include "ui/app_windows.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_option.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/fonts.h"
#include "ui/main/argument_editing.h"
#include "ui/main/frm_temp.h"
#include "ui/main/preview_commands.h"
#include "ui/main/preview_compare.h"
#include "ui/main/preview_pane.h"
#include "ui/main/profile_commands.h"
#include "ui/main/retrieval_guard.h"
#include "ui/main/status_hints.h"
#include "ui/main/table_rows.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "ui/widgets/code_editor.h"
#include "ui/window_geometry.h"
#include "util/app_info.h"
#include "util/clock.h"
#include "util/install_paths.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <new>
#include <utility>

namespace {

QString closeQuestion() {
    return applicationTitle() + QStringLiteral("を終了します。");
}

// Without a launcher (no xdg-open) the user can still open the page by hand.
QString helpFailedText(const QString& path) {
    return QStringLiteral("ヘルプファイルを開けません") + QLatin1Char('\n') +
           QDir::toNativeSeparators(path);
}

QString logoutQuestion() {
    return QStringLiteral("作成候補とプレビューを破棄してログアウトします。よろしいですか？");
}

// Names a notice lists one by one; a box taller than the screen would hide its OK button.
constexpr qsizetype kShownNames = 20;

} // namespace

TFRM_Main::TFRM_Main(AppSettings& settings, AppWindows& windows, DatabaseSource database,
                     QWidget* parent)
    : QMainWindow(parent), settings_(settings), windows_(windows), database_(std::move(database)),
      clock_(std::make_unique<SystemClock>()) {
    setObjectName(QStringLiteral("FRM_Main"));
    setFont(windowFont());
    createMainWindowControls(*this, ui_);
    centralWidget()->installEventFilter(this);
    ui_.LST_Tables->installEventFilter(this);

    hints_ = new StatusHints(ui_.STB_Panels[0], ui_.TIM_Hint, this);
    for (QWidget* b : {ui_.BTN_Public, ui_.BTN_Array, ui_.BTN_INS, ui_.BTN_UPD, ui_.BTN_CLR,
                       ui_.BTN_Select, ui_.BTN_Execute, ui_.BTN_vbExecute})
        hints_->watch(b);
    rows_ = new TableRows(ui_.SCB_Main,
                          {ui_.BTN_Public, ui_.BTN_Array, ui_.BTN_INS, ui_.BTN_UPD, ui_.BTN_CLR,
                           ui_.LBL_Ref, ui_.BTN_Execute},
                          hints_, this);
    rows_->setObjectName(QStringLiteral("TableRows"));
    preview_ = new PreviewPane(ui_.MEM_Preview, ui_.MNU_Save, settings_.GenSettings, this);
    compare_ = new PreviewCompare(*preview_, this);
    editing_ = new PreviewCommands(*this, ui_, this);
    profiles_ = new ProfileCommands(
        settings_, ui_, model_, *rows_, [this] { MNU_SelectClick(); }, this);
    connectCommands();
    SetListCommandsEnabled(false);
    FormCreate();
}

TFRM_Main::~TFRM_Main() = default;

void TFRM_Main::setClock(std::unique_ptr<Clock> clock) {
    clock_ = std::move(clock);
}

void TFRM_Main::OpenProfileAfterLogon(const QString& path) {
    profileAfterLogon_ = path;
}

void TFRM_Main::connectCommands() {
    // Every command runs so that no exception unwinds into Qt; the buttons bound to menu
    // items trigger the same actions.
    const auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [handler] { runGuarded(handler); });
    };
    on(ui_.MNU_Logout, [this] { MNU_LogoutClick(); });
    on(ui_.MNU_Save, [this] {
        if (!retrieving_)
            preview_->MNU_SaveClick(this, SaveFormat());
    });
    on(ui_.MNU_Compare, [this] {
        if (!retrieving_)
            compare_->MNU_CompareClick(SaveFormat());
    });
    on(ui_.MNU_SaveUtf8, [this] { settings_.SaveUtf8 = ui_.MNU_SaveUtf8->isChecked(); });
    // The comparison has something to compare exactly when there is something to save. A
    // retrieval disables every item and restores each on its own afterwards: the two are not
    // tied while it runs (the preview cannot change then).
    connect(ui_.MNU_Save, &QAction::enabledChanged, this, [this](bool enabled) {
        if (!retrieving_)
            ui_.MNU_Compare->setEnabled(enabled);
    });
    on(ui_.MNU_SaveProfile, [this] {
        if (!retrieving_)
            profiles_->MNU_SaveProfileClick(this);
    });
    on(ui_.MNU_OpenProfile, [this] {
        if (!retrieving_)
            profiles_->MNU_OpenProfileClick(this);
    });
    for (std::size_t k = 0; k < ui_.MNU_RecentProfiles.size(); ++k)
        on(ui_.MNU_RecentProfiles[k], [this, k] {
            if (!retrieving_)
                profiles_->OpenRecentProfile(static_cast<qsizetype>(k));
        });
    on(ui_.MNU_Quit, [this] { close(); });
    on(ui_.MNU_Select, [this] { MNU_SelectClick(); });
    on(ui_.MNU_Execute, [this] { GeneratePackage(); });
    on(ui_.MNU_vbExecute, [this] { GenerateVbModule(); });
    on(ui_.MNU_ListClear, [this] { MNU_ListClearClick(); });
    on(ui_.MNU_Public, [this] { invert(FlagColumn::Public); });
    on(ui_.MNU_Array, [this] { invert(FlagColumn::Array); });
    on(ui_.MNU_INS, [this] { invert(FlagColumn::Ins); });
    on(ui_.MNU_UPD, [this] { invert(FlagColumn::Upd); });
    on(ui_.MNU_CLR, [this] { invert(FlagColumn::Clr); });
    on(ui_.MNU_PackHeader, [this] { MNU_PackHeaderClick(); });
    on(ui_.MNU_ProcHeader, [this] { MNU_ProcHeaderClick(); });
    // The three module marks only turn their check mark over; the module generator reads
    // them, and they live for the run only.
    on(ui_.MNU_OutPutDesc, [this] {
        if (!retrieving_)
            preview_->OutputTableStructure(this, model_.CandidateList, SaveFormat());
    });
    on(ui_.MNU_Setting, [this] { runModal(*windows_.FRM_Option); });
    on(ui_.MNU_About, [this] { runModal(*windows_.FRM_About); });
    on(ui_.MNU_Help, [this] { MNU_HelpClick(); });
    connect(rows_, &TableRows::RefButtonClick, this,
            [this](int tag) { runGuarded([this, tag] { EditArguments(tag); }); });
}

void TFRM_Main::FormCreate() {
    // The layout is computed for the designed client area; the anchors carry it to the size
    // the window really gets.
    const QSize designClient = designClientSize(*this, ui_);
    placeDesignLayout(ui_, designClient, anchors_);
    editing_->setArea(ui_.MEM_Preview->geometry());
    setWindowTitle(applicationTitle());
    ui_.MNU_Help->setText(applicationTitle() + QStringLiteral("ヘルプ(&C)"));
    centralWidget()->resize(designClient);

    // The stored outer size, placed by thirds, kept on the screen.
    placeStoredWindow(this, QSize(settings_.Width, settings_.Height), QSize(kMinWidth, kMinHeight),
                      3);
}

// The commands that need a candidate list, enabled exactly while it holds a table; the
// buttons bound to them follow.
void TFRM_Main::SetListCommandsEnabled(bool enabled) {
    for (QAction* command :
         {ui_.MNU_ListClear, ui_.MNU_OutPutDesc, ui_.MNU_Public, ui_.MNU_Execute, ui_.MNU_vbExecute,
          ui_.MNU_Array, ui_.MNU_INS, ui_.MNU_UPD, ui_.MNU_CLR, ui_.MNU_SaveProfile})
        command->setEnabled(enabled);
}

// ---- Showing, sizing, closing ----

void TFRM_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Only the program's own showing (after a logon) reads the table list; a restore from
    // minimized is spontaneous and must not fill the list twice.
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

Database& TFRM_Main::database() const {
    Database* db = database_ ? database_() : nullptr;
    if (!db)
        throw DbError(QStringLiteral("データベースに接続していません"));
    return *db;
}

void TFRM_Main::FormShow() {
    ui_.MNU_PackHeader->setChecked(settings_.GenSettings.PackHeader);
    ui_.MNU_ProcHeader->setChecked(settings_.GenSettings.ProcHeader);
    ui_.MNU_SaveUtf8->setChecked(settings_.SaveUtf8);
    ui_.LBL_Tables->setText(settings_.UserNM + QStringLiteral("のテーブル一覧"));
    ui_.LBL_Tables->adjustSize();

    model_.TableCount =
        readTableList(database(), [this](const QString& name) { ui_.LST_Tables->addItem(name); });
    if (model_.TableCount == 0)
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, noTablesText());

    // Opened once the showing is over: the retrieval lets events through, which must not
    // happen inside the show event.
    if (!profileAfterLogon_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            runGuarded([this] {
                const QString path = std::exchange(profileAfterLogon_, QString());
                if (!retrieving_ && isVisible())
                    profiles_->OpenProfile(path);
            });
        });
}

void TFRM_Main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    runGuarded([this] { FormResize(); });
}

void TFRM_Main::FormResize() {
    const QSize outer = outerSize(this);
    const QSize frame = outer - size();
    if (outer.width() < kMinWidth || outer.height() < kMinHeight)
        resize(std::max(outer.width(), kMinWidth) - frame.width(),
               std::max(outer.height(), kMinHeight) - frame.height());
    rows_->SetSeparatorWidths();
}

void TFRM_Main::closeEvent(QCloseEvent* event) {
    bool close = false;
    runGuarded([&] { close = FormCloseQuery(); });
    if (!close) {
        event->ignore();
        return;
    }
    event->accept();
    runGuarded([this] { FormClose(); });
}

bool TFRM_Main::FormCloseQuery() {
    // A running retrieval ends first; its abort button is the way to end it early.
    if (retrieving_)
        return false;
    return messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                                 closeQuestion()) == MessageAnswer::Yes;
}

void TFRM_Main::FormClose() {
    // The logon window's close saves the settings (with this window's outer size) and ends
    // the program.
    emit closed();
}

bool TFRM_Main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == centralWidget()) {
        anchors_.apply(static_cast<QResizeEvent*>(event)->size());
        // The anchors give the preview its whole place; the find bar takes its share.
        editing_->setArea(ui_.MEM_Preview->geometry());
    } else if (event->type() == QEvent::KeyPress && watched == ui_.LST_Tables) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded([this, key] { LST_TablesKeyDown(key); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFRM_Main::LST_TablesKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        MNU_SelectClick();
}

// ---- Table selection ----

void TFRM_Main::MNU_SelectClick() {
    if (retrieving_)
        return;
    RetrieveColumns();
    SetListCommandsEnabled(!rows_->isEmpty());
}

void TFRM_Main::RetrieveColumns() {
    // The selection and the list are taken once: whatever happens to the list while the
    // retrieval lets events through, the positions selected now are read.
    QStringList tableList;
    QList<qsizetype> selection;
    for (int p = 0; p < ui_.LST_Tables->count(); ++p) {
        const QListWidgetItem* item = ui_.LST_Tables->item(p);
        tableList.append(item->text());
        if (item->isSelected())
            selection.append(p);
    }
    if (selection.isEmpty())
        return;

    BusyGuard busy(messages());
    // The rows are shown only once the guard has enabled the window's controls again, and
    // the old ones go before it disables them: the state of thousands of shown controls
    // changed at once makes their painting slow.
    TableRows::Batch batch(*rows_);
    if (!rows_->isEmpty())
        ClearCandidates();
    RetrievalGuard unavailable(*this, retrieving_);

    ProgressShowing progress(*windows_.FRM_Temp, model_.AbortRequested,
                             static_cast<int>(selection.size()));
    QListWidget* refTables = windows_.FRM_Reference->LST_RefTables;
    const RetrievalProgress events{[this] {
                                       QCoreApplication::processEvents();
                                       return model_.AbortRequested;
                                   },
                                   [&](qsizetype i, const QString& name) {
                                       // The argument dialog lists the candidates in candidate
                                       // order.
                                       if (i == 0)
                                           refTables->clear();
                                       refTables->addItem(name);
                                       rows_->AddRow(i, name);
                                       progress.step();
                                   }};
    try {
        if (retrieveColumns(database(), tableList, selection, model_, events) ==
            RetrievalEnd::Aborted)
            ClearCandidates();
    } catch (const std::bad_alloc&) {
        ClearCandidates();
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, outOfMemoryText());
    } catch (const std::exception&) {
        ClearCandidates();
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, retrievalErrorText());
    }
}

void TFRM_Main::ClearCandidates() {
    rows_->FreeRowControls();
    model_.ClearCandidates();
}

// ---- The rows ----

void TFRM_Main::invert(FlagColumn column) {
    if (!retrieving_)
        rows_->Invert(column);
}

void TFRM_Main::MNU_ListClearClick() {
    if (retrieving_ || rows_->isEmpty())
        return;
    ClearCandidates();
    SetListCommandsEnabled(false);
}

void TFRM_Main::EditArguments(qsizetype index) {
    if (retrieving_ || index < 0 || index >= model_.CandidateList.size())
        return;
    EditTableArguments(*windows_.FRM_Reference, model_.CandidateList[index]);
}

// ---- Generation ----

void TFRM_Main::RunGeneration(
    const std::function<std::optional<QStringList>(const GeneratorInput&)>& generate,
    const std::function<QList<ReservedName>(const GeneratorInput&)>& reservedNames,
    const QString& failureText, bool isVb) {
    if (retrieving_)
        return;
    BusyGuard busy(messages());
    if (firstPublicTable(model_.CandidateList, *rows_) < 0) {
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok, noPublicTableText());
        return;
    }
    if (!preview_->isEmpty() &&
        messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                              overwritePreviewQuestion()) != MessageAnswer::Yes)
        return;
    QList<ReservedName> reserved;
    try {
        const GeneratorInput input{model_.CandidateList,      *rows_,
                                   settings_.GenSettings,     settings_.UserNM,
                                   model_.MaxTableNameLength, *clock_};
        // The check above leaves every generator a public table to write; were it to find
        // none after all, value() throws and the failure message says so.
        const QStringList lines = generate(input).value();
        // Looked for before the preview changes, so that a failure of the search, like
        // one of the generation, leaves the preview as it was.
        QList<ReservedName> found = reservedNames(input);
        // What the preview holds changes only with it: after a failed run it still holds
        // what it held, of its own kind, and is saved as such.
        preview_->ReplacePreview(lines, isVb);
        reserved = std::move(found);
    } catch (const std::bad_alloc&) {
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, outOfMemoryText());
    } catch (const std::exception&) {
        messages().showTitled(MessageIcon::Error, MessageButtons::Ok, failureText);
    }
    // The text is kept as the templates make it; the notice says where it will not compile.
    if (!reserved.isEmpty())
        messages().showTitled(
            MessageIcon::Information, MessageButtons::Ok,
            (QStringList{reservedNamesHeading()} + reservedNameLines(reserved, kShownNames))
                .join(u'\n'));
}

void TFRM_Main::GeneratePackage() {
    RunGeneration(generatePackageLines, reservedNamesInPackage, packageGenerationErrorText(),
                  false);
}

void TFRM_Main::GenerateVbModule() {
    const VbOptions options = checkedVbOptions(ui_);
    const auto generate = [&options](const GeneratorInput& input) {
        return generateVbModuleLines(input, options);
    };
    const auto reservedNames = [&options](const GeneratorInput& input) {
        return reservedNamesInVbModule(input, options);
    };
    RunGeneration(generate, reservedNames, vbGenerationErrorText(), true);
}

// ---- Menus ----

void TFRM_Main::MNU_LogoutClick() {
    if (retrieving_)
        return;
    // Ctrl+O opens a file in most programs, and the profile command sits right below: one
    // key must not throw away a candidate list or an edited preview unasked.
    if ((!model_.CandidateList.isEmpty() || !preview_->isEmpty()) &&
        messages().showTitled(MessageIcon::Information, MessageButtons::YesNoDefaultNo,
                              logoutQuestion()) != MessageAnswer::Yes)
        return;
    hide();
    ui_.LST_Tables->clear();
    preview_->clear();
    compare_->closeWindow();
    ClearCandidates();
    SetListCommandsEnabled(false);
    emit loggedOut();
}

// The toolkit turns a check mark over itself before the handler runs; the handlers keep
// what it shows.
void TFRM_Main::MNU_PackHeaderClick() {
    settings_.GenSettings.PackHeader = ui_.MNU_PackHeader->isChecked();
}

void TFRM_Main::MNU_ProcHeaderClick() {
    settings_.GenSettings.ProcHeader = ui_.MNU_ProcHeader->isChecked();
}

TextFormat TFRM_Main::SaveFormat() const {
    return settings_.SaveUtf8 ? TextFormat::Utf8 : TextFormat::Sjis;
}

void TFRM_Main::MNU_HelpClick() {
    const QString path = helpPagePath(executableFolder());
    if (!QFileInfo(path).isFile() || !openWithDesktop(path))
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok, helpFailedText(path));
}
