#include "support/test_main.h"
#include "tst_demo_database.h"
#include "tst_dictionary.h"
#include "tst_odbc.h"
#include "tst_service.h"
#include "tst_session.h"
#include "tst_sqlite_dictionary.h"
#include "tst_sqlite_reading.h"

#include <QCoreApplication>

#include <vector>

// "tst_db odbc [options]" runs the tests against the PostgreSQL server of the CTest
// fixture; without "odbc" the tests that need no server run.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "odbc") == 0) {
        std::vector<char*> arguments{argv[0]};
        arguments.insert(arguments.end(), argv + 2, argv + argc);
        return runTestClasses<TestOdbc>(int(arguments.size()), arguments.data());
    }
    return runTestClasses<TestSession, TestService, TestSqliteDictionary, TestSqliteReading,
                          TestDictionary, TestDemoDatabase>(argc, argv);
}
