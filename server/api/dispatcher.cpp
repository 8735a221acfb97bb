#include "dispatcher.h"

#include "accounts.h"
#include "database.h"
#include "health_endpoints.h"
#include "http_error.h"
#include "private_files.h"
#include "request_context.h"
#include "sign_in_guard.h"
#include "store_error.h"
#include "transaction.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace kovrel::server {

namespace {

// A text from the request made safe for a one-line log entry.
QString loggable(const QString& text) {
    QString out = text.left(120);
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char(' ')) c = QLatin1Char('?');
    return out.isEmpty() ? QStringLiteral("-") : out;
}

// The local time as "yyyy-MM-ddThh:mm:ss.zzz", as Qt::ISODateWithMs writes it, without
// the cost of a QDateTime on every request.
QByteArray localTimeText() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char text[40];
    const int size = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03ld",
                                   local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                   local.tm_min, local.tm_sec, now.tv_nsec / 1000000);
    return QByteArray(text, size);
}

constexpr int kUnreachableRetrySeconds = 2;

HttpResponse errorReply(const HttpError& e) {
    HttpResponse reply = HttpResponse::Text(e.Status(), e.Reason());
    if (e.RetryAfter() > 0) reply.headers.append({"Retry-After", QByteArray::number(e.RetryAfter())});
    return reply;
}

// The database is down or restarting: nothing was read or written, and the same request may
// go through a moment later (a balancer meanwhile sends others elsewhere).
HttpResponse databaseUnreachable() {
    HttpResponse reply = HttpResponse::Text(503, QStringLiteral("База данных недоступна, повторите запрос"));
    reply.headers.append({"Retry-After", QByteArray::number(kUnreachableRetrySeconds)});
    return reply;
}

} // namespace

Dispatcher::Dispatcher(ServerServices& services, const EndpointRegistry& routes, FILE* log)
    : m_services(services)
    , m_routes(routes)
    , m_log(log) {}

HttpResponse Dispatcher::Handle(const HttpRequest& request) {
    QElapsedTimer timer;
    timer.start();
    QString account;
    HttpResponse reply;
    QString failure;
    try {
        reply = route(request, account);
    } catch (const HttpError& e) {
        reply = errorReply(e);
    } catch (const StoreError& e) {
        failure = e.Message();
        reply = e.DiskFull()      ? errorReply(HttpError::DiskFull())
                : e.Retryable()   ? HttpResponse::Busy(1)
                : e.Unreachable() ? databaseUnreachable()
                                  : HttpResponse::Text(500, QStringLiteral("Ошибка базы данных"));
    } catch (const FileError& e) {
        failure = QString::fromLocal8Bit(e.what());
        reply = e.DiskFull() ? errorReply(HttpError::DiskFull())
                             : HttpResponse::Text(500, QStringLiteral("Внутренняя ошибка сервера"));
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
        reply = HttpResponse::Text(500, QStringLiteral("Внутренняя ошибка сервера"));
    } catch (...) {
        failure = QStringLiteral("unknown exception");
        reply = HttpResponse::Text(500, QStringLiteral("Внутренняя ошибка сервера"));
    }
    // A balancer asks every few seconds: only the answers that matter are worth a line.
    if (reply.status != 200 || request.path != kHealthPath)
        logLine(request, account, reply.status, timer.elapsed());
    if (!failure.isEmpty() && m_log) {
        QMutexLocker lock(&m_logMutex);
        std::fprintf(m_log, "  error: %s\n", failure.toUtf8().constData());
        std::fflush(m_log);
    }
    return reply;
}

HttpResponse Dispatcher::route(const HttpRequest& request, QString& account) {
    const Route* r = m_routes.Find(request.path);
    if (!r) throw HttpError::NotFound(QStringLiteral("Неизвестный адрес"));
    if (request.method != r->method)
        throw HttpError(405, QStringLiteral("Нужен запрос %1").arg(QString::fromLatin1(r->method)));

    // A body larger than a form is read whole only for someone known: the authentication
    // fields in front of it are checked before the rest costs any memory.
    const bool whoFirst = r->auth == Auth::Required && request.body.size() > kWholeBodyBytes;
    wire::ParsedForm form = parseForm(*r, request, whoFirst ? kAuthenticationFields : 0);
    RequestContext front(m_services, request, form);
    account = front.TextOr(QStringLiteral("login")).trimmed();
    Identity who;
    if (r->auth != Auth::None) {
        const QString login = front.Text(QStringLiteral("login"));
        const QString dopLogin = front.Text(QStringLiteral("dop_login"));
        const QString token = front.Text(QStringLiteral("token"));
        front.Text(QStringLiteral("client"));
        who = identify(request, login, dopLogin, token);
        if (r->auth == Auth::Required && !who.Authenticated())
            throw HttpError(401, QStringLiteral("Неверный логин или пароль"));
    }
    if (whoFirst) form = parseForm(*r, request, 0);
    RequestContext ctx(m_services, request, std::move(form));
    ctx.SetIdentity(who);
    return runHandler(*r, ctx);
}

