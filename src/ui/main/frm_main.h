#pragma once

#include "model/generation_model.h"
#include "ui/main/control_anchors.h"
#include "ui/save_dialog.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class Clock;
struct GeneratorInput;
class Database;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTimer;
class TableRows;
enum class FlagColumn;
struct AppSettings;
struct AppWindows;

// The working window: the table list and, below it, the argument rows panel on the left;
// the preview editor on the right. Shown after each logon, hidden at logout; closing it
// ends the program. It owns the candidate list, the row controls and the preview.
class TFRM_Main : public QMainWindow {
    Q_OBJECT
public:
    TFRM_Main(AppSettings& settings, AppWindows& windows, QWidget* parent = nullptr);
    ~TFRM_Main() override;

    // Controls.
    QLabel* LBL_Tables;
    QListWidget* LST_Tables;
    QLabel* LBL_CapTableName;
    QPushButton* BTN_Select;
    QPushButton* BTN_Public;
    QPushButton* BTN_Array;
    QPushButton* BTN_INS;
    QPushButton* BTN_UPD;
    QPushButton* BTN_CLR;
    QLabel* LBL_Ref;
    QPushButton* BTN_Execute;
    QPushButton* BTN_vbExecute;
    QScrollArea* SCB_Main;
    QLabel* LBL_Preview;
    QPlainTextEdit* MEM_Preview;
    QStatusBar* STB_Main;
    std::array<QLabel*, 3> STB_Panels; // widths 350, 100, 200; only the first is written
    QTimer* TIM_Hint;
    SaveDialog SDLG_Main;

    // Menus.
    QMenu* MNU_Files;
    QAction* MNU_Logout;
    QAction* MNU_Save;
    QAction* MNU_Quit;
    QMenu* H1;
    QAction* MNU_Select;
    QAction* MNU_Execute;
    QAction* MNU_vbExecute;
    QAction* MNU_ListClear;
    QAction* MNU_Public;
    QAction* MNU_Array;
    QAction* MNU_INS;
    QAction* MNU_UPD;
    QAction* MNU_CLR;
    QMenu* MNU_Options;
    QMenu* MNU_AboutPackage;
    QAction* MNU_PackHeader;
    QAction* MNU_ProcHeader;
    QMenu* MNU_AboutVB;
    QAction* MNU_OracleConst;
    QAction* MNU_ModHeader;
    QAction* MNU_VbProcHeader;
    QAction* MNU_OutPutDesc;
    QAction* MNU_Setting;
    QMenu* MNU_Helps;
    QAction* MNU_About;
    QAction* MNU_Help;

    // The candidate list and its rows (row i belongs to candidate i).
    GenerationModel Model;
    TableRows* Rows;
    // Whether the preview holds a module (true) or package source (false).
    bool PreviewIsVb = false;

    // The commands that need a candidate list, enabled exactly while it holds a table.
    QList<QObject*> ListCommands() const;
    void SetListCommandsEnabled(bool enabled);

    // While a column retrieval runs, no other command can start and the window cannot close.
    bool Retrieving() const { return retrieving_; }

    // Where generated headers take their date from; the system clock unless replaced.
    void setClock(std::unique_ptr<Clock> clock);

    // The preview's lines as the editor shows them: a line break ends a line, and the last
    // line break of the text starts no further line.
    QStringList PreviewLines() const;
    // Replaces the preview's text with the lines in one step, painting suspended.
    void ReplacePreview(const QStringList& lines);

    // Window events.
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void BTN_PublicMouseMove(QObject* Sender);
    void TIM_HintTimer();
    void MEM_PreviewChange();
    void LST_TablesKeyDown(int key);

    // Commands.
    void MNU_LogoutClick();
    void MNU_SaveClick();
    void MNU_QuitClick();
    void MNU_SelectClick();
    void BTN_SelectClick();
    void MNU_ExecuteClick();
    void BTN_ExecuteClick();
    void MNU_vbExecuteClick();
    void BTN_vbExecuteClick();
    void MNU_ListClearClick();
    void MNU_PublicClick();
    void MNU_ArrayClick();
    void MNU_INSClick();
    void MNU_UPDClick();
    void MNU_CLRClick();
    void BTN_PublicClick();
    void BTN_ArrayClick();
    void BTN_INSClick();
    void BTN_UPDClick();
    void BTN_CLRClick();
    void MNU_PackHeaderClick();
    void MNU_ProcHeaderClick();
    void MNU_OracleConstClick();
    void MNU_ModHeaderClick();
    void MNU_VbProcHeaderClick();
    void MNU_OutPutDescClick();
    void MNU_SettingClick();
    void MNU_AboutClick();
    void MNU_HelpClick();
    void RefButtonClick(int tag);

    // Operations.
    void RetrieveColumns();
    void EditArguments(qsizetype index);
    void GeneratePackage();
    void GenerateVbModule();
    // The frame both generation commands share: the public-table check, the overwrite
    // question, the hourglass, the preview replaced in one step and the failure messages.
    // True when the preview was replaced.
    bool
    RunGeneration(const std::function<std::optional<QStringList>(const GeneratorInput&)>& generate,
                  const QString& failureText);
    void OutputTableStructure();
    // Frees the row controls and empties the candidate list.
    void ClearCandidates();

    // The window's texts.
    static QString closeQuestion(); // "Tamselを終了します。"
    static QString defaultHint(); // "（各ﾎﾞﾀﾝにﾏｳｽをのせるとﾋﾝﾄを表示します）"
    static QString noTablesText();       // "テーブルが存在しません"
    static QString retrievalErrorText(); // "テーブル情報取得中にｴﾗｰが発生しました"
    static QString helpFailedText(); // "ヘルプファイルを開けません"
    static QString unsavableText(const QString& character, qsizetype line);
    static QString helpFilePath(); // the executable's folder + "Html/index.html"
    static QString packageFilter();
    static QString vbFilter();
    static QString csvFilter();

    // The smallest outer size the window keeps.
    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 320;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class RetrievalGuard;

    void createMenus();
    void createControls();
    void invert(FlagColumn column);
    Database& database() const;
    void beginRetrieval();
    void endRetrieval();
    void regainKeyboard();

    AppSettings& settings_;
    AppWindows& windows_;
    std::unique_ptr<Clock> clock_;
    ControlAnchors anchors_;
    bool retrieving_ = false;
    // Enabled states of the window's actions, kept while a retrieval has them disabled.
    QList<std::pair<QPointer<QAction>, bool>> actionStates_;
    QPointer<QWidget> focusBeforeRetrieval_;
};
