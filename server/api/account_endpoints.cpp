#include "account_endpoints.h"

#include "accounts.h"
#include "endpoint_registry.h"
#include "http_error.h"
#include "json_writer.h"
#include "mailer.h"
#include "request_context.h"
#include "server_services.h"
#include "throttle.h"
#include "transaction.h"

namespace kovrel::server {

namespace {

// A new administrator password by mail. Per client address only so many requests an hour go
// through (429 past them); per login the accounts' own rules decide whether one is mailed. The
// request is counted outside the transaction of the password, so that a refusal counts too.
HttpResponse createDb(RequestContext& ctx) {
    const QString login = ctx.Text(QStringLiteral("login")).trimmed();
    if (!Mailer::IsPlainAddress(login))
        throw HttpError::BadRequest(QStringLiteral("Требуется корректный адрес электронной почты"));
    Throttle& byAddress = ctx.Services().passwordRequests;
    const QString address = ctx.Http().client.key;
    byAddress.Record(address);
    if (const int wait = byAddress.Wait(address))
        throw HttpError::TooManyRequests(
            wait,
            QStringLiteral("Слишком много запросов нового пароля: повторите через %1").arg(WaitText(wait)));
    Accounts::PasswordRequest request;
    Transaction tx(ctx.Services().db, Transaction::Mode::Write);
    try {
        request = ctx.Services().accounts.IssueAdminPassword(login);
    } catch (const MailError& e) {
        // The account and the password stay as they were: nobody would learn the new one.
        throw HttpError::MailNotSent(e.DiskFull());
    }
    tx.Commit();
    switch (request.outcome) {
    case Accounts::PasswordRequest::Outcome::Mailed:
        break;
    case Accounts::PasswordRequest::Outcome::AlreadyMailed:
        return HttpResponse::Text(200, QStringLiteral("Пароль уже отправлен на адрес %1").arg(login));
    case Accounts::PasswordRequest::Outcome::TooMany:
        throw HttpError::TooManyRequests(
            request.retryAfterSeconds,
            QStringLiteral("Новые пароли на адрес %1 уже отправлены: повторите через %2")
                .arg(login, WaitText(request.retryAfterSeconds)));
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
    routes.Add({QStringLiteral("/create-db.php"), Access::None, Auth::None, createDb});
    routes.Add({QStringLiteral("/get-lic-v3.php"), Access::Read, Auth::SignIn, signIn});
}

} // namespace kovrel::server
