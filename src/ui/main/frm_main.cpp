#include "ui/main/frm_main.h"

#include "app/frm_logon.h"
#include "db/db_messages.h"
#include "db/dictionary.h"
#include "db/session.h"
#include "gen/csv/table_structure.h"
#include "gen/gen_messages.h"
#include "gen/plsql/package_generator.h"
#include "gen/vb/vb_module_generator.h"
#include "settings/settings.h"
#include "ui/app_windows.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_option.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/fonts.h"
#include "ui/main/frm_temp.h"
#include "ui/main/table_rows.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "ui/widgets/control_hint.h"
#include "ui/widgets/typing_limit.h"
#include "ui/window_geometry.h"
#include "util/app_info.h"
#include "util/clock.h"
#include "util/my_func.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <new>

namespace {

// The window as designed: 640 x 480 outside, its client area that less a Windows sizable
// frame with its caption and less the menu bar. The layout is computed for that client
// area; the anchors carry it to the size the window really gets.
constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 480;
constexpr QSize kDesignFrame(8, 27);

constexpr int kHintInterval = 4000;
constexpr int kListItemHeight = 12;

// The table list's rows are 12 pixels high, as designed for a font 12 pixels high; a
// substituted face that needs more (its descent would clip underscores) gets its own height.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(kListItemHeight, option.fontMetrics.height()));
        return size;
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->adjustSize();
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Buttons do not take the focus from the list or the preview when clicked.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

int right(const QWidget* w) {
    return w->x() + w->width();
}

int bottom(const QWidget* w) {
    return w->y() + w->height();
}

// Runs a command so that no exception unwinds into Qt.
template <typename Handler> void connectClick(QPushButton* b, QObject* context, Handler handler) {
    QObject::connect(b, &QPushButton::clicked, context, [handler] { runGuarded(handler); });
}

} // namespace

// Keeps the window's commands unavailable while a retrieval runs, whatever way it ends.
class RetrievalGuard {
public:
    explicit RetrievalGuard(TFRM_Main& window) : window_(window) { window_.beginRetrieval(); }
    ~RetrievalGuard() { window_.endRetrieval(); }
    RetrievalGuard(const RetrievalGuard&) = delete;
    RetrievalGuard& operator=(const RetrievalGuard&) = delete;

private:
    TFRM_Main& window_;
};

namespace {

// Shows the progress window for one retrieval and closes it on every way out.
class ProgressWindow {
public:
    ProgressWindow(TFRM_Temp& window, bool& abortRequested, int max) : window_(window) {
        window_.setAbortFlag(&abortRequested);
        window_.setMax(max);
        window_.show(); // clears the abort flag and the bar
        window_.activateWindow();
    }
    ~ProgressWindow() { window_.close(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void step() { window_.StepIt(); }

private:
    TFRM_Temp& window_;
};

} // namespace

TFRM_Main::TFRM_Main(AppSettings& settings, AppWindows& windows, QWidget* parent)
    : QMainWindow(parent), settings_(settings), windows_(windows),
      clock_(std::make_unique<SystemClock>()) {
    setObjectName(QStringLiteral("FRM_Main"));
    setFont(windowFont());
    createMenus();
    createControls();
    FormCreate();
}

TFRM_Main::~TFRM_Main() = default;

void TFRM_Main::setClock(std::unique_ptr<Clock> clock) {
    clock_ = std::move(clock);
}

void TFRM_Main::createMenus() {
    QStyle* look = style();
    const auto item = [this, look](QMenu* menu, const char* name, const QString& text,
                                   QKeySequence shortcut, QStyle::StandardPixmap icon,
                                   auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        if (icon != QStyle::SP_CustomBase)
            action->setIcon(look->standardIcon(icon));
        connect(action, &QAction::triggered, this, [handler] { runGuarded(handler); });
        return action;
    };
    const auto toggle = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::triggered, this, [handler] { runGuarded(handler); });
        return action;
    };
    constexpr QStyle::StandardPixmap none = QStyle::SP_CustomBase;

    MNU_Files = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    MNU_Files->setObjectName(QStringLiteral("MNU_Files"));
    MNU_Logout = item(MNU_Files, "MNU_Logout", QStringLiteral("ログアウト(&L)"),
                      QKeySequence(Qt::CTRL | Qt::Key_O), QStyle::SP_ArrowBack,
                      [this] { MNU_LogoutClick(); });
    MNU_Save = item(MNU_Files, "MNU_Save", QStringLiteral("名前を付けて保存(&S)..."),
                    QKeySequence(Qt::CTRL | Qt::Key_S), QStyle::SP_DialogSaveButton,
                    [this] { MNU_SaveClick(); });
    MNU_Files->addSeparator()->setObjectName(QStringLiteral("MNU_Bar1"));
    MNU_Quit = item(MNU_Files, "MNU_Quit", QStringLiteral("閉じる(&X)"),
                    QKeySequence(Qt::CTRL | Qt::Key_Q), QStyle::SP_DialogCloseButton,
                    [this] { MNU_QuitClick(); });

