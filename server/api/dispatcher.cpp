#include "dispatcher.h"

#include "accounts.h"
#include "database.h"
#include "http_error.h"
#include "request_context.h"
#include "store_error.h"
#include "throttle.h"
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

} // namespace

Dispatcher::Dispatcher(ServerServices& services, const EndpointRegistry& routes, qsizetype maxBodyBytes,
                       FILE* log)
    : m_services(services)
    , m_routes(routes)
    , m_maxBodyBytes(maxBodyBytes)
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
        reply = HttpResponse::Text(e.Status(), e.Reason());
        if (e.RetryAfter() > 0) reply.headers.append({"Retry-After", QByteArray::number(e.RetryAfter())});
    } catch (const StoreError& e) {
        failure = e.Message();
        reply = e.Retryable() ? HttpResponse::Text(503, QStringLiteral("Сервер занят, повторите запрос"))
                              : HttpResponse::Text(500, QStringLiteral("Ошибка базы данных"));
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
        reply = HttpResponse::Text(500, QStringLiteral("Внутренняя ошибка сервера"));
    } catch (...) {
        failure = QStringLiteral("unknown exception");
        reply = HttpResponse::Text(500, QStringLiteral("Внутренняя ошибка сервера"));
    }
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

    wire::ParsedForm form;
    form.ok = true;
    if (r->method == "POST") {
        wire::ParseLimits limits;
        limits.maxBodyBytes = m_maxBodyBytes;
        form = wire::ParseMultipartForm(request.body, request.contentType, limits);
        if (!form.ok)
            throw HttpError::BadRequest(QStringLiteral("Неверный формат запроса: %1").arg(form.error));
    }
    RequestContext ctx(m_services, request, std::move(form));
    account = ctx.TextOr(QStringLiteral("login")).trimmed();

    if (r->auth != Auth::None) {
        const QString login = ctx.Text(QStringLiteral("login"));
        const QString dopLogin = ctx.Text(QStringLiteral("dop_login"));
        const QString token = ctx.Text(QStringLiteral("token"));
        ctx.Text(QStringLiteral("client"));
        const Identity who = identify(request, login, dopLogin, token);
        if (r->auth == Auth::Required && !who.Authenticated())
            throw HttpError(401, QStringLiteral("Неверный логин или пароль"));
        ctx.SetIdentity(who);
    }
    return runHandler(*r, ctx);
}

Identity Dispatcher::identify(const HttpRequest& request, const QString& login, const QString& dopLogin,
                              const QString& token) {
    Throttles& t = m_services.throttles;
    const QString address = Throttle::AddressKey(request.peer);
    const QString claim = Accounts::LoginKey(login) + QLatin1Char('\n') + Accounts::LoginKey(dopLogin);
    // A locked address or login is not even checked: a guess then tells nothing.
    if (const int wait = std::max(t.signInsByAddress.Wait(address), t.signInsByAccount.Wait(claim)))
        throw HttpError::TooManyRequests(
            wait, QStringLiteral("Слишком много неверных паролей: повторите через %1").arg(WaitText(wait)));
    // Fields that signed in before, at the account's data version of now, need no new check.
    const QByteArray key = m_credentials.Key(login, dopLogin, token);
    if (const auto known = m_credentials.Find(key)) {
        if (known->dataVersion == dataVersion(known->accountId)) {
            t.signInsByAccount.Forget(claim);
            return *known;
        }
        m_credentials.Forget(key);
    }
    const Identity who = m_services.accounts.Identify(login, dopLogin, token);
    if (who.Authenticated()) {
        t.signInsByAccount.Forget(claim);
        m_credentials.Store(key, who);
    } else if (!token.isEmpty()) { // no password at all guesses nothing
        t.signInsByAddress.Record(address);
        t.signInsByAccount.Record(claim);
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
    line.append(' ').append(loggable(request.path).toUtf8());
    line.append(' ').append(loggable(account).toUtf8());
    line.append(' ').append(QByteArray::number(status));
    line.append(' ').append(QByteArray::number(elapsedMs)).append("ms\n");
    QMutexLocker lock(&m_logMutex);
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), m_log);
    std::fflush(m_log);
}

} // namespace kovrel::server
