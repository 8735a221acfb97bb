#include "backup_endpoints.h"

#include "backup.h"
#include "endpoint_registry.h"
#include "http_error.h"
#include "request_context.h"

namespace kovrel::server {

namespace {

const QString kFolder = QStringLiteral("/backup/");

// The beginning of the addresses this server hands out: --public-url, else the address and port
// that the request arrived at. Never the Host header, which the sender writes as he likes.
QString baseUrl(const RequestContext& ctx) {
    if (!ctx.Services().publicUrl.isEmpty()) return ctx.Services().publicUrl;
    return QStringLiteral("http://") + HostAndPort(ctx.Http().local, ctx.Http().localPort);
}

// A snapshot of the account taken in one read transaction; the reply is the address from
// which it can be downloaded once, through any server of the database.
HttpResponse backupDb(RequestContext& ctx) {
    ctx.RequireAdmin();
    Backup backup(ctx.Services().db, ctx.Services().dataDir);
    const Backup::Made made = backup.Create(ctx.AccountId());
    return HttpResponse::Text(
        200, QStringLiteral("%1%2%3/%4").arg(baseUrl(ctx), kFolder, made.token, made.fileName));
}

// "/backup/<token>/<file name>": the file, once.
HttpResponse download(RequestContext& ctx) {
    const QString token = ctx.Http().path.mid(kFolder.size()).section(QLatin1Char('/'), 0, 0);
    Backup backup(ctx.Services().db, ctx.Services().dataDir);
    const auto taken = backup.Take(token);
    if (!taken) throw HttpError::NotFound(QStringLiteral("Резервная копия не найдена или уже скачана"));
    HttpResponse reply;
    reply.contentType = "application/json";
    reply.body = taken->content;
    reply.headers.append(qMakePair(QByteArray("Content-Disposition"),
                                   "attachment; filename=\"" + taken->fileName.toLatin1() + '"'));
    reply.headers.append(qMakePair(QByteArray("Cache-Control"), QByteArray("no-store")));
    return reply;
}

} // namespace

void RegisterBackupEndpoints(EndpointRegistry& routes) {
    // Both take the transactions they need themselves: a snapshot is read in one and stored in
    // another.
    routes.Add(
        {QStringLiteral("/backup-db.php"), Access::None, Auth::Required, backupDb, "POST", Cache::Never});
    routes.Add({kFolder, Access::None, Auth::None, download, "GET", Cache::Never});
}

} // namespace kovrel::server
