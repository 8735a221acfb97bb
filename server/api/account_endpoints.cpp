#include "account_endpoints.h"

#include "accounts.h"
#include "endpoint_registry.h"
#include "http_error.h"
#include "json_writer.h"
#include "mailer.h"
#include "request_context.h"

namespace kovrel::server {

namespace {

HttpResponse createDb(RequestContext& ctx) {
    const QString login = ctx.Text(QStringLiteral("login")).trimmed();
    if (!Mailer::IsPlainAddress(login))
        throw HttpError::BadRequest(QStringLiteral("Требуется корректный адрес электронной почты"));
    try {
        ctx.Services().accounts.IssueAdminPassword(login);
    } catch (const MailError&) {
        // The account and the password stay as they were: nobody would learn the new one.
        throw HttpError::MailNotSent();
    }
    return HttpResponse::Text(200, QStringLiteral("Пароль отправлен на адрес %1").arg(login));
}

// The five keys the client reads. flag_admin says that the administrator is signing in (no
// user login) to an account that exists; test_admin_pas that his password is right.
HttpResponse signIn(RequestContext& ctx) {
    const Identity& who = ctx.Who();
    JsonWriter w;
    w.BeginObject()
        .Field(QLatin1StringView("test_admin_login"), who.accountFound ? 1 : 0)
        .Field(QLatin1StringView("test_admin_pas"), who.IsAdmin() ? 1 : 0)
        .Field(QLatin1StringView("flag_admin"), who.accountFound && who.adminClaim ? 1 : 0)
        .Field(QLatin1StringView("user_name"), who.Authenticated() ? who.userName : QString())
        .Field(QLatin1StringView("user_id"), who.Authenticated() ? who.userId : 0)
        .EndObject();
    return HttpResponse::Json(w.Take());
}

} // namespace

void RegisterAccountEndpoints(EndpointRegistry& routes) {
    routes.Add({QStringLiteral("/create-db.php"), Access::Write, Auth::None, createDb});
    routes.Add({QStringLiteral("/get-lic-v3.php"), Access::Read, Auth::SignIn, signIn});
}

} // namespace kovrel::server