    H1 = menuBar()->addMenu(QStringLiteral("操作(&H)"));
    H1->setObjectName(QStringLiteral("H1"));
    MNU_Select =
        item(H1, "MNU_Select", QStringLiteral("リストから選択(&S)"), QKeySequence(Qt::Key_F4),
             QStyle::SP_ArrowDown, [this] { MNU_SelectClick(); });
    MNU_Execute = item(H1, "MNU_Execute", QStringLiteral("作成実行(&E)"), QKeySequence(Qt::Key_F5),
                       QStyle::SP_MediaPlay, [this] { MNU_ExecuteClick(); });
    MNU_vbExecute =
        item(H1, "MNU_vbExecute", QStringLiteral("VBソース作成(&V)"), QKeySequence(Qt::Key_F6),
             QStyle::SP_FileIcon, [this] { MNU_vbExecuteClick(); });
    MNU_ListClear =
        item(H1, "MNU_ListClear", QStringLiteral("作成候補リストをクリア(&C)"), QKeySequence(),
             QStyle::SP_DialogResetButton, [this] { MNU_ListClearClick(); });
    H1->addSeparator()->setObjectName(QStringLiteral("N1"));
    MNU_Public = item(H1, "MNU_Public", QStringLiteral("公開ﾁｪｯｸ反転(&P)"), QKeySequence(), none,
                      [this] { MNU_PublicClick(); });
    MNU_Array = item(H1, "MNU_Array", QStringLiteral("配列ﾁｪｯｸ反転(&A)"), QKeySequence(), none,
                     [this] { MNU_ArrayClick(); });
    MNU_INS = item(H1, "MNU_INS", QStringLiteral("INSERTﾁｪｯｸ反転(&I)"), QKeySequence(), none,
                   [this] { MNU_INSClick(); });
    MNU_UPD = item(H1, "MNU_UPD", QStringLiteral("UPDATEﾁｪｯｸ反転(&U)"), QKeySequence(), none,
                   [this] { MNU_UPDClick(); });
    MNU_CLR = item(H1, "MNU_CLR", QStringLiteral("SET&&CLEARﾁｪｯｸ反転(&R)"), QKeySequence(), none,
                   [this] { MNU_CLRClick(); });

    MNU_Options = menuBar()->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    MNU_Options->setObjectName(QStringLiteral("MNU_Options"));
    MNU_AboutPackage = MNU_Options->addMenu(QStringLiteral("ﾊﾟｯｹｰｼﾞ関連"));
    MNU_AboutPackage->setObjectName(QStringLiteral("MNU_AboutPackage"));
    MNU_PackHeader =
        toggle(MNU_AboutPackage, "MNU_PackHeader", QStringLiteral("ﾊﾟｯｹｰｼﾞﾍｯﾀﾞｰを作成(&P)"),
               [this] { MNU_PackHeaderClick(); });
    MNU_ProcHeader =
        toggle(MNU_AboutPackage, "MNU_ProcHeader", QStringLiteral("ﾌﾟﾛｼｰｼﾞｬﾍｯﾀﾞｰを作成(&R)"),
               [this] { MNU_ProcHeaderClick(); });
    MNU_AboutVB = MNU_Options->addMenu(QStringLiteral("VB関連"));
    MNU_AboutVB->setObjectName(QStringLiteral("MNU_AboutVB"));
    MNU_OracleConst =
        toggle(MNU_AboutVB, "MNU_OracleConst", QStringLiteral("ｵﾗｸﾙ関連定数の宣言(&O)"),
               [this] { MNU_OracleConstClick(); });
    MNU_ModHeader = toggle(MNU_AboutVB, "MNU_ModHeader", QStringLiteral("ﾓｼﾞｭｰﾙﾍｯﾀﾞｰを作成(&M)"),
                           [this] { MNU_ModHeaderClick(); });
    MNU_VbProcHeader =
        toggle(MNU_AboutVB, "MNU_VbProcHeader", QStringLiteral("ﾌﾟﾛｼｰｼﾞｬﾍｯﾀﾞｰを作成(&R)"),
               [this] { MNU_VbProcHeaderClick(); });
    MNU_OutPutDesc =
        item(MNU_Options, "MNU_OutPutDesc", QStringLiteral("テーブル構造出力(&T)..."),
             QKeySequence(), QStyle::SP_FileDialogDetailedView, [this] { MNU_OutPutDescClick(); });
    MNU_Setting = item(MNU_Options, "MNU_Setting", QStringLiteral("設定(&S)..."), QKeySequence(),
                       QStyle::SP_FileDialogInfoView, [this] { MNU_SettingClick(); });

