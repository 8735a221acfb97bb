#pragma once

#include "identity.h"

#include <QString>

namespace kovrel::server {

class Database;
class Mailer;
class PasswordHasher;

// Accounts and who may use them. An account is named by its administrator's e-mail login;
// logins are compared without regard to letter case. The administrator's password is changed
// only by mailing a new one, and the old one keeps working until the new one is first used,
// so asking for a new password can never lock the administrator out.
class Accounts {
public:
    Accounts(Database& db, PasswordHasher& hasher, Mailer& mailer);

    // Whom the authentication fields name. A pending administrator password that fits becomes
    // the password in use (and the one before it stops working). Runs outside any transaction.
    Identity Identify(const QString& login, const QString& dopLogin, const QString& token);

    // Creates the account when the login is new, issues a new administrator password and mails
    // it. Runs inside a write transaction: a mail that cannot be sent throws and so undoes it.
    void IssueAdminPassword(const QString& login);

    // A new password for a user of the account, mailed to the user's login; it replaces the
    // old one at once (the administrator asks for it, e.g. because the old one leaked). False
    // when the account has no such user, or the user is deleted. Runs inside a write transaction.
    bool IssueUserPassword(qint64 accountId, int userId);

    // Creates the account with a known administrator password (demo data, tools); returns its
    // ID, or that of the existing account, untouched, when the login is taken.
    qint64 EnsureAccount(const QString& login, const QString& password, bool* created = nullptr);

    static QString LoginKey(const QString& login) { return login.trimmed().toLower(); }
    static const QString kAdminName;

private:
    // The entries every account starts with: manager 1 standing for "no manager" and goods
    // category 1.
    void seedNewAccount(qint64 accountId);
    // Inserts the account unless its login is taken; its ID when it was inserted.
    qint64 insertAccount(const QString& login, const QString& hash, const QString& pendingHash);
    // Mails a password; throws MailError when it cannot, so the transaction is undone.
    void mailPassword(const QString& address, const QString& subject, const QString& intro,
                      const QString& password, const QString& note);
    bool checkUser(qint64 accountId, const QString& dopLogin, const QString& token, Identity& who);

    Database& m_db;
    PasswordHasher& m_hasher;
    Mailer& m_mailer;
};

} // namespace kovrel::server