wire::ParsedForm Dispatcher::parseForm(const Route& route, const HttpRequest& request, int firstFieldsOnly) {
    wire::ParsedForm form;
    form.ok = true;
    if (route.method != "POST") return form;
    wire::ParseLimits limits;
    limits.maxBodyBytes = request.body.size(); // held to the route's limit by the HTTP layer
    limits.firstFieldsOnly = firstFieldsOnly;
    // The fields in front are looked for in the body's beginning only, however large they say
    // they are.
    QByteArrayView body = request.body;
    if (firstFieldsOnly > 0) body = body.first(std::min(body.size(), kWholeBodyBytes));
    form = wire::ParseMultipartForm(body, request.contentType, limits);
    if (!form.ok) throw HttpError::BadRequest(QStringLiteral("Неверный формат запроса: %1").arg(form.error));
    return form;
}

Identity Dispatcher::identify(const HttpRequest& request, const QString& login, const QString& dopLogin,
                              const QString& token) {
    SignInGuard& guard = m_services.signIns;
    const SignInClaim claim{Accounts::LoginKey(login), Accounts::LoginKey(dopLogin)};
    // A refused client's password is not even checked: a guess then tells nothing.
    const SignInGuard::Standing standing = guard.Wait(claim, request.client);
    if (const int wait = standing.wait)
        throw HttpError::TooManyRequests(
            wait, QStringLiteral("Слишком много неверных паролей: повторите через %1").arg(WaitText(wait)));
    // Fields that signed in before, at the account's data version of now, need no new check.
    const QByteArray key = m_credentials.Key(login, dopLogin, token);
    if (const auto known = m_credentials.Find(key)) {
        if (known->dataVersion == dataVersion(known->accountId)) {
            guard.Succeeded(claim, request.client, *known, standing);
            return *known;
        }
        m_credentials.Forget(key);
    }
    const Identity who = m_services.accounts.Identify(login, dopLogin, token);
    if (who.Authenticated()) {
        guard.Succeeded(claim, request.client, who, standing);
        m_credentials.Store(key, who);
    } else if (!token.isEmpty()) { // no password at all guesses nothing
        guard.Failed(claim, request.client, who);
    }
    return who;
}

HttpResponse Dispatcher::runHandler(const Route& route, RequestContext& ctx) {
    for (int attempt = 1;; ++attempt) {
        try {
            return runOnce(route, ctx, attempt == 1);
        } catch (const StoreError& e) {
            if (!e.Retryable() || attempt == kAttempts) throw;
            QThread::msleep(5 * attempt + QRandomGenerator::global()->bounded(10));
        }
    }
}

qint64 Dispatcher::dataVersion(qint64 accountId) {
    auto q = m_services.db.Query(QStringLiteral("SELECT data_version FROM accounts WHERE id = ?"))
                 .Bind(accountId)
                 .Run();
    return q.Next() ? q.Int64(0) : kNoAccount;
}

HttpResponse Dispatcher::runOnce(const Route& route, RequestContext& ctx, bool firstAttempt) {
    if (route.access == Access::None) return route.handler(ctx);
    Database& db = m_services.db;
    const bool write = route.access == Access::Write;
    const bool reusable = !write && route.auth == Auth::Required && route.cache == Cache::Reuse;
    QByteArray key;
    if (reusable) {
        // A reply made at the version the account has now is as good as a new one; no
        // transaction is needed to hand it out. "Now" is when the password was found valid,
        // moments ago, as long as nothing has been tried and failed since.
        key = ReplyCache::Key(ctx);
        const qint64 now = firstAttempt ? ctx.Who().dataVersion : dataVersion(ctx.AccountId());
        if (auto hit = m_cache.Find(key, now)) return *hit;
    }
    Transaction tx(db, write ? Transaction::Mode::Write : Transaction::Mode::Read);
    // A write raises the account's data version first: that locks the account's row, so its
    // writes take turns (also across servers), and tells every server's reply cache that the
    // account's replies are out of date once the write commits.
    if (write && ctx.AccountId() != 0)
        db.Query(QStringLiteral("UPDATE accounts SET data_version = data_version + 1 WHERE id = ?"))
            .Bind(ctx.AccountId())
            .Run();
    // The version of the snapshot the handler reads.
    const qint64 version = reusable ? dataVersion(ctx.AccountId()) : 0;
    HttpResponse reply = route.handler(ctx);
    tx.Commit();
    if (reusable && reply.status == 200) m_cache.Store(key, version, reply);
    return reply;
}

void Dispatcher::logLine(const HttpRequest& request, const QString& account, int status, qint64 elapsedMs) {
    if (!m_log) return;
    QByteArray line = localTimeText();
    line.append(' ').append(request.client.host.isEmpty() ? QByteArray("-") : request.client.host.toLatin1());
    line.append(' ').append(loggable(request.path).toUtf8());
    line.append(' ').append(loggable(account).toUtf8());
    line.append(' ').append(QByteArray::number(status));
    line.append(' ').append(QByteArray::number(elapsedMs)).append("ms\n");
    QMutexLocker lock(&m_logMutex);
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), m_log);
    std::fflush(m_log);
}

} // namespace kovrel::server
