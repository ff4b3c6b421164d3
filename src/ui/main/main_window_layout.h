#pragma once

#include <QSize>

#include <array>

class CodeEditor;
class ControlAnchors;
class FindBar;
class QAction;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTimer;

// The main window's controls and menus, as its design names them. The window creates them
// once (createMainWindowControls), places them for the design size (placeDesignLayout) and
// wires them to its commands; every control also carries its name as objectName.
struct MainWindowControls {
    QLabel* LBL_Tables = nullptr;
    QListWidget* LST_Tables = nullptr;
    QLabel* LBL_CapTableName = nullptr;
    QPushButton* BTN_Select = nullptr;
    QPushButton* BTN_Public = nullptr;
    QPushButton* BTN_Array = nullptr;
    QPushButton* BTN_INS = nullptr;
    QPushButton* BTN_UPD = nullptr;
    QPushButton* BTN_CLR = nullptr;
    QLabel* LBL_Ref = nullptr;
    QPushButton* BTN_Execute = nullptr;
    QPushButton* BTN_vbExecute = nullptr;
    QScrollArea* SCB_Main = nullptr;
    QLabel* LBL_Preview = nullptr;
    CodeEditor* MEM_Preview = nullptr;
    FindBar* PNL_Find = nullptr; // under the preview while shown
    QStatusBar* STB_Main = nullptr;
    std::array<QLabel*, 3> STB_Panels{}; // only the first is ever written
    QTimer* TIM_Hint = nullptr;

    QMenu* MNU_Files = nullptr;
    QAction* MNU_Logout = nullptr;
    QAction* MNU_Save = nullptr;
    QAction* MNU_Compare = nullptr;     // the preview compared with a saved file
    QAction* MNU_SaveUtf8 = nullptr;    // checked: the preview and the CSV saved as UTF-8 with LF
    QAction* MNU_SaveProfile = nullptr; // the candidate list as a tamsel-gen profile
    QAction* MNU_OpenProfile = nullptr;
    // The profiles last opened or saved, below the open command; hidden while unused.
    std::array<QAction*, 4> MNU_RecentProfiles{};
    QAction* MNU_Quit = nullptr;
    QMenu* MNU_Edit = nullptr; // the preview's
    QAction* MNU_Undo = nullptr;
    QAction* MNU_Redo = nullptr;
    QAction* MNU_Cut = nullptr;
    QAction* MNU_Copy = nullptr;
    QAction* MNU_Paste = nullptr;
    QAction* MNU_SelectAll = nullptr;
    QAction* MNU_Find = nullptr;
    QAction* MNU_GoToLine = nullptr;
    QMenu* H1 = nullptr;
    QAction* MNU_Select = nullptr;
    QAction* MNU_Execute = nullptr;
    QAction* MNU_vbExecute = nullptr;
    QAction* MNU_ListClear = nullptr;
    QAction* MNU_Public = nullptr;
    QAction* MNU_Array = nullptr;
    QAction* MNU_INS = nullptr;
    QAction* MNU_UPD = nullptr;
    QAction* MNU_CLR = nullptr;
    QMenu* MNU_Options = nullptr;
    QMenu* MNU_AboutPackage = nullptr;
    QAction* MNU_PackHeader = nullptr;
    QAction* MNU_ProcHeader = nullptr;
    QMenu* MNU_AboutVB = nullptr;
    QAction* MNU_OracleConst = nullptr;
    QAction* MNU_ModHeader = nullptr;
    QAction* MNU_VbProcHeader = nullptr;
    QAction* MNU_OutPutDesc = nullptr;
    QAction* MNU_Setting = nullptr;
    QMenu* MNU_Helps = nullptr;
    QAction* MNU_About = nullptr;
    QAction* MNU_Help = nullptr;
};

// Creates the menus and the controls of the window, with their captions, hints, fonts and
// the fixed tab order. A button that does what a menu item does is bound to the item's
// action: clicking it triggers the action, and it is enabled exactly while the action is.
// The three module marks start checked; the save and compare items start disabled, the
// UTF-8 mark unchecked.
void createMainWindowControls(QMainWindow& window, MainWindowControls& ui);

// The client area the layout is designed for: the designed outer size less a Windows
// sizable frame with its caption, less the menu bar and the status bar.
QSize designClientSize(const QMainWindow& window, const MainWindowControls& ui);

// Places every control from the ones before it in a client area of designClient, as the
// design lays them out, and anchors the controls that follow the window's edges.
void placeDesignLayout(MainWindowControls& ui, QSize designClient, ControlAnchors& anchors);

// The window's outer size as designed.
inline constexpr QSize kMainDesignSize(640, 480);