    MNU_Helps = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    MNU_Helps->setObjectName(QStringLiteral("MNU_Helps"));
    MNU_About = item(MNU_Helps, "MNU_About", QStringLiteral("バージョン情報(&A)"), QKeySequence(),
                     QStyle::SP_MessageBoxInformation, [this] { MNU_AboutClick(); });
    MNU_Help = item(MNU_Helps, "MNU_Help", QString(), QKeySequence(), QStyle::SP_DialogHelpButton,
                    [this] { MNU_HelpClick(); });

    MNU_Save->setEnabled(false);
}

void TFRM_Main::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("FRM_MainClient"));
    setCentralWidget(client);
    client->installEventFilter(this);

    LBL_Tables = label(client, "LBL_Tables", QString());
    QFont bold = LBL_Tables->font();
    bold.setBold(true);
    LBL_Tables->setFont(bold);

    LST_Tables = new QListWidget(client);
    LST_Tables->setObjectName(QStringLiteral("LST_Tables"));
    LST_Tables->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LST_Tables->setUniformItemSizes(true);
    LST_Tables->setItemDelegate(new FixedHeightDelegate(LST_Tables));
    LST_Tables->installEventFilter(this);

    LBL_CapTableName = label(client, "LBL_CapTableName", QStringLiteral("テーブル名"));
    BTN_Select = button(client, "BTN_Select", QStringLiteral("選択(F4)"));
    BTN_Select->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    setControlHint(BTN_Select,
                   QStringLiteral("リストから作成候補テーブルを選びます (ﾊﾟｯｹｰｼﾞ)(VB)"));

    BTN_Public = button(client, "BTN_Public", QStringLiteral("公開"));
    setControlHint(BTN_Public, QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬを選択 (ﾊﾟｯｹｰｼﾞ)(VB)"));
    BTN_Array = button(client, "BTN_Array", QStringLiteral("配列"));
    setControlHint(BTN_Array, QStringLiteral("作成する変数を配列にする場合選択 (ﾊﾟｯｹｰｼﾞ)(VB)"));
    BTN_INS = button(client, "BTN_INS", QStringLiteral("INS"));
    setControlHint(BTN_INS, QStringLiteral("ｲﾝｻｰﾄﾌﾟﾛｼｰｼﾞｬを自動生成する時選択 (ﾊﾟｯｹｰｼﾞ)"));
    BTN_UPD = button(client, "BTN_UPD", QStringLiteral("UPD"));
    setControlHint(BTN_UPD, QStringLiteral("ｱｯﾌﾟﾃﾞｰﾄﾌﾟﾛｼｰｼﾞｬを自動作成する時選択 (ﾊﾟｯｹｰｼﾞ)"));
    BTN_CLR = button(client, "BTN_CLR", QStringLiteral("S&&C"));
    setControlHint(BTN_CLR, QStringLiteral("項目変数のｾｯﾄ&&ｸﾘｱを自動作成する時選択 (ﾊﾟｯｹｰｼﾞ)"));

    LBL_Ref = label(client, "LBL_Ref", QStringLiteral("引数"));

    BTN_Execute = button(client, "BTN_Execute", QStringLiteral("実行(F5)"));
    BTN_Execute->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    BTN_Execute->setLayoutDirection(Qt::RightToLeft); // the glyph right of the text
    setControlHint(BTN_Execute, QStringLiteral("パッケージソースを作成し、プレビュー表示します"));
    BTN_vbExecute = button(client, "BTN_vbExecute", QStringLiteral("VB(F6)↑"));
    setControlHint(BTN_vbExecute, QStringLiteral("VBソースを作成し、プレビュー表示します"));
    for (QPushButton* b : {BTN_Select, BTN_Execute, BTN_vbExecute})
        b->setIconSize(QSize(12, 12));

    SCB_Main = new QScrollArea(client);
    SCB_Main->setObjectName(QStringLiteral("SCB_Main"));
    SCB_Main->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SCB_Main->setFocusPolicy(Qt::NoFocus);

    LBL_Preview = label(client, "LBL_Preview", QStringLiteral("プレビュー"));

    MEM_Preview = new QPlainTextEdit(client);
    MEM_Preview->setObjectName(QStringLiteral("MEM_Preview"));
    MEM_Preview->setFont(previewFont());
    MEM_Preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    MEM_Preview->setWordWrapMode(QTextOption::NoWrap);
    MEM_Preview->setTabChangesFocus(false);
    MEM_Preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MEM_Preview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab stops every eight half-width characters, as the generated module is indented.
    MEM_Preview->setTabStopDistance(8 * QFontMetricsF(MEM_Preview->font()).horizontalAdvance(u' '));
    connect(MEM_Preview, &QPlainTextEdit::textChanged, this,
            [this] { runGuarded([this] { MEM_PreviewChange(); }); });

    STB_Main = statusBar();
    STB_Main->setObjectName(QStringLiteral("STB_Main"));
    STB_Main->setSizeGripEnabled(false);
    const int panelWidths[] = {350, 100, 200};
    for (int p = 0; p < 3; ++p) {
        auto* panel = new QLabel(STB_Main);
        panel->setObjectName(QStringLiteral("STB_Panel%1").arg(p));
        panel->setTextFormat(Qt::PlainText); // a hint shows exactly as written
        panel->setFixedWidth(panelWidths[p]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        STB_Main->addWidget(panel);
        STB_Panels[p] = panel;
    }

    TIM_Hint = new QTimer(this);
    TIM_Hint->setObjectName(QStringLiteral("TIM_Hint"));
    TIM_Hint->setInterval(kHintInterval);
    TIM_Hint->setTimerType(Qt::PreciseTimer); // 4 seconds, not "about" 4
    connect(TIM_Hint, &QTimer::timeout, this, [this] { runGuarded([this] { TIM_HintTimer(); }); });

    // Status-bar hints, from the mouse moving over the buttons; no pop-up tips.
    for (QPushButton* b : {BTN_Public, BTN_Array, BTN_INS, BTN_UPD, BTN_CLR, BTN_Select,
                           BTN_Execute, BTN_vbExecute}) {
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }

    connectClick(BTN_Select, this, [this] { BTN_SelectClick(); });
    connectClick(BTN_Execute, this, [this] { BTN_ExecuteClick(); });
    connectClick(BTN_vbExecute, this, [this] { BTN_vbExecuteClick(); });
    connectClick(BTN_Public, this, [this] { BTN_PublicClick(); });
    connectClick(BTN_Array, this, [this] { BTN_ArrayClick(); });
    connectClick(BTN_INS, this, [this] { BTN_INSClick(); });
    connectClick(BTN_UPD, this, [this] { BTN_UPDClick(); });
    connectClick(BTN_CLR, this, [this] { BTN_CLRClick(); });

    Rows = new TableRows(SCB_Main,
                         {BTN_Public, BTN_Array, BTN_INS, BTN_UPD, BTN_CLR, LBL_Ref, BTN_Execute},
                         this, this);
    connect(Rows, &TableRows::RefButtonClick, this,
            [this](int tag) { runGuarded([this, tag] { RefButtonClick(tag); }); });

    setTabOrder(BTN_Select, BTN_Public);
    setTabOrder(BTN_Public, BTN_Array);
    setTabOrder(BTN_Array, BTN_INS);
    setTabOrder(BTN_INS, BTN_UPD);
    setTabOrder(BTN_UPD, BTN_CLR);
    setTabOrder(BTN_CLR, BTN_Execute);
    setTabOrder(BTN_Execute, LST_Tables); // the rows come in between as they are made
    setTabOrder(LST_Tables, MEM_Preview);
    setTabOrder(MEM_Preview, BTN_vbExecute);

    SetListCommandsEnabled(false);
}

void TFRM_Main::FormCreate() {
    // The client area the layout is computed for: the design size less the frame and the
    // menu bar; the central widget holds it less the status bar.
    const int menuHeight = menuBar()->sizeHint().height();
    const int clientWidth = kDesignWidth - kDesignFrame.width();
    const int clientHeight = kDesignHeight - kDesignFrame.height() - menuHeight;
    const int statusHeight = STB_Main->sizeHint().height();
    const QSize designClient(clientWidth, clientHeight - statusHeight);

    // 1-13: each control placed from the ones before it.
    LBL_Tables->move(10, 8);
    STB_Panels[0]->setText(defaultHint());
    LST_Tables->setGeometry(LBL_Tables->x(), bottom(LBL_Tables) + 5, 200, 200);
    LBL_CapTableName->move(LBL_Tables->x() + 5, bottom(LST_Tables) + 10);
    BTN_Select->setGeometry(right(LBL_CapTableName) + 10, LBL_CapTableName->y() - 4, 75, 20);
    BTN_Public->setGeometry(right(LST_Tables), LBL_CapTableName->y() - 3, 35, 17);
    QPushButton* before = BTN_Public;
    for (QPushButton* b : {BTN_Array, BTN_INS, BTN_UPD, BTN_CLR}) {
        b->setGeometry(before->x() + 40, BTN_Public->y(), 35, 17);
        before = b;
    }
    LBL_Ref->setGeometry(BTN_CLR->x() + 45, LBL_CapTableName->y(), 24, 12);
    BTN_Execute->setGeometry(LBL_Ref->x() + 40, BTN_Select->y(), 75, 20);
    BTN_vbExecute->setGeometry(BTN_Execute->x() + 80, BTN_Select->y(), 75, 20);
    SCB_Main->setGeometry(LST_Tables->x(), bottom(LBL_CapTableName) + 10,
                          clientWidth - (LST_Tables->x() + 10),
                          clientHeight - statusHeight - (bottom(LBL_CapTableName) + 10 + 5));
    MEM_Preview->setGeometry(right(LST_Tables) + 5, LST_Tables->y(),
                             clientWidth - (right(LST_Tables) + 5 + 10), LST_Tables->height());
    MEM_Preview->clear();
    LBL_Preview->move(MEM_Preview->x(), LBL_Tables->y());

    // 14
    setWindowTitle(applicationTitle());
    MNU_Help->setText(applicationTitle() + QStringLiteral("ヘルプ(&C)"));

    // 15
    anchors_.add(LST_Tables, Anchor::Left | Anchor::Top | Anchor::Bottom, designClient);
    anchors_.add(SCB_Main, Anchor::Left | Anchor::Right | Anchor::Bottom, designClient);
    anchors_.add(MEM_Preview, Anchor::Left | Anchor::Top | Anchor::Right | Anchor::Bottom,
                 designClient);
    for (QWidget* w : std::initializer_list<QWidget*>{LBL_CapTableName, LBL_Ref, BTN_Select,
                                                      BTN_Public, BTN_Array, BTN_INS, BTN_UPD,
                                                      BTN_CLR, BTN_Execute, BTN_vbExecute})
        anchors_.add(w, Anchor::Left | Anchor::Bottom, designClient);
    centralWidget()->resize(designClient);

    // 16: the stored outer size, placed by thirds, kept on the screen.
    placeStoredWindow(this, QSize(settings_.Width, settings_.Height), QSize(kMinWidth, kMinHeight),
                      3);
}

QList<QObject*> TFRM_Main::ListCommands() const {
    return {MNU_ListClear, MNU_OutPutDesc, MNU_Public, MNU_Execute, MNU_vbExecute, MNU_Array,
            MNU_INS,       MNU_UPD,        MNU_CLR,    BTN_Execute, BTN_vbExecute, BTN_Public,
            BTN_Array,     BTN_INS,        BTN_UPD,    BTN_CLR};
}

void TFRM_Main::SetListCommandsEnabled(bool enabled) {
    for (QObject* command : ListCommands()) {
        if (auto* action = qobject_cast<QAction*>(command))
            action->setEnabled(enabled);
        else if (auto* widget = qobject_cast<QWidget*>(command))
            widget->setEnabled(enabled);
    }
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
    TFRM_Logon* logon = windows_.FRM_Logon;
    ::Database* db = logon && logon->Db ? logon->Db->database() : nullptr;
    if (!db)
        throw DbError(QStringLiteral("データベースに接続していません"));
    return *db;
}

void TFRM_Main::FormShow() {
    MNU_PackHeader->setChecked(settings_.GenSettings.PackHeader);
    MNU_ProcHeader->setChecked(settings_.GenSettings.ProcHeader);
    LBL_Tables->setText(settings_.UserNM + QStringLiteral("のテーブル一覧"));
    LBL_Tables->adjustSize();

    Model.TableCount =
        readTableList(database(), [this](const QString& name) { LST_Tables->addItem(name); });
    if (Model.TableCount == 0)
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, noTablesText());
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
    Rows->SetSeparatorWidths();
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
    windows_.FRM_Logon->close();
}

