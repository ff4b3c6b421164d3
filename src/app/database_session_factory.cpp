#include "app/logon_database.h"

#include "db/session.h"
#include "ui/seams.h"

namespace {

// What the logon window keeps from a successful logon on: the session and its database.
struct DbSession {
    std::unique_ptr<::Session> Session;
    std::unique_ptr<::Database> Database;
};

class SessionDatabase : public LogonDatabase {
public:
    explicit SessionDatabase(DbSession session) : session_(std::move(session)) {}
    void Close() override {
        if (session_.Database)
            session_.Database->Close();
    }
    ::Database* database() override { return session_.Database.get(); }

private:
    DbSession session_;
};

} // namespace

SessionFactory databaseSessionFactory() {
    return [](const QString& service, const QString& connect, int options) {
        SessionEnvironment environment = SessionEnvironment::forApplication();
        environment.applicationDir = executableFolder();
        DbSession session;
        session.Session = std::make_unique<Session>(environment);
        session.Database = session.Session->OpenDatabase(service, connect, options);
        return std::unique_ptr<LogonDatabase>(
            std::make_unique<SessionDatabase>(std::move(session)));
    };
}
