#include "rights_endpoints.h"

#include "access_rights.h"
#include "accounts.h"
#include "endpoint_registry.h"
#include "entry_checks.h"
#include "http_error.h"
#include "json_writer.h"
#include "mailer.h"
#include "rec_klient.h"
#include "request_context.h"
#include "right_codes.h"

#include <QHash>

namespace kovrel::server {

namespace {

const QString kUserNotFound = QStringLiteral("Пользователь не найден");
const QString kStoreNotFound = QStringLiteral("Склад не найден");

// Everyone may read his own rights (the sign-in loads them); the administrator everybody's.
void requireSelfOrAdmin(const RequestContext& ctx, int userId) {
    if (!ctx.IsAdmin() && userId != ctx.UserId()) throw HttpError::Forbidden();
}

void requireUser(const RequestContext& ctx, int userId) {
    if (!AccountCatalog(ctx).Exists(Catalog::Table::Users, userId)) throw HttpError::NotFound(kUserNotFound);
}

// Every right of the code table with the user's value, 0 where none was stored; nothing for
// an ID that is not a user of the account.
HttpResponse getUserRights(RequestContext& ctx) {
    const int id = ctx.Int(QStringLiteral("id"));
    requireSelfOrAdmin(ctx, id);
    JsonWriter w;
    w.BeginArray();
    if (AccountCatalog(ctx).Exists(Catalog::Table::Users, id)) {
        QHash<int, int> stored;
        auto q = ctx.Query(QStringLiteral(
                               "SELECT id_right, ur FROM user_rights WHERE account_id = ? AND id_user = ?"))
                     .Bind(ctx.AccountId())
                     .Bind(id)
                     .Run();
        while (q.Next())
            stored.insert(q.Int(0), q.Int(1));
        for (const RightCode& r : AllRightCodes())
            w.BeginObject()
                .Field(QLatin1StringView("id_right"), r.code)
                .Field(QLatin1StringView("ur"), stored.value(r.code, 0))
                .EndObject();
    }
    w.EndArray();
    return HttpResponse::Json(w.Take());
}

// The fields named by a prefix and an ID ("UR1001", "user_id_7"), with their IDs, in order.
QList<std::pair<int, QString>> numberedFields(const RequestContext& ctx, const QString& prefix) {
    QList<std::pair<int, QString>> out;
    for (const auto& f : ctx.Form().fields) {
        if (!f.name.startsWith(prefix)) continue;
        const QString digits = f.name.mid(prefix.size());
        bool ok = !digits.isEmpty() && digits.size() <= 9;
        for (QChar c : digits)
            ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!ok) throw HttpError::BadRequest(QStringLiteral("Неизвестное поле %1").arg(f.name));
        out.append({digits.toInt(), f.name});
    }
    return out;
}

// A value fit for the right: a number of days (at most three digits) for a lock, else 0 or 1.
int rightValue(const RequestContext& ctx, const RightCode& right, const QString& field) {
    const int value = ctx.Int(field);
    const bool days = right.kind == RightKind::DaysLock;
    if (value < 0 || value > (days ? 999 : 1))
        throw HttpError::BadRequest(days ? QStringLiteral("Поле %1: число дней от 0 до 999").arg(field)
                                         : QStringLiteral("Поле %1 должно быть 0 или 1").arg(field));
    return value;
}

// Everything is checked before the first write.
HttpResponse updateUserRights(RequestContext& ctx) {
    ctx.RequireAdmin();
    const int id = ctx.Int(QStringLiteral("id"));
    requireUser(ctx, id);
    QList<std::pair<int, int>> values;
    for (const auto& [code, field] : numberedFields(ctx, QStringLiteral("UR"))) {
        const RightCode* right = FindRightCode(code);
        if (!right) throw HttpError::BadRequest(QStringLiteral("Неизвестное право %1").arg(field));
        values.append({code, rightValue(ctx, *right, field)});
    }
    AccessRights rights(ctx.Services().db, ctx.AccountId());
    for (const auto& [code, value] : values)
        rights.SetUserRight(id, code, value);
    return IdReply(id);
}

// One element per user of the account: the level of access to the store.
HttpResponse storeRightsOnStore(RequestContext& ctx) {
    ctx.RequireRight(Right::Stores);
    const int store = ctx.Int(QStringLiteral("id"));
    RequireKlientKind(ctx, store, {TypeKlKind::Store}, kStoreNotFound);
    return ctx.Rows(QStringLiteral("SELECT s.id AS id_store, u.id AS id_user, COALESCE(r.ur, %1) AS ur, "
                                   "u.user_name FROM klients s JOIN users u ON u.account_id = s.account_id "
                                   "LEFT JOIN store_rights r ON r.account_id = s.account_id "
                                   "AND r.id_store = s.id AND r.id_user = u.id "
                                   "WHERE s.account_id = ? AND s.id = ? AND u.flag_del = 0 "
                                   "ORDER BY u.upname, u.id")
                        .arg(AccessRights::kDefaultStoreLevel),
                    {ctx.AccountId(), store});
}

// One element per store of the account: the user's level of access to it.
HttpResponse storeRightsOnUser(RequestContext& ctx) {
    const int user = ctx.Int(QStringLiteral("id"));
    requireSelfOrAdmin(ctx, user);
    return ctx.Rows(QStringLiteral("SELECT s.id AS id_store, u.id AS id_user, COALESCE(r.ur, %1) AS ur, "
                                   "u.user_name FROM users u JOIN klients s ON s.account_id = u.account_id "
                                   "AND s.type_kl = %2 AND s.flag_del = 0 "
                                   "LEFT JOIN store_rights r ON r.account_id = u.account_id "
                                   "AND r.id_store = s.id AND r.id_user = u.id "
                                   "WHERE u.account_id = ? AND u.id = ? ORDER BY s.upname, s.id")
                        .arg(AccessRights::kDefaultStoreLevel)
                        .arg(TypeKlKind::Store),
                    {ctx.AccountId(), user});
}

// The store editor writes its users' levels: whoever may change stores may set them.
HttpResponse updateStoreRights(RequestContext& ctx) {
    ctx.RequireRight(Right::Stores);
    const int store = ctx.Int(QStringLiteral("id"));
    RequireKlientKind(ctx, store, {TypeKlKind::Store}, kStoreNotFound);
    QList<std::pair<int, int>> levels;
    for (const auto& [user, field] : numberedFields(ctx, QStringLiteral("user_id_"))) {
        requireUser(ctx, user);
        const int level = ctx.Int(field);
        if (level < 0 || level > 2)
            throw HttpError::BadRequest(QStringLiteral("Поле %1: уровень доступа 0, 1 или 2").arg(field));
        levels.append({user, level});
    }
    AccessRights rights(ctx.Services().db, ctx.AccountId());
    for (const auto& [user, level] : levels)
        rights.SetStoreLevel(store, user, level);
    return IdReply(store);
}

// A new password for a user, mailed to the user's stored login. The editor sends the login
// as typed; when it differs from the stored one, the password would reach an address that
// cannot sign in with it (or the old address would get it unasked), so nothing is sent until
// the changed login has been saved.
HttpResponse createNewPassword(RequestContext& ctx) {
    ctx.RequireAdmin();
    const int id = ctx.Int(QStringLiteral("user_id"));
    requireUser(ctx, id);
    const QString typed = QStringLiteral("user_dop_login");
    auto stored = ctx.Query(QStringLiteral("SELECT login_key FROM users WHERE account_id = ? AND id = ?"))
                      .Bind(ctx.AccountId())
                      .Bind(id)
                      .Run();
    stored.Next();
    if (ctx.Has(typed) && Accounts::LoginKey(ctx.Text(typed)) != stored.Text(0))
        throw HttpError::Conflict(QStringLiteral("Логин пользователя изменен: сохраните пользователя"));
    try {
        if (!ctx.Services().accounts.IssueUserPassword(ctx.AccountId(), id))
            throw HttpError::NotFound(kUserNotFound);
    } catch (const MailError& e) {
        throw HttpError::MailNotSent(e.DiskFull());
    }
    return IdReply(id);
}

} // namespace

void RegisterRightsEndpoints(EndpointRegistry& routes) {
    routes.Add(QStringLiteral("/get-user-rights.php"), Access::Read, getUserRights);
    routes.Add(QStringLiteral("/update-user-rights.php"), Access::Write, updateUserRights);
    routes.Add(QStringLiteral("/get-store-rights-one-store.php"), Access::Read, storeRightsOnStore);
    routes.Add(QStringLiteral("/get-store-rights-one-user.php"), Access::Read, storeRightsOnUser);
    routes.Add(QStringLiteral("/update-store-rights.php"), Access::Write, updateStoreRights);
    routes.Add(QStringLiteral("/create-new-pas.php"), Access::Write, createNewPassword);
}

} // namespace kovrel::server
