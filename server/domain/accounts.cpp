#include "accounts.h"

#include "database.h"
#include "id_counter.h"
#include "mailer.h"
#include "password_hasher.h"

#include <QDateTime>

#include <algorithm>
#include <optional>

namespace kovrel::server {

const QString Accounts::kAdminName = QStringLiteral("Администратор");

Accounts::Accounts(Database& db, PasswordHasher& hasher, Mailer& mailer)
    : m_db(db)
    , m_hasher(hasher)
    , m_mailer(mailer) {}

namespace {

QString utcText(const QDateTime& t) {
    return t.toUTC().toString(Qt::ISODate);
}

// The oldest issue time of a pending password that is still valid.
QString validSince() {
    return utcText(QDateTime::currentDateTimeUtc().addSecs(-3600LL * Accounts::kPendingHours));
}

} // namespace

Identity Accounts::Identify(const QString& login, const QString& dopLogin, const QString& token) {
    Identity who;
    who.adminClaim = dopLogin.trimmed().isEmpty();
    auto q =
        m_db.Query(QStringLiteral("SELECT id, pass_hash, data_version FROM accounts WHERE login_key = ?"))
            .Bind(LoginKey(login))
            .Run();
    if (!q.Next()) return who;
    who.accountFound = true;
    who.accountId = q.Int64(0);
    const QString inUse = q.Text(1);
    who.dataVersion = q.Int64(2);
    if (!who.adminClaim) {
        checkUser(who.accountId, dopLogin, token, who);
        return who;
    }
    who.passwordOk = m_hasher.Verify(token, inUse) || usePendingPassword(token, who);
    if (who.passwordOk) who.userName = kAdminName;
    return who;
}

bool Accounts::usePendingPassword(const QString& token, Identity& who) {
    const qint64 accountId = who.accountId;
    if (token.isEmpty()) return false;
    auto q = m_db.Query(QStringLiteral("SELECT pass_hash, issued_at FROM pending_passwords "
                                       "WHERE account_id = ? AND issued_at > ? ORDER BY issued_at DESC"))
                 .Bind(accountId)
                 .Bind(validSince())
                 .Run();
    while (q.Next()) {
        if (!m_hasher.Verify(token, q.Text(0))) continue;
        // From now on it is the password; those mailed before it are done with, one mailed
        // meanwhile still waits. The new data version tells every server that the old
        // password no longer signs in.
        auto changed =
            m_db.Query(QStringLiteral("UPDATE accounts SET pass_hash = ?, data_version = data_version + 1 "
                                      "WHERE id = ? RETURNING data_version"))
                .Bind(q.Text(0))
                .Bind(accountId)
                .Run();
        if (changed.Next()) who.dataVersion = changed.Int64(0);
        m_db.Query(QStringLiteral("DELETE FROM pending_passwords WHERE account_id = ? AND issued_at <= ?"))
            .Bind(accountId)
            .Bind(q.Text(1))
            .Run();
        return true;
    }
    return false;
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

qint64 Accounts::insertAccount(const QString& login, const QString& hash) {
    auto q = m_db.Query(QStringLiteral("INSERT INTO accounts (login, login_key, pass_hash, created_at) "
                                       "VALUES (?, ?, ?, ?) ON CONFLICT (login_key) DO NOTHING RETURNING id"))
                 .BindText(login.trimmed())
                 .BindText(LoginKey(login))
                 .BindText(hash)
                 .Bind(utcText(QDateTime::currentDateTimeUtc()))
                 .Run();
    if (!q.Next()) return 0;
    const qint64 id = q.Int64(0);
    seedNewAccount(id);
    return id;
}

std::optional<Accounts::PasswordRequest> Accounts::noNewPassword(qint64 accountId, const QDateTime& now) {
    m_db.Query(QStringLiteral("DELETE FROM pending_passwords WHERE account_id = ? AND issued_at <= ?"))
        .Bind(accountId)
        .Bind(validSince())
        .Run();
    auto waiting = m_db.Query(QStringLiteral("SELECT COUNT(*), MIN(issued_at), MAX(issued_at) FROM "
                                             "pending_passwords WHERE account_id = ?"))
                       .Bind(accountId)
                       .Run();
    if (!waiting.Next() || waiting.Int(0) == 0) return std::nullopt;
    const QDateTime oldest = QDateTime::fromString(waiting.Text(1), Qt::ISODate);
    const QDateTime newest = QDateTime::fromString(waiting.Text(2), Qt::ISODate);
    if (newest.secsTo(now) < 60LL * kQuietMinutes)
        return PasswordRequest{PasswordRequest::Outcome::AlreadyMailed};
    if (waiting.Int(0) < kMostPending) return std::nullopt;
    const qint64 expires = now.secsTo(oldest.addSecs(3600LL * kPendingHours));
    return PasswordRequest{PasswordRequest::Outcome::TooMany, static_cast<int>(std::max<qint64>(1, expires))};
}

Accounts::PasswordRequest Accounts::IssueAdminPassword(const QString& login) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    qint64 account = insertAccount(login, QString());
    const bool created = account != 0;
    if (!created) {
        auto found = m_db.Query(QStringLiteral("SELECT id FROM accounts WHERE login_key = ?"))
                         .Bind(LoginKey(login))
                         .Run();
        found.Next();
        account = found.Int64(0);
        if (const auto refused = noNewPassword(account, now)) return *refused;
    }
    const QString password = PasswordHasher::NewPassword();
    m_db.Query(QStringLiteral(
                   "INSERT INTO pending_passwords (account_id, pass_hash, issued_at) VALUES (?, ?, ?)"))
        .Bind(account)
        .Bind(m_hasher.Hash(password))
        .Bind(utcText(now))
        .Run();
    const QString address = login.trimmed();
    QString note = QStringLiteral("Пароль действует %1 часа, пока им не воспользовались.").arg(kPendingHours);
    if (!created)
        note = QStringLiteral("Прежний пароль действует, пока новый не использован для входа.\n") + note;
    mailPassword(
        address, QStringLiteral("Kovrel: пароль администратора"),
        created
            ? QStringLiteral("Создана учетная запись Kovrel для администратора %1.").arg(address)
            : QStringLiteral("Для учетной записи Kovrel %1 выдан новый пароль администратора.").arg(address),
        password, note);
    return {PasswordRequest::Outcome::Mailed};
}

bool Accounts::IssueUserPassword(qint64 accountId, int userId) {
    return !issueUserPassword(accountId, userId, QString()).isEmpty();
}

QString Accounts::issueUserPassword(qint64 accountId, int userId, const QString& why) {
    auto user =
        m_db.Query(QStringLiteral(
                       "SELECT u.dop_login, a.login FROM users u JOIN accounts a ON a.id = u.account_id "
                       "WHERE u.account_id = ? AND u.id = ? AND u.flag_del = 0"))
            .Bind(accountId)
            .Bind(userId)
            .Run();
    if (!user.Next()) return {};
    const QString address = user.Text(0).trimmed();
    const QString account = user.Text(1);
    const QString password = PasswordHasher::NewPassword();
    m_db.Query(QStringLiteral("UPDATE users SET pass_hash = ? WHERE account_id = ? AND id = ?"))
        .Bind(m_hasher.Hash(password))
        .Bind(accountId)
        .Bind(userId)
        .Run();
    const QString intro =
        QStringLiteral("Администратор %1 выдал вам новый пароль для входа в Kovrel как пользователю %2.")
            .arg(account, address);
    mailPassword(address, QStringLiteral("Kovrel: пароль пользователя"),
                 why.isEmpty() ? intro : why + QLatin1Char('\n') + intro, password, QString());
    return address;
}

void Accounts::mailPassword(const QString& address, const QString& subject, const QString& intro,
                            const QString& password, const QString& note) {
    QString body = QStringLiteral("Здравствуйте!\n\n%1\nПароль: %2\n").arg(intro, password);
    if (!note.isEmpty()) body += QStringLiteral("\n%1\n").arg(note);
    m_mailer.Send(address, subject, body);
}

qint64 Accounts::EnsureAccount(const QString& login, const QString& password, bool* created) {
    const qint64 id = insertAccount(login, password.isEmpty() ? QString() : m_hasher.Hash(password));
    if (created) *created = id != 0;
    if (id != 0) return id;
    auto q =
        m_db.Query(QStringLiteral("SELECT id FROM accounts WHERE login_key = ?")).Bind(LoginKey(login)).Run();
    return q.Next() ? q.Int64(0) : 0;
}

QStringList Accounts::IssueRestoredPasswords(qint64 accountId) {
    auto account =
        m_db.Query(QStringLiteral("SELECT login FROM accounts WHERE id = ?")).Bind(accountId).Run();
    account.Next();
    const QString admin = account.Text(0);
    const QString restored =
        QStringLiteral(
            "Учетная запись Kovrel %1 восстановлена из резервной копии, прежние пароли не действуют.")
            .arg(admin);
    const QString password = PasswordHasher::NewPassword();
    m_db.Query(
            QStringLiteral("UPDATE accounts SET pass_hash = ?, data_version = data_version + 1 WHERE id = ?"))
        .Bind(m_hasher.Hash(password))
        .Bind(accountId)
        .Run();
    m_db.Query(QStringLiteral("DELETE FROM pending_passwords WHERE account_id = ?")).Bind(accountId).Run();
    mailPassword(admin, QStringLiteral("Kovrel: пароль администратора"), restored, password, QString());
    QStringList mailed{admin};
    auto users =
        m_db.Query(QStringLiteral("SELECT id FROM users WHERE account_id = ? AND flag_del = 0 ORDER BY id"))
            .Bind(accountId)
            .Run();
    QList<int> ids;
    while (users.Next())
        ids << users.Int(0);
    for (const int id : ids)
        mailed << issueUserPassword(accountId, id, restored);
    return mailed;
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