// ---- Events of the controls ----

bool TFRM_Main::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == centralWidget())
            anchors_.apply(static_cast<QResizeEvent*>(event)->size());
        break;
    case QEvent::MouseMove:
        if (!controlHint(watched).isEmpty())
            runGuarded([this, watched] { BTN_PublicMouseMove(watched); });
        break;
    case QEvent::KeyPress:
        if (watched == LST_Tables) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                runGuarded([this, key] { LST_TablesKeyDown(key); });
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFRM_Main::BTN_PublicMouseMove(QObject* Sender) {
    STB_Panels[0]->setText(controlHint(Sender));
    TIM_Hint->start(); // restarts: the default comes back after the last movement
}

void TFRM_Main::TIM_HintTimer() {
    TIM_Hint->stop();
    STB_Panels[0]->setText(defaultHint());
}

void TFRM_Main::MEM_PreviewChange() {
    MNU_Save->setEnabled(!MEM_Preview->document()->isEmpty());
}

void TFRM_Main::LST_TablesKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        MNU_SelectClick();
}

// ---- Table selection ----

void TFRM_Main::BTN_SelectClick() {
    MNU_SelectClick();
}

void TFRM_Main::MNU_SelectClick() {
    if (retrieving_)
        return;
    RetrieveColumns();
    SetListCommandsEnabled(!Rows->isEmpty());
}

