#pragma once

#include "identity.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace kovrel::server {

class Database;
class Mailer;
class PasswordHasher;

// Accounts and who may use them. An account is named by its administrator's e-mail login;
// logins are compared without regard to letter case. The administrator's password is changed
// only by mailing a new one, and the old one keeps working until a new one is first used, so
// asking for a new password can never lock the administrator out. Nor can anyone else's asking:
// a mailed password stays valid until it is used or kPendingHours pass, whatever is asked
// meanwhile; a request within kQuietMinutes of the last mail gets no new one, and at most
// kMostPending wait at a time.
class Accounts {
public:
    Accounts(Database& db, PasswordHasher& hasher, Mailer& mailer);

    // Whom the authentication fields name. A pending administrator password that fits becomes
    // the password in use; the one before it stops working, and so do the pending ones mailed
    // before it. Runs outside any transaction.
    Identity Identify(const QString& login, const QString& dopLogin, const QString& token);

    // What a request for a new administrator password came to.
    struct PasswordRequest {
        enum class Outcome {
            Mailed,        // a new password went out
            AlreadyMailed, // one went out minutes ago and is still waiting: nothing more
            TooMany,       // kMostPending are waiting: nothing before the oldest expires
        };
        Outcome outcome = Outcome::Mailed;
        int retryAfterSeconds = 0; // for TooMany
    };
    // Creates the account when the login is new, issues a new administrator password and mails
    // it, within the rules above. Runs inside a write transaction: a mail that cannot be sent
    // throws and so undoes it.
    PasswordRequest IssueAdminPassword(const QString& login);

    static constexpr int kPendingHours = 24;
    static constexpr int kQuietMinutes = 10;
    static constexpr int kMostPending = 3;

    // A new password for a user of the account, mailed to the user's login; it replaces the
    // old one at once (the administrator asks for it, e.g. because the old one leaked). False
    // when the account has no such user, or the user is deleted. Runs inside a write transaction.
    bool IssueUserPassword(qint64 accountId, int userId);

    // Creates the account with a known administrator password (demo data, tools; none when
    // empty); returns its ID, or that of the existing account, untouched, when the login is
    // taken.
    qint64 EnsureAccount(const QString& login, const QString& password, bool* created = nullptr);

    // New passwords for an account restored from a backup, which holds none: the
    // administrator's and every user's (not those deleted), each mailed to its login; the
    // passwords waiting to be used are dropped. Runs inside the restore's write transaction: a
    // mail that cannot be sent throws MailError and so undoes the restore. The logins mailed.
    QStringList IssueRestoredPasswords(qint64 accountId);

    static QString LoginKey(const QString& login) { return login.trimmed().toLower(); }
    static const QString kAdminName;

private:
    // The entries every account starts with: manager 1 standing for "no manager" and goods
    // category 1.
    void seedNewAccount(qint64 accountId);
    // Inserts the account unless its login is taken; its ID when it was inserted.
    qint64 insertAccount(const QString& login, const QString& hash);
    // The pending password that fits, made the one in use (who's data version then the one
    // that change gave the account); false when none fits.
    bool usePendingPassword(const QString& token, Identity& who);
    // Why no new password may go out to the account now (the expired ones dropped first), or
    // nothing when one may.
    std::optional<PasswordRequest> noNewPassword(qint64 accountId, const QDateTime& now);
    // A user's new password, mailed with `why` before the usual words; the address mailed, or
    // empty when the account has no such user (or he is deleted).
    QString issueUserPassword(qint64 accountId, int userId, const QString& why);
    // Mails a password; throws MailError when it cannot, so the transaction is undone.
    void mailPassword(const QString& address, const QString& subject, const QString& intro,
                      const QString& password, const QString& note);
    bool checkUser(qint64 accountId, const QString& dopLogin, const QString& token, Identity& who);

    Database& m_db;
    PasswordHasher& m_hasher;
    Mailer& m_mailer;
};

} // namespace kovrel::server
