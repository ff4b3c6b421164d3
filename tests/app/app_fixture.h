#pragma once

// A whole program run for tests: the windows created in order over a temporary executable
// folder, a database factory that fakes the logon (any service opens the demo database and
// the calls are recorded), and the messages recorded.

#include "app/frm_logon.h"
#include "app/logon_database.h"
#include "app/program.h"
#include "support/ui_helpers.h"

#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

class FakeDatabases {
public:
    struct Call {
        QString service;
        QString connect;
        int options;
        bool operator==(const Call&) const = default;
    };

    QList<Call> calls;
    int closes = 0;
    bool fail = false;

    SessionFactory factory() {
        return [this](const QString& service, const QString& connect, int options) {
            calls.append({service, connect, options});
            if (fail)
                throw std::runtime_error("ORA-12154: TNS:could not resolve the connect identifier");
            return std::unique_ptr<LogonDatabase>(std::make_unique<Fake>(
                *this, databaseSessionFactory()(QStringLiteral("DEMO"), connect, options)));
        };
    }

private:
    class Fake : public LogonDatabase {
    public:
        Fake(FakeDatabases& owner, std::unique_ptr<LogonDatabase> demo)
            : owner_(owner), demo_(std::move(demo)) {}
        void Close() override {
            ++owner_.closes;
            demo_->Close();
        }
        ::Database* database() override { return demo_->database(); }

    private:
        FakeDatabases& owner_;
        std::unique_ptr<LogonDatabase> demo_;
    };
};

struct ProgramRun {
    // settingsText: the settings file's content (CR LF added), or none.
    explicit ProgramRun(const QString& settingsText = {});
    // The program with another database factory, over this run's folder and messages.
    explicit ProgramRun(SessionFactory factory);

    TFRM_Logon* logon() const { return program->Windows.FRM_Logon; }
    TFRM_Main* main() const { return program->Windows.FRM_Main; }
    QString iniPath() const;
    QString stored(const QString& section, const QString& key) const;

    QTemporaryDir folder;
    ScopedExecutableFolder executable{folder.path()};
    ScopedMessages messages;
    FakeDatabases databases;
    std::unique_ptr<Program> program;
};
