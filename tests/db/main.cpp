#include "support/test_main.h"
#include "tst_demo_database.h"
#include "tst_dictionary.h"
#include "tst_service.h"
#include "tst_session.h"
#include "tst_sqlite_dictionary.h"

#include <QCoreApplication>

TAMSEL_TEST_MAIN(QCoreApplication, TestSession, TestService, TestSqliteDictionary, TestDictionary,
                 TestDemoDatabase)
