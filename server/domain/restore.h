#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace kovrel::server {

class Accounts;
class Database;
struct BackupFile;

// Why a backup was not restored, as one sentence for the operator.
class RestoreError : public std::runtime_error {
public:
    explicit RestoreError(const QString& why)
        : std::runtime_error(why.toStdString()) {}
};

// Loads a backup into an account that holds no data yet (a new one is created), in one
// transaction: everything or nothing. A backup of an older schema is first loaded into a
// scratch SQLite database of that schema, which this server's migrations then bring up to date;
// a backup of a newer schema is refused. The tables go in so that every reference holds as each
// row arrives, on SQLite and PostgreSQL alike; the numbering counters come with them, so the
// next entry gets the next number. A backup holds no passwords: the administrator and every
// user get new ones by mail (Accounts::IssueRestoredPasswords).
class Restore {
public:
    Restore(Database& db, Accounts& accounts)
        : m_db(db)
        , m_accounts(accounts) {}

    struct Result {
        qint64 rows = 0;
        QStringList mailed; // the logins that got a new password
    };
    // Throws RestoreError, and StoreError or MailError when the database or the mail fails.
    Result Run(const BackupFile& backup, const QString& login);

private:
    Database& m_db;
    Accounts& m_accounts;
};

} // namespace kovrel::server
