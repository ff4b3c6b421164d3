#pragma once

#include "model/generation_model.h"
#include "ui/main/control_anchors.h"
#include "ui/main/main_window_layout.h"
#include "util/text_file.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class Clock;
class Database;
class PreviewCompare;
class PreviewCommands;
class PreviewPane;
class ProfileCommands;
class StatusHints;
class TableRows;
struct AppSettings;
struct AppWindows;
struct GeneratorInput;
struct ReservedName;
enum class FlagColumn;

// The working window: the table list and, below it, the argument rows panel on the left;
// the preview editor on the right. Shown after each logon, hidden at logout; closing it
// ends the program. It owns the candidate list, the row controls and the preview.
//
// Its parts live in units of their own: the controls and their placement
// (main_window_layout), the rows (table_rows), the preview with saving and the table
// structure output (preview_pane), the preview's editing, finding and going to a line
// (preview_commands), the status-bar hints (status_hints), saving and opening profiles
// (profile_commands). The window wires them to its commands; tests find its
// controls by their object names.
class TFRM_Main : public QMainWindow {
    Q_OBJECT
public:
    // The database of the current logon, or null when there is none.
    using DatabaseSource = std::function<Database*()>;

    TFRM_Main(AppSettings& settings, AppWindows& windows, DatabaseSource database,
              QWidget* parent = nullptr);
    ~TFRM_Main() override;

    // The candidate list and its values (row i of the rows panel belongs to candidate i).
    const GenerationModel& model() const { return model_; }
    // While a column retrieval runs, no other command can start and the window cannot close.
    bool Retrieving() const { return retrieving_; }
    // Where generated headers take their date from; the system clock unless replaced.
    void setClock(std::unique_ptr<Clock> clock);
    // The profile to open once the next logon has shown the window and read its table list
    // (the program started with a profile on its command line).
    void OpenProfileAfterLogon(const QString& path);

    // The smallest outer size the window keeps.
    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 320;

signals:
    // Logout emptied and hid the window: the logon window closes the database and comes back.
    void loggedOut();
    // The window closed after its question: the logon window closes, which ends the program.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void SetListCommandsEnabled(bool enabled);
    Database& database() const;

    // Window events.
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void LST_TablesKeyDown(int key);

    // Commands.
    void MNU_LogoutClick();
    void MNU_SelectClick();
    void MNU_ListClearClick();
    void invert(FlagColumn column);
    void MNU_PackHeaderClick();
    void MNU_ProcHeaderClick();
    void MNU_HelpClick();
    // How the preview and the table structure are saved and compared: UTF-8 with LF while
    // ファイル → UTF-8で保存 is checked, else Shift-JIS with CR LF.
    TextFormat SaveFormat() const;
    void EditArguments(qsizetype index);

    // Operations.
    void RetrieveColumns();
    void GeneratePackage();
    void GenerateVbModule();
    // The frame both generation commands share: the public-table check, the overwrite
    // question, the hourglass, the preview replaced in one step, the failure messages and,
    // after the text is shown, the notice of the names in it that Oracle reserves.
    void
    RunGeneration(const std::function<std::optional<QStringList>(const GeneratorInput&)>& generate,
                  const std::function<QList<ReservedName>(const GeneratorInput&)>& reservedNames,
                  const QString& failureText, bool isVb);
    void ClearCandidates();

    AppSettings& settings_;
    AppWindows& windows_;
    DatabaseSource database_;
    std::unique_ptr<Clock> clock_;
    MainWindowControls ui_;
    ControlAnchors anchors_;
    GenerationModel model_;
    TableRows* rows_ = nullptr;
    PreviewPane* preview_ = nullptr;
    PreviewCompare* compare_ = nullptr;
    PreviewCommands* editing_ = nullptr;
    ProfileCommands* profiles_ = nullptr;
    StatusHints* hints_ = nullptr;
    bool retrieving_ = false;
    QString profileAfterLogon_;
};