void TFRM_Main::beginRetrieval() {
    retrieving_ = true;
    focusBeforeRetrieval_ = QApplication::focusWidget();
    // Menus, shortcuts, buttons, the list and the rows: nothing but the progress window's
    // abort button may act until the retrieval ends. The progress window is a window of its
    // own, so disabling this one's parts leaves it usable.
    actionStates_.clear();
    for (QAction* action : findChildren<QAction*>()) {
        actionStates_.append({action, action->isEnabled()});
        action->setEnabled(false);
    }
    menuBar()->setEnabled(false);
    centralWidget()->setEnabled(false);
}

void TFRM_Main::endRetrieval() {
    centralWidget()->setEnabled(true);
    menuBar()->setEnabled(true);
    for (const auto& [action, enabled] : std::as_const(actionStates_))
        if (action)
            action->setEnabled(enabled);
    actionStates_.clear();
    retrieving_ = false;
    regainKeyboard(); // the progress window had it

    if (focusBeforeRetrieval_ && focusBeforeRetrieval_->isEnabled())
        focusBeforeRetrieval_->setFocus();
}

void TFRM_Main::RetrieveColumns() {
    // The selection is taken once: the positions selected now are read, whatever happens
    // to the list while the retrieval lets events through.
    QList<bool> selected(LST_Tables->count(), false);
    qsizetype selectedCount = 0;
    for (int p = 0; p < LST_Tables->count(); ++p) {
        selected[p] = LST_Tables->item(p)->isSelected();
        selectedCount += selected[p] ? 1 : 0;
    }
    if (selectedCount == 0)
        return;

    BusyGuard busy(messages());
    RetrievalGuard unavailable(*this);
    if (!Rows->isEmpty())
        ClearCandidates();

    ProgressWindow progress(*windows_.FRM_Temp, Model.AbortRequested,
                            static_cast<int>(selectedCount));
    QListWidget* refTables = windows_.FRM_Reference->LST_RefTables;
    Model.MaxTableNameLength = 0;
    qsizetype i = 0;
    try {
        Database& db = database();
        // Over the list's actual items: after a failed table-list query it holds fewer
        // than TableCount.
        for (int p = 0; p < selected.size() && p < LST_Tables->count(); ++p) {
            QCoreApplication::processEvents();
            if (Model.AbortRequested)
                break;
            if (!selected[p])
                continue;
            const QString name = LST_Tables->item(p)->text();
            Model.appendCandidate(readTableColumns(db, name, selectedCount));
            // The argument dialog lists the candidates in candidate order.
            if (i == 0)
                refTables->clear();
            refTables->addItem(name);
            Rows->AddRow(i, name);
            progress.step();
            ++i;
        }
        if (Model.AbortRequested)
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
    Rows->FreeRowControls();
    Model.ClearCandidates();
}

// ---- The rows ----

void TFRM_Main::invert(FlagColumn column) {
    if (retrieving_)
        return;
    Rows->Invert(column);
}

void TFRM_Main::MNU_PublicClick() {
    invert(FlagColumn::Public);
}

void TFRM_Main::MNU_ArrayClick() {
    invert(FlagColumn::Array);
}

void TFRM_Main::MNU_INSClick() {
    invert(FlagColumn::Ins);
}

void TFRM_Main::MNU_UPDClick() {
    invert(FlagColumn::Upd);
}

void TFRM_Main::MNU_CLRClick() {
    invert(FlagColumn::Clr);
}

void TFRM_Main::BTN_PublicClick() {
    MNU_PublicClick();
}

void TFRM_Main::BTN_ArrayClick() {
    MNU_ArrayClick();
}

void TFRM_Main::BTN_INSClick() {
    MNU_INSClick();
}

void TFRM_Main::BTN_UPDClick() {
    MNU_UPDClick();
}

void TFRM_Main::BTN_CLRClick() {
    MNU_CLRClick();
}

void TFRM_Main::MNU_ListClearClick() {
    if (retrieving_ || Rows->isEmpty())
        return;
    ClearCandidates();
    SetListCommandsEnabled(false);
}

void TFRM_Main::RefButtonClick(int tag) {
    EditArguments(tag);
}

void TFRM_Main::EditArguments(qsizetype index) {
    if (retrieving_ || index < 0 || index >= Model.CandidateList.size())
        return;
    TFRM_Reference& dialog = *windows_.FRM_Reference;
    TTableSettings& table = Model.CandidateList[index];
    dialog.setWindowTitle(QStringLiteral("[") + table.TableName + QStringLiteral("]の引数設定"));
    for (qsizetype k = 0; k < table.ArgumentTables.size(); ++k)
        if (QListWidgetItem* item = dialog.LST_RefTables->item(static_cast<int>(k)))
            item->setSelected(table.ArgumentTables[k]);
    (table.GenStrOn ? dialog.RDB_STRON : dialog.RDB_STROFF)->setChecked(true);
    (table.GenNumOn ? dialog.RDB_NUMON : dialog.RDB_NUMOFF)->setChecked(true);
    setTextWhole(dialog.EDT_STRCNT, QString::number(table.GenStrCount));
    setTextWhole(dialog.EDT_NUMCNT, QString::number(table.GenNumCount));

    const int result = runModal(dialog);
    if (result != QDialog::Accepted)
        return;

    // The dialog ends with OK only when both counts are integers.
    if (const std::optional<qint32> count = parseInteger(dialog.EDT_STRCNT->text()))
        table.GenStrCount = *count;
    if (const std::optional<qint32> count = parseInteger(dialog.EDT_NUMCNT->text()))
        table.GenNumCount = *count;
    table.GenStrOn = dialog.RDB_STRON->isChecked();
    table.GenNumOn = dialog.RDB_NUMON->isChecked();
    QList<bool> tables(table.ArgumentTables.size(), false);
    for (qsizetype k = 0; k < tables.size(); ++k)
        if (const QListWidgetItem* item = dialog.LST_RefTables->item(static_cast<int>(k)))
            tables[k] = item->isSelected();
    table.setArgumentTables(tables);
}

// ---- Generation ----

void TFRM_Main::MNU_ExecuteClick() {
    GeneratePackage();
}

void TFRM_Main::BTN_ExecuteClick() {
    MNU_ExecuteClick();
}

void TFRM_Main::MNU_vbExecuteClick() {
    GenerateVbModule();
}

void TFRM_Main::BTN_vbExecuteClick() {
    MNU_vbExecuteClick();
}

void TFRM_Main::MNU_OutPutDescClick() {
    OutputTableStructure();
}

bool TFRM_Main::RunGeneration(
    const std::function<std::optional<QStringList>(const GeneratorInput&)>& generate,
    const QString& failureText) {
    if (retrieving_)
        return false;
    BusyGuard busy(messages());
    if (firstPublicTable(Model.CandidateList, *Rows) < 0) {
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok, noPublicTableText());
        return false;
    }
    if (!MEM_Preview->document()->isEmpty() &&
        messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                              overwritePreviewQuestion()) != MessageAnswer::Yes)
        return false;
    try {
        const GeneratorInput input{Model.CandidateList,      *Rows,
                                   settings_.GenSettings,    settings_.UserNM,
                                   Model.MaxTableNameLength, *clock_};
        const std::optional<QStringList> lines = generate(input);
        if (!lines) {
            messages().showTitled(MessageIcon::Information, MessageButtons::Ok,
                                  noPublicTableText());
            return false;
        }
        ReplacePreview(*lines);
        return true;
    } catch (const std::bad_alloc&) {
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, outOfMemoryText());
    } catch (const std::exception&) {
        messages().showTitled(MessageIcon::Error, MessageButtons::Ok, failureText);
    }
    return false;
}

