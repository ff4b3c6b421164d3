#include "ui/main/main_window_layout.h"

#include "ui/fonts.h"
#include "ui/main/control_anchors.h"
#include "ui/widgets/code_editor.h"
#include "ui/widgets/control_hint.h"
#include "ui/widgets/find_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

// A Windows sizable frame with its caption, which the design's outer size includes.
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

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Buttons do not take the focus from the list or the preview when clicked.
    b->setFocusPolicy(Qt::TabFocus);
    setControlHint(b, hint);
    return b;
}

// The button does what the action does and is available exactly while the action is.
void bindToAction(QPushButton* button, QAction* action) {
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    button->setEnabled(action->isEnabled());
}

QAction* item(QMenu* menu, const char* name, const QString& text, QKeySequence shortcut = {},
              std::optional<QStyle::StandardPixmap> icon = std::nullopt) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    if (icon)
        action->setIcon(menu->style()->standardIcon(*icon));
    return action;
}

QAction* mark(QMenu* menu, const char* name, const QString& text) {
    QAction* action = item(menu, name, text);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

QMenu* menu(QMenuBar* bar, QMenu* parent, const char* name, const QString& text) {
    QMenu* m = parent ? parent->addMenu(text) : bar->addMenu(text);
    m->setObjectName(QLatin1String(name));
    return m;
}

// The preview's editing commands, between ファイル and 操作 as editors have them.
void createEditMenu(QMenuBar* bar, MainWindowControls& ui) {
    ui.MNU_Edit = menu(bar, nullptr, "MNU_Edit", QStringLiteral("編集(&E)"));
    ui.MNU_Undo = item(ui.MNU_Edit, "MNU_Undo", QStringLiteral("元に戻す(&U)"),
                       QKeySequence(Qt::CTRL | Qt::Key_Z));
    ui.MNU_Redo = item(ui.MNU_Edit, "MNU_Redo", QStringLiteral("やり直し(&R)"),
                       QKeySequence(Qt::CTRL | Qt::Key_Y));
    ui.MNU_Edit->addSeparator();
    ui.MNU_Cut = item(ui.MNU_Edit, "MNU_Cut", QStringLiteral("切り取り(&T)"),
                      QKeySequence(Qt::CTRL | Qt::Key_X));
    ui.MNU_Copy = item(ui.MNU_Edit, "MNU_Copy", QStringLiteral("コピー(&C)"),
                       QKeySequence(Qt::CTRL | Qt::Key_C));
    ui.MNU_Paste = item(ui.MNU_Edit, "MNU_Paste", QStringLiteral("貼り付け(&P)"),
                        QKeySequence(Qt::CTRL | Qt::Key_V));
    ui.MNU_Edit->addSeparator();
    ui.MNU_SelectAll = item(ui.MNU_Edit, "MNU_SelectAll", QStringLiteral("すべて選択(&A)"),
                            QKeySequence(Qt::CTRL | Qt::Key_A));
    ui.MNU_Edit->addSeparator();
    ui.MNU_Find = item(ui.MNU_Edit, "MNU_Find", QStringLiteral("検索(&F)"),
                       QKeySequence(Qt::CTRL | Qt::Key_F));
    ui.MNU_GoToLine = item(ui.MNU_Edit, "MNU_GoToLine", QStringLiteral("行へ移動(&G)..."),
                           QKeySequence(Qt::CTRL | Qt::Key_G));
}

void createMenus(QMainWindow& window, MainWindowControls& ui) {
    QMenuBar* bar = window.menuBar();
    ui.MNU_Files = menu(bar, nullptr, "MNU_Files", QStringLiteral("ファイル(&F)"));
    ui.MNU_Logout = item(ui.MNU_Files, "MNU_Logout", QStringLiteral("ログアウト(&L)"),
                         QKeySequence(Qt::CTRL | Qt::Key_O), QStyle::SP_ArrowBack);
    ui.MNU_Save = item(ui.MNU_Files, "MNU_Save", QStringLiteral("名前を付けて保存(&S)..."),
                       QKeySequence(Qt::CTRL | Qt::Key_S), QStyle::SP_DialogSaveButton);
    ui.MNU_Save->setEnabled(false);
    ui.MNU_Compare =
        item(ui.MNU_Files, "MNU_Compare", QStringLiteral("保存済みファイルと比較(&D)..."),
             QKeySequence(), QStyle::SP_FileDialogContentsView);
    ui.MNU_Compare->setEnabled(false);
    ui.MNU_SaveUtf8 = item(ui.MNU_Files, "MNU_SaveUtf8", QStringLiteral("UTF-8で保存"));
    ui.MNU_SaveUtf8->setCheckable(true);
    ui.MNU_SaveProfile =
        item(ui.MNU_Files, "MNU_SaveProfile", QStringLiteral("作成候補をプロファイルに保存(&P)..."),
             QKeySequence(), QStyle::SP_DriveFDIcon);
    ui.MNU_OpenProfile =
        item(ui.MNU_Files, "MNU_OpenProfile", QStringLiteral("プロファイルを開く(&R)..."),
             QKeySequence(), QStyle::SP_DialogOpenButton);
    for (std::size_t k = 0; k < ui.MNU_RecentProfiles.size(); ++k) {
        QAction* recent = ui.MNU_Files->addAction(QString());
        recent->setObjectName(QStringLiteral("MNU_RecentProfile%1").arg(k + 1));
        recent->setVisible(false);
        ui.MNU_RecentProfiles[k] = recent;
    }
    ui.MNU_Files->addSeparator()->setObjectName(QStringLiteral("MNU_Bar1"));
    ui.MNU_Quit = item(ui.MNU_Files, "MNU_Quit", QStringLiteral("閉じる(&X)"),
                       QKeySequence(Qt::CTRL | Qt::Key_Q), QStyle::SP_DialogCloseButton);

    createEditMenu(bar, ui);

    ui.H1 = menu(bar, nullptr, "H1", QStringLiteral("操作(&H)"));
    ui.MNU_Select = item(ui.H1, "MNU_Select", QStringLiteral("リストから選択(&S)"),
                         QKeySequence(Qt::Key_F4), QStyle::SP_ArrowDown);
    ui.MNU_Execute = item(ui.H1, "MNU_Execute", QStringLiteral("作成実行(&E)"),
                          QKeySequence(Qt::Key_F5), QStyle::SP_MediaPlay);
    ui.MNU_vbExecute = item(ui.H1, "MNU_vbExecute", QStringLiteral("VBソース作成(&V)"),
                            QKeySequence(Qt::Key_F6), QStyle::SP_FileIcon);
    ui.MNU_ListClear = item(ui.H1, "MNU_ListClear", QStringLiteral("作成候補リストをクリア(&C)"),
                            QKeySequence(), QStyle::SP_DialogResetButton);
    ui.H1->addSeparator()->setObjectName(QStringLiteral("N1"));
    ui.MNU_Public = item(ui.H1, "MNU_Public", QStringLiteral("公開ﾁｪｯｸ反転(&P)"));
    ui.MNU_Array = item(ui.H1, "MNU_Array", QStringLiteral("配列ﾁｪｯｸ反転(&A)"));
    ui.MNU_INS = item(ui.H1, "MNU_INS", QStringLiteral("INSERTﾁｪｯｸ反転(&I)"));
    ui.MNU_UPD = item(ui.H1, "MNU_UPD", QStringLiteral("UPDATEﾁｪｯｸ反転(&U)"));
    ui.MNU_CLR = item(ui.H1, "MNU_CLR", QStringLiteral("SET&&CLEARﾁｪｯｸ反転(&R)"));

    ui.MNU_Options = menu(bar, nullptr, "MNU_Options", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    ui.MNU_AboutPackage =
        menu(bar, ui.MNU_Options, "MNU_AboutPackage", QStringLiteral("ﾊﾟｯｹｰｼﾞ関連"));
    ui.MNU_PackHeader =
        mark(ui.MNU_AboutPackage, "MNU_PackHeader", QStringLiteral("ﾊﾟｯｹｰｼﾞﾍｯﾀﾞｰを作成(&P)"));
    ui.MNU_ProcHeader =
        mark(ui.MNU_AboutPackage, "MNU_ProcHeader", QStringLiteral("ﾌﾟﾛｼｰｼﾞｬﾍｯﾀﾞｰを作成(&R)"));
    ui.MNU_AboutVB = menu(bar, ui.MNU_Options, "MNU_AboutVB", QStringLiteral("VB関連"));
    ui.MNU_OracleConst =
        mark(ui.MNU_AboutVB, "MNU_OracleConst", QStringLiteral("ｵﾗｸﾙ関連定数の宣言(&O)"));
    ui.MNU_ModHeader =
        mark(ui.MNU_AboutVB, "MNU_ModHeader", QStringLiteral("ﾓｼﾞｭｰﾙﾍｯﾀﾞｰを作成(&M)"));
    ui.MNU_VbProcHeader =
        mark(ui.MNU_AboutVB, "MNU_VbProcHeader", QStringLiteral("ﾌﾟﾛｼｰｼﾞｬﾍｯﾀﾞｰを作成(&R)"));
    ui.MNU_OutPutDesc =
        item(ui.MNU_Options, "MNU_OutPutDesc", QStringLiteral("テーブル構造出力(&T)..."),
             QKeySequence(), QStyle::SP_FileDialogDetailedView);
    ui.MNU_Setting = item(ui.MNU_Options, "MNU_Setting", QStringLiteral("設定(&S)..."),
                          QKeySequence(), QStyle::SP_FileDialogInfoView);

    ui.MNU_Helps = menu(bar, nullptr, "MNU_Helps", QStringLiteral("ヘルプ(&H)"));
    ui.MNU_About = item(ui.MNU_Helps, "MNU_About", QStringLiteral("バージョン情報(&A)"),
                        QKeySequence(), QStyle::SP_MessageBoxInformation);
    // Its caption carries the application title, set when the window is created.
    ui.MNU_Help =
        item(ui.MNU_Helps, "MNU_Help", QString(), QKeySequence(), QStyle::SP_DialogHelpButton);
}

void createStatusBar(QMainWindow& window, MainWindowControls& ui) {
    ui.STB_Main = window.statusBar();
    ui.STB_Main->setObjectName(QStringLiteral("STB_Main"));
    ui.STB_Main->setSizeGripEnabled(false);
    // The panels keep their widths side by side. At the smallest window the three do not
    // fit, and the last one gives at the right edge: it is never written, and the others
    // stay where they were designed, the first with room for the hints.
    const int panelWidths[] = {350, 100, 200};
    for (int p = 0; p < 3; ++p) {
        auto* panel = new QLabel(ui.STB_Main);
        panel->setObjectName(QStringLiteral("STB_Panel%1").arg(p));
        panel->setTextFormat(Qt::PlainText); // a hint shows exactly as written
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        const bool last = p == 2;
        if (last) {
            panel->setMinimumWidth(0);
            panel->setMaximumWidth(panelWidths[p]);
            panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        } else {
            panel->setFixedWidth(panelWidths[p]);
        }
        ui.STB_Main->addWidget(panel, last ? 1 : 0);
        ui.STB_Panels[p] = panel;
    }
    ui.TIM_Hint = new QTimer(&window);
    ui.TIM_Hint->setObjectName(QStringLiteral("TIM_Hint"));
    ui.TIM_Hint->setInterval(kHintInterval);
    ui.TIM_Hint->setTimerType(Qt::PreciseTimer); // 4 seconds, not "about" 4
}

// The header buttons over the rows' check boxes, which invert a column.
void createFlagButtons(QWidget* client, MainWindowControls& ui) {
    ui.BTN_Public = button(client, "BTN_Public", QStringLiteral("公開"),
                           QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬを選択 (ﾊﾟｯｹｰｼﾞ)(VB)"));
    ui.BTN_Array = button(client, "BTN_Array", QStringLiteral("配列"),
                          QStringLiteral("作成する変数を配列にする場合選択 (ﾊﾟｯｹｰｼﾞ)(VB)"));
    ui.BTN_INS = button(client, "BTN_INS", QStringLiteral("INS"),
                        QStringLiteral("ｲﾝｻｰﾄﾌﾟﾛｼｰｼﾞｬを自動生成する時選択 (ﾊﾟｯｹｰｼﾞ)"));
    ui.BTN_UPD = button(client, "BTN_UPD", QStringLiteral("UPD"),
                        QStringLiteral("ｱｯﾌﾟﾃﾞｰﾄﾌﾟﾛｼｰｼﾞｬを自動作成する時選択 (ﾊﾟｯｹｰｼﾞ)"));
    ui.BTN_CLR = button(client, "BTN_CLR", QStringLiteral("S&&C"),
                        QStringLiteral("項目変数のｾｯﾄ&&ｸﾘｱを自動作成する時選択 (ﾊﾟｯｹｰｼﾞ)"));
}

void bindCommandsAndTabOrder(MainWindowControls& ui) {
    // Buttons and menu items that do the same thing are one command.
    bindToAction(ui.BTN_Select, ui.MNU_Select);
    bindToAction(ui.BTN_Execute, ui.MNU_Execute);
    bindToAction(ui.BTN_vbExecute, ui.MNU_vbExecute);
    bindToAction(ui.BTN_Public, ui.MNU_Public);
    bindToAction(ui.BTN_Array, ui.MNU_Array);
    bindToAction(ui.BTN_INS, ui.MNU_INS);
    bindToAction(ui.BTN_UPD, ui.MNU_UPD);
    bindToAction(ui.BTN_CLR, ui.MNU_CLR);

    // The rows come between the execute button and the list as they are made.
    // The find bar, while shown, comes last.
    QWidget* const order[] = {ui.BTN_Select,
                              ui.BTN_Public,
                              ui.BTN_Array,
                              ui.BTN_INS,
                              ui.BTN_UPD,
                              ui.BTN_CLR,
                              ui.BTN_Execute,
                              ui.LST_Tables,
                              ui.MEM_Preview,
                              ui.BTN_vbExecute,
                              ui.PNL_Find->EDT_Find,
                              ui.PNL_Find->BTN_FindNext,
                              ui.PNL_Find->BTN_FindPrevious,
                              ui.PNL_Find->CHK_MatchCase};
    for (std::size_t k = 1; k < std::size(order); ++k)
        QWidget::setTabOrder(order[k - 1], order[k]);
}

void createControls(QMainWindow& window, MainWindowControls& ui) {
    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("FRM_MainClient"));
    window.setCentralWidget(client);
    const QStyle* look = window.style();

    ui.LBL_Tables = label(client, "LBL_Tables", QString());
    QFont bold = ui.LBL_Tables->font();
    bold.setBold(true);
    ui.LBL_Tables->setFont(bold);

    ui.LST_Tables = new QListWidget(client);
    ui.LST_Tables->setObjectName(QStringLiteral("LST_Tables"));
    ui.LST_Tables->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.LST_Tables->setUniformItemSizes(true);
    ui.LST_Tables->setItemDelegate(new FixedHeightDelegate(ui.LST_Tables));

    ui.LBL_CapTableName = label(client, "LBL_CapTableName", QStringLiteral("テーブル名"));
    ui.BTN_Select = button(client, "BTN_Select", QStringLiteral("選択(F4)"),
                           QStringLiteral("リストから作成候補テーブルを選びます (ﾊﾟｯｹｰｼﾞ)(VB)"));
    ui.BTN_Select->setIcon(look->standardIcon(QStyle::SP_ArrowDown));

    createFlagButtons(client, ui);

    ui.LBL_Ref = label(client, "LBL_Ref", QStringLiteral("引数"));

    ui.BTN_Execute = button(client, "BTN_Execute", QStringLiteral("実行(F5)"),
                            QStringLiteral("パッケージソースを作成し、プレビュー表示します"));
    ui.BTN_Execute->setIcon(look->standardIcon(QStyle::SP_ArrowRight));
    ui.BTN_Execute->setLayoutDirection(Qt::RightToLeft); // the glyph right of the text
    ui.BTN_vbExecute = button(client, "BTN_vbExecute", QStringLiteral("VB(F6)↑"),
                              QStringLiteral("VBソースを作成し、プレビュー表示します"));
    for (QPushButton* b : {ui.BTN_Select, ui.BTN_Execute, ui.BTN_vbExecute})
        b->setIconSize(QSize(12, 12));

    ui.SCB_Main = new QScrollArea(client);
    ui.SCB_Main->setObjectName(QStringLiteral("SCB_Main"));
    ui.SCB_Main->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.SCB_Main->setFocusPolicy(Qt::NoFocus);

    ui.LBL_Preview = label(client, "LBL_Preview", QStringLiteral("プレビュー"));

    // Plain text without wrapping, both scroll bars, Tab inserting a tab and tab stops
    // every eight half-width characters (as the generated module is indented): the
    // editor's own settings.
    ui.MEM_Preview = new CodeEditor(client);
    ui.MEM_Preview->setObjectName(QStringLiteral("MEM_Preview"));
    ui.MEM_Preview->setTextFont(previewFont());
    ui.PNL_Find = new FindBar(client);
    ui.PNL_Find->setObjectName(QStringLiteral("PNL_Find"));
    ui.PNL_Find->hide();

    bindCommandsAndTabOrder(ui);
}

int right(const QWidget* w) {
    return w->x() + w->width();
}

int bottom(const QWidget* w) {
    return w->y() + w->height();
}

} // namespace

void createMainWindowControls(QMainWindow& window, MainWindowControls& ui) {
    createMenus(window, ui);
    createStatusBar(window, ui);
    createControls(window, ui);
}

QSize designClientSize(const QMainWindow& window, const MainWindowControls& ui) {
    const int menuHeight = window.menuBar()->sizeHint().height();
    const int statusHeight = ui.STB_Main->sizeHint().height();
    return kMainDesignSize - kDesignFrame - QSize(0, menuHeight + statusHeight);
}

void placeDesignLayout(MainWindowControls& ui, QSize designClient, ControlAnchors& anchors) {
    // The status bar lies outside the client widget, so its height is already taken off.
    const int clientWidth = designClient.width();
    const int clientHeight = designClient.height();

    ui.LBL_Tables->move(10, 8);
    ui.LST_Tables->setGeometry(ui.LBL_Tables->x(), bottom(ui.LBL_Tables) + 5, 200, 200);
    ui.LBL_CapTableName->move(ui.LBL_Tables->x() + 5, bottom(ui.LST_Tables) + 10);
    ui.BTN_Select->setGeometry(right(ui.LBL_CapTableName) + 10, ui.LBL_CapTableName->y() - 4, 75,
                               20);
    ui.BTN_Public->setGeometry(right(ui.LST_Tables), ui.LBL_CapTableName->y() - 3, 35, 17);
    QPushButton* before = ui.BTN_Public;
    for (QPushButton* b : {ui.BTN_Array, ui.BTN_INS, ui.BTN_UPD, ui.BTN_CLR}) {
        b->setGeometry(before->x() + 40, ui.BTN_Public->y(), 35, 17);
        before = b;
    }
    ui.LBL_Ref->setGeometry(ui.BTN_CLR->x() + 45, ui.LBL_CapTableName->y(), 24, 12);
    ui.BTN_Execute->setGeometry(ui.LBL_Ref->x() + 40, ui.BTN_Select->y(), 75, 20);
    ui.BTN_vbExecute->setGeometry(ui.BTN_Execute->x() + 80, ui.BTN_Select->y(), 75, 20);
    ui.SCB_Main->setGeometry(ui.LST_Tables->x(), bottom(ui.LBL_CapTableName) + 10,
                             clientWidth - (ui.LST_Tables->x() + 10),
                             clientHeight - (bottom(ui.LBL_CapTableName) + 10 + 5));
    ui.MEM_Preview->setGeometry(right(ui.LST_Tables) + 5, ui.LST_Tables->y(),
                                clientWidth - (right(ui.LST_Tables) + 5 + 10),
                                ui.LST_Tables->height());
    ui.LBL_Preview->move(ui.MEM_Preview->x(), ui.LBL_Tables->y());

    anchors.add(ui.LST_Tables, Anchor::Left | Anchor::Top | Anchor::Bottom, designClient);
    anchors.add(ui.SCB_Main, Anchor::Left | Anchor::Right | Anchor::Bottom, designClient);
    anchors.add(ui.MEM_Preview, Anchor::Left | Anchor::Top | Anchor::Right | Anchor::Bottom,
                designClient);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui.LBL_CapTableName, ui.LBL_Ref, ui.BTN_Select, ui.BTN_Public, ui.BTN_Array,
             ui.BTN_INS, ui.BTN_UPD, ui.BTN_CLR, ui.BTN_Execute, ui.BTN_vbExecute})
        anchors.add(w, Anchor::Left | Anchor::Bottom, designClient);
}
