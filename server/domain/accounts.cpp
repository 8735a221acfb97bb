#include "accounts.h"

#include "database.h"
#include "id_counter.h"
#include "mailer.h"
#include "password_hasher.h"

#include <QDateTime>

namespace kovrel::server {

const QString Accounts::kAdminName = QStringLiteral("Администратор");

Accounts::Accounts(Database& db, PasswordHasher& hasher, Mailer& mailer)
    : m_db(db)
    , m_hasher(hasher)
    , m_mailer(mailer) {}

Identity Accounts::Identify(const QString& login, const QString& dopLogin, const QString& token) {
    Identity who;
    who.adminClaim = dopLogin.trimmed().isEmpty();
    auto q =
        m_db.Query(QStringLiteral("SELECT id, pass_hash, pass_hash_new FROM accounts WHERE login_key = ?"))
            .Bind(LoginKey(login))
            .Run();
    if (!q.Next()) return who;
    who.accountFound = true;
    who.accountId = q.Int64(0);
    const QString inUse = q.Text(1);
    const QString pending = q.Text(2);
    if (!who.adminClaim) {
        checkUser(who.accountId, dopLogin, token, who);
        return who;
    }
    if (m_hasher.Verify(token, inUse)) {
        who.passwordOk = true;
    } else if (m_hasher.Verify(token, pending)) {
        who.passwordOk = true;
        // The new password has been used: from now on it alone is valid. The guard keeps a
        // password issued meanwhile pending.
        m_db.Query(QStringLiteral("UPDATE accounts SET pass_hash = pass_hash_new, pass_hash_new = '' "
                                  "WHERE id = ? AND pass_hash_new = ?"))
            .Bind(who.accountId)
            .Bind(pending)
            .Run();
    }
    if (who.passwordOk) who.userName = kAdminName;
    return who;
}

bool Accounts::checkUser(qint64 accountId, const QString& dopLogin, const QString& token, Identity& who) {
    auto q = m_db.Query(QStringLiteral("SELECT id, user_name, pass_hash FROM users "
                                       "WHERE account_id = ? AND login_key = ? AND flag_del = 0 ORDER BY id"))
                 .Bind(accountId)
                 .Bind(LoginKey(dopLogin))
                 .Run();
    while (q.Next()) {
        if (!m_hasher.Verify(token, q.Text(2))) continue;
        who.passwordOk = true;
        who.userId = q.Int(0);
        who.userName = q.Text(1);
        return true;
    }
    return false;
}

qint64 Accounts::insertAccount(const QString& login, const QString& hash, const QString& pendingHash) {
    auto q = m_db.Query(QStringLiteral(
                            "INSERT INTO accounts (login, login_key, pass_hash, pass_hash_new, created_at) "
                            "VALUES (?, ?, ?, ?, ?) ON CONFLICT (login_key) DO NOTHING RETURNING id"))
                 .BindText(login.trimmed())
                 .BindText(LoginKey(login))
                 .BindText(hash)
                 .BindText(pendingHash)
                 .Bind(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
                 .Run();
    if (!q.Next()) return 0;
    const qint64 id = q.Int64(0);
    seedNewAccount(id);
    return id;
}

void Accounts::IssueAdminPassword(const QString& login) {
    const QString password = PasswordHasher::NewPassword();
    const QString hash = m_hasher.Hash(password);
    const bool created = insertAccount(login, QString(), hash) != 0;
    if (!created)
        m_db.Query(QStringLiteral("UPDATE accounts SET pass_hash_new = ? WHERE login_key = ?"))
            .Bind(hash)
            .Bind(LoginKey(login))
            .Run();
    const QString address = login.trimmed();
    mailPassword(
        address, QStringLiteral("Kovrel: пароль администратора"),
        created
            ? QStringLiteral("Создана учетная запись Kovrel для администратора %1.").arg(address)
            : QStringLiteral("Для учетной записи Kovrel %1 выдан новый пароль администратора.").arg(address),
        password,
        created ? QString()
                : QStringLiteral("Прежний пароль действует, пока новый не использован для входа."));
}

bool Accounts::IssueUserPassword(qint64 accountId, int userId) {
    auto user =
        m_db.Query(QStringLiteral(
                       "SELECT u.dop_login, a.login FROM users u JOIN accounts a ON a.id = u.account_id "
                       "WHERE u.account_id = ? AND u.id = ? AND u.flag_del = 0"))
            .Bind(accountId)
            .Bind(userId)
            .Run();
    if (!user.Next()) return false;
    const QString address = user.Text(0).trimmed();
    const QString account = user.Text(1);
    const QString password = PasswordHasher::NewPassword();
    m_db.Query(QStringLiteral("UPDATE users SET pass_hash = ? WHERE account_id = ? AND id = ?"))
        .Bind(m_hasher.Hash(password))
        .Bind(accountId)
        .Bind(userId)
        .Run();
    mailPassword(
        address, QStringLiteral("Kovrel: пароль пользователя"),
        QStringLiteral("Администратор %1 выдал вам новый пароль для входа в Kovrel как пользователю %2.")
            .arg(account, address),
        password, QString());
    return true;
}

void Accounts::mailPassword(const QString& address, const QString& subject, const QString& intro,
                            const QString& password, const QString& note) {
    QString body = QStringLiteral("Здравствуйте!\n\n%1\nПароль: %2\n").arg(intro, password);
    if (!note.isEmpty()) body += QStringLiteral("\n%1\n").arg(note);
    m_mailer.Send(address, subject, body);
}

qint64 Accounts::EnsureAccount(const QString& login, const QString& password, bool* created) {
    const qint64 id = insertAccount(login, m_hasher.Hash(password), QString());
    if (created) *created = id != 0;
    if (id != 0) return id;
    auto q =
        m_db.Query(QStringLiteral("SELECT id FROM accounts WHERE login_key = ?")).Bind(LoginKey(login)).Run();
    return q.Next() ? q.Int64(0) : 0;
}

void Accounts::seedNewAccount(qint64 accountId) {
    const int manager = NextId(m_db, accountId, IdSequence::Klients);
    m_db.Query(QStringLiteral("INSERT INTO klients (account_id, id, type_kl, name, upname, prim, id_manager) "
                              "VALUES (?, ?, 12, '-', '-', '', ?)"))
        .Bind(accountId)
        .Bind(manager)
        .Bind(manager)
        .Run();
    const int category = NextId(m_db, accountId, IdSequence::Grnames);
    const QString name = QStringLiteral("Основная группа");
    m_db.Query(QStringLiteral(
                   "INSERT INTO grnames (account_id, id, name, upname, prim) VALUES (?, ?, ?, ?, '')"))
        .Bind(accountId)
        .Bind(category)
        .Bind(name)
        .Bind(name.toUpper())
        .Run();
}

} // namespace kovrel::server