// PreviewIsVb changes only with the preview: after a failed run the preview still holds
// what it held, of its own kind, and is saved as such.
void TFRM_Main::GeneratePackage() {
    if (RunGeneration(generatePackageLines, packageGenerationErrorText()))
        PreviewIsVb = false;
}

void TFRM_Main::GenerateVbModule() {
    const VbOptions options{MNU_OracleConst->isChecked(), MNU_ModHeader->isChecked(),
                            MNU_VbProcHeader->isChecked()};
    const auto generate = [&options](const GeneratorInput& input) {
        return generateVbModuleLines(input, options);
    };
    if (RunGeneration(generate, vbGenerationErrorText()))
        PreviewIsVb = true;
}

void TFRM_Main::OutputTableStructure() {
    if (retrieving_ || Model.CandidateList.isEmpty())
        return;
    SDLG_Main.InitialDir = settings_.GenSettings.DefPath;
    SDLG_Main.FileName = Model.CandidateList.first().TableName;
    SDLG_Main.DefaultExt = QStringLiteral(".csv");
    SDLG_Main.Filter = csvFilter();
    SDLG_Main.OverwritePrompt = true;
    SDLG_Main.CreatePrompt = true;
    if (!SDLG_Main.Execute(this))
        return;
    BusyGuard busy(messages());
    // A failure (a character Shift-JIS cannot hold, a file that cannot be written) goes to
    // the general error display; an existing file keeps its content.
    writeTableStructure(SDLG_Main.FileName, Model.CandidateList);
}

