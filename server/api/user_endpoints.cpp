#include "user_endpoints.h"

#include "accounts.h"
#include "endpoint_registry.h"
#include "entry_checks.h"
#include "http_error.h"
#include "json_writer.h"
#include "mailer.h"
#include "request_context.h"
#include "search_text.h"

namespace kovrel::server {

namespace {

// The login is where the user's password is mailed and what the user signs in with: no other
// user of the account and not the administrator may have it.
void requireLoginFree(const RequestContext& ctx, const QString& login, int userId) {
    auto admin =
        ctx.Query(QStringLiteral("SELECT login_key FROM accounts WHERE id = ?")).Bind(ctx.AccountId()).Run();
    if (admin.Next() && admin.Text(0) == Accounts::LoginKey(login))
        throw HttpError::Conflict(QStringLiteral("Это логин администратора"));
    if (AccountCatalog(ctx).UserWithLogin(login, userId) != 0)
        throw HttpError::Conflict(QStringLiteral("Пользователь с таким логином уже есть"));
}

// A user's name and login, checked; the login must be a usable mail address.
std::pair<QString, QString> userFields(const RequestContext& ctx, int userId) {
    const QString name = EntryName(ctx, QStringLiteral("user_name_win"));
    const QString login = ctx.Text(QStringLiteral("user_dop_login_win")).trimmed();
    if (!Mailer::IsPlainAddress(login))
        throw HttpError::BadRequest(
            QStringLiteral("Требуется корректный адрес электронной почты пользователя"));
    requireLoginFree(ctx, login, userId);
    return {name, login};
}

QString storedLogin(const RequestContext& ctx, int userId) {
    auto q = ctx.Query(QStringLiteral("SELECT dop_login FROM users WHERE account_id = ? AND id = ?"))
                 .Bind(ctx.AccountId())
                 .Bind(userId)
                 .Run();
    return q.Next() ? q.Text(0) : QString();
}

// Users not marked deleted whose name or login holds the filter.
HttpResponse listUsers(RequestContext& ctx) {
    ctx.RequireAdmin();
    const QString pattern = ContainsPattern(ctx.Text(QStringLiteral("upname_win")));
    return ctx.Rows(QStringLiteral("SELECT id AS \"ID\", flag_del, dop_login, user_name FROM users "
                                   "WHERE account_id = ? AND flag_del = 0 AND %1 ORDER BY upname, id")
                        .arg(SearchCondition({"upname", "login_key"})),
                    {ctx.AccountId(), pattern, pattern.toLower()});
}

HttpResponse insertUser(RequestContext& ctx) {
    ctx.RequireAdmin();
    const auto [name, login] = userFields(ctx, 0);
    return IdReply(AccountCatalog(ctx).InsertUser(name, login));
}

// Changes name and login, or sets the deletion mark, which also locks the user out.
HttpResponse updateUser(RequestContext& ctx) {
    ctx.RequireAdmin();
    const int id = ctx.Int(QStringLiteral("id"));
    Catalog catalog = AccountCatalog(ctx);
    if (!catalog.Exists(Catalog::Table::Users, id))
        throw HttpError::NotFound(QStringLiteral("Пользователь не найден"));
    if (const auto mark = DeletionMark(ctx)) {
        // A user brought back must not share a login that another user took meanwhile.
        if (!*mark) requireLoginFree(ctx, storedLogin(ctx, id), id);
        catalog.SetDeleted(Catalog::Table::Users, id, *mark);
        return IdReply(id);
    }
    const auto [name, login] = userFields(ctx, id);
    catalog.UpdateUser(id, name, login);
    return IdReply(id);
}

} // namespace

void RegisterUserEndpoints(EndpointRegistry& routes) {
    routes.Add(QStringLiteral("/list-users-json.php"), Access::Read, listUsers);
    routes.Add(QStringLiteral("/insert-user.php"), Access::Write, insertUser);
    routes.Add(QStringLiteral("/update-user.php"), Access::Write, updateUser);
}

} // namespace kovrel::server
