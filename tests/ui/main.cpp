#include "support/test_main.h"
#include "tst_about.h"
#include "tst_help_page.h"
#include "tst_option.h"
#include "tst_reference.h"
#include "tst_save_dialog.h"
#include "tst_table_rows.h"
#include "tst_temp.h"
#include "tst_ui_basics.h"
#include "tst_win_ctrl.h"
#include "ui/application.h"

TAMSEL_TEST_MAIN(TamselApplication, TestUiBasics, TestWinCtrl, TestOption, TestAbout, TestReference,
                 TestTemp, TestHelpPage, TestSaveDialog, TestTableRows)