// ---- The preview ----

QStringList TFRM_Main::PreviewLines() const {
    QStringList lines;
    const QTextDocument* document = MEM_Preview->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // A soft line break (Shift+Enter) shows as a line break too.
        const QString text = block.text();
        if (text.contains(QChar::LineSeparator))
            lines.append(text.split(QChar::LineSeparator));
        else
            lines.append(text);
    }
    // The text's last line break ends its last line; the empty block after it is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TFRM_Main::ReplacePreview(const QStringList& lines) {
    QString text;
    qsizetype length = 0;
    for (const QString& line : lines)
        length += line.size() + 1;
    text.reserve(length);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1Char('\n');
    }
    MEM_Preview->setUpdatesEnabled(false);
    MEM_Preview->setPlainText(text);
    MEM_Preview->setUpdatesEnabled(true);
}

void TFRM_Main::MNU_SaveClick() {
    if (retrieving_)
        return;
    const QStringList lines = PreviewLines();
    // Refused before anything is chosen or written: code page 932 cannot hold everything a
    // user may type, and a "?" in its place would lose it.
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (const std::optional<SjisUnencodable> bad = findSjisUnencodable(lines[n])) {
            messages().showTitled(MessageIcon::Warning, MessageButtons::Ok,
                                  unsavableText(bad->character, n + 1));
            return;
        }
    }

    SDLG_Main.InitialDir = settings_.GenSettings.DefPath;
    SDLG_Main.OverwritePrompt = true;
    SDLG_Main.CreatePrompt = true;
    if (PreviewIsVb) {
        SDLG_Main.FileName = settings_.GenSettings.VbName;
        SDLG_Main.DefaultExt = QStringLiteral(".bas");
        SDLG_Main.Filter = vbFilter();
    } else {
        // The name stays as the dialog last held it.
        SDLG_Main.DefaultExt = QStringLiteral("sql");
        SDLG_Main.Filter = packageFilter();
    }
    if (!SDLG_Main.Execute(this))
        return;
    BusyGuard busy(messages());
    // A failure goes to the general error display; the file keeps its old content.
    writeSjisLines(SDLG_Main.FileName, lines);
}

