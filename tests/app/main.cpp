#include "support/test_main.h"
#include "tst_demo_logon.h"
#include "tst_logon.h"
#include "tst_main_compare.h"
#include "tst_main_profiles.h"
#include "tst_main_road.h"
#include "tst_main_window.h"
#include "tst_preview_editor.h"
#include "tst_program_arguments.h"
#include "ui/application.h"

TAMSEL_TEST_MAIN(TamselApplication, TestLogon, TestDemoLogon, TestMainRoad, TestMainWindow,
                 TestPreviewEditor, TestMainProfiles, TestProgramArguments, TestMainCompare)
