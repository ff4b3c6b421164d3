#include "app/logon_database.h"

#include "db/session.h"
#include "ui/seams.h"

namespace {

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
        session.Connected = true;
        return std::unique_ptr<LogonDatabase>(
            std::make_unique<SessionDatabase>(std::move(session)));
    };
}