// ---- Menus ----

void TFRM_Main::MNU_LogoutClick() {
    if (retrieving_)
        return;
    TFRM_Logon* logon = windows_.FRM_Logon;
    if (logon->Db)
        logon->Db->Close();
    hide();
    LST_Tables->clear();
    MEM_Preview->clear(); // disables MNU_Save through the change handler
    ClearCandidates();
    SetListCommandsEnabled(false);
    logon->show();
    logon->activateWindow();
}

void TFRM_Main::MNU_QuitClick() {
    close();
}

// The toolkit turns a check mark over itself before the handler runs; the handlers keep
// what it shows.
void TFRM_Main::MNU_PackHeaderClick() {
    settings_.GenSettings.PackHeader = MNU_PackHeader->isChecked();
}

void TFRM_Main::MNU_ProcHeaderClick() {
    settings_.GenSettings.ProcHeader = MNU_ProcHeader->isChecked();
}

// The three module marks live for the run only; the module generator reads them.
void TFRM_Main::MNU_OracleConstClick() {}

void TFRM_Main::MNU_ModHeaderClick() {}

void TFRM_Main::MNU_VbProcHeaderClick() {}

void TFRM_Main::MNU_SettingClick() {
    runModal(*windows_.FRM_Option);
}

void TFRM_Main::MNU_AboutClick() {
    runModal(*windows_.FRM_About);
}

// A window manager gives the keyboard back to this window when the progress window goes; a
// bare X server does not, and the shortcuts would stop working. (Modal dialogs see to it
// themselves through execModal.)
void TFRM_Main::regainKeyboard() {
    if (isVisible())
        activateWindow();
}

void TFRM_Main::MNU_HelpClick() {
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile() || !openWithDesktop(path))
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok, helpFailedText());
}

// ---- Texts ----

QString TFRM_Main::closeQuestion() {
    return applicationTitle() + QStringLiteral("を終了します。");
}

QString TFRM_Main::defaultHint() {
    return QStringLiteral("（各ﾎﾞﾀﾝにﾏｳｽをのせるとﾋﾝﾄを表示します）");
}

QString TFRM_Main::noTablesText() {
    return ::noTablesText();
}

QString TFRM_Main::retrievalErrorText() {
    return ::retrievalErrorText();
}

QString TFRM_Main::helpFailedText() {
    return QStringLiteral("ヘルプファイルを開けません");
}

QString TFRM_Main::unsavableText(const QString& character, qsizetype line) {
    return QStringLiteral("Shift-JISで保存できない文字があります：「") + character +
           QStringLiteral("」（") + QString::number(line) + QStringLiteral("行目）");
}

QString TFRM_Main::helpFilePath() {
    return QDir(executableFolder()).filePath(QStringLiteral("Html/index.html"));
}

QString TFRM_Main::packageFilter() {
    return QStringLiteral("SQLﾌｧｲﾙ (*.sql)|*.sql|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*");
}

QString TFRM_Main::vbFilter() {
    return QStringLiteral("BASファイル (*.bas)|*.bas|すべてのﾌｧｲﾙ (*.*)|*.*");
}

QString TFRM_Main::csvFilter() {
    return QStringLiteral("CSVファイル (*.csv)|*.csv");
}
