#include "server_options.h"

#include "database.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <limits>

namespace kovrel::server {

namespace {

constexpr qlonglong kUnbounded = std::numeric_limits<qlonglong>::max();

// A whole number option within its bounds, when given; false with `error` set when it is not.
template <class T>
bool readNumber(const QCommandLineParser& p, const QCommandLineOption& option, qlonglong min, qlonglong max,
                T& out, QString* error) {
    if (!p.isSet(option)) return true;
    bool ok = false;
    const qlonglong n = p.value(option).toLongLong(&ok);
    if (ok && n >= min && n <= max) {
        out = static_cast<T>(n);
        return true;
    }
    *error = max == kUnbounded
                 ? QStringLiteral("--%1 expects a number of at least %2").arg(option.names().first()).arg(min)
                 : QStringLiteral("--%1 expects a number from %2 to %3")
                       .arg(option.names().first())
                       .arg(min)
                       .arg(max);
    return false;
}

// "ADDR:PORT", "[IPv6]:PORT" or "localhost:PORT".
bool parseListen(const QString& text, QHostAddress& address, quint16& port) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0) return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host == QLatin1String("localhost")) host = QStringLiteral("127.0.0.1");
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok);
    if (!ok || p > 65535 || !address.setAddress(host)) return false;
    port = static_cast<quint16>(p);
    return true;
}

// "http(s)://host[:port][/path]" without a query, fragment or credentials; the text without a
// trailing "/", or empty when it is none of that.
QString parsePublicUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    const bool usable =
        url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
        !url.host().isEmpty() && url.userInfo().isEmpty() && !url.hasQuery() && !url.hasFragment();
    if (!usable) return {};
    QString out = url.toString(QUrl::FullyEncoded);
    while (out.endsWith(QLatin1Char('/')))
        out.chop(1);
    return out;
}

} // namespace

QString ServerOptions::DefaultDataDir() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/kovrel-server");
}

namespace {

// Every option of the command line.
struct OptionSet {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption listen{QStringLiteral("listen"),
                              QStringLiteral("Address and port to listen on (default 127.0.0.1:8088; port 0 "
                                             "picks a free port, printed on start)."),
                              QStringLiteral("ADDR:PORT")};
    QCommandLineOption db{QStringLiteral("db"),
                          QStringLiteral("sqlite:PATH (default: kovrel.sqlite in the data folder) or "
                                         "postgresql://user@host:port/dbname."),
                          QStringLiteral("DB")};
    QCommandLineOption outbox{QStringLiteral("outbox"),
                              QStringLiteral("Folder for outgoing mail, one .eml file per message (default: "
                                             "outbox in the data folder)."),
                              QStringLiteral("DIR")};
    QCommandLineOption sendmail{
        QStringLiteral("sendmail"),
        QStringLiteral("Command that sends a message given on its standard input, e.g. "
                       "\"sendmail -t\"; replaces the outbox."),
        QStringLiteral("COMMAND")};
    QCommandLineOption dataDir{
        QStringLiteral("data-dir"),
        QStringLiteral("The server's own folder: backups on their way into the database, and the "
                       "default database and outbox (default: %1).")
            .arg(ServerOptions::DefaultDataDir()),
        QStringLiteral("DIR")};
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Create the demo account (once) with its logins; see README.md.")};
    QCommandLineOption threads{QStringLiteral("threads"),
                               QStringLiteral("Worker threads (default 2 per core, at least 4)."),
                               QStringLiteral("N")};
    QCommandLineOption maxBody{QStringLiteral("max-body-bytes"),
                               QStringLiteral("Largest request body of every endpoint but the receipt import "
                                              "(default %1).")
                                   .arg(HttpLimits().maxBodyBytes),
                               QStringLiteral("BYTES")};
    QCommandLineOption maxImport{
        QStringLiteral("max-import-bytes"),
        QStringLiteral("Largest request body of the receipt import from a spreadsheet "
                       "(default %1).")
            .arg(HttpLimits().maxImportBytes),
        QStringLiteral("BYTES")};
    QCommandLineOption bodyMemory{QStringLiteral("body-memory-bytes"),
                                  QStringLiteral("Memory that all request bodies held at once may take; a "
                                                 "request beyond it gets 503 (default %1).")
                                      .arg(HttpLimits().bodyMemoryBytes),
                                  QStringLiteral("BYTES")};
    QCommandLineOption maxConnections{
        QStringLiteral("max-connections"),
        QStringLiteral("Connections served at once (default %1 per worker thread).")
            .arg(HttpLimits::kConnectionsPerThread),
        QStringLiteral("N")};
    QCommandLineOption perAddress{
        QStringLiteral("max-connections-per-address"),
        QStringLiteral("Connections one client address may hold at once (default %1).")
            .arg(HttpLimits().maxConnectionsPerAddress),
        QStringLiteral("N")};
    QCommandLineOption perNetwork{
        QStringLiteral("max-connections-per-network"),
        QStringLiteral("Connections one /24 (IPv4) or /64 (IPv6) network may hold at "
                       "once (default %1 times the per-address limit).")
            .arg(HttpLimits::kNetworkShare),
        QStringLiteral("N")};
    QCommandLineOption headerSeconds{QStringLiteral("header-seconds"),
                                     QStringLiteral("Time for a request's headers to arrive, and for an idle "
                                                    "connection to send its next request (default %1).")
                                         .arg(HttpLimits().headerSeconds),
                                     QStringLiteral("SECONDS")};
    QCommandLineOption requestSeconds{
        QStringLiteral("request-seconds"),
        QStringLiteral("Time for a whole request (headers and body) to arrive; a "
                       "connection that takes longer is closed (default %1).")
            .arg(HttpLimits().requestSeconds),
        QStringLiteral("SECONDS")};
    QCommandLineOption publicUrl{
        QStringLiteral("public-url"),
        QStringLiteral("The address clients reach this server by, e.g. https://kovrel.example.com, for the "
                       "download addresses it hands out (default: http:// and the address and port a request "
                       "arrived at)."),
        QStringLiteral("URL")};
    QCommandLineOption trustedProxy{
        QStringLiteral("trusted-proxy"),
        QStringLiteral(
            "Load balancers or reverse proxies in front of the server (addresses or networks "
            "ADDR/BITS, separated by commas): only from them is X-Forwarded-For believed, and every "
            "rule per client address then counts the client it names; their own connections are "
            "bound by --max-connections alone. Without it the header is ignored."),
        QStringLiteral("ADDR[,ADDR...]")};
    QCommandLineOption stopSeconds{
        QStringLiteral("stop-seconds"),
        QStringLiteral("On SIGTERM or SIGINT, how long the requests under way may take to finish before the "
                       "server exits anyway (default %1); meanwhile /health answers 503.")
            .arg(ServerOptions().stopSeconds),
        QStringLiteral("SECONDS")};
    QCommandLineOption backup{QStringLiteral("backup"),
                              QStringLiteral("Write a backup of the account named by --account to the file "
                                             "named by --out, and exit.")};
    QCommandLineOption restore{
        QStringLiteral("restore"),
        QStringLiteral("Load the backup FILE into the account named by --account, which "
                       "must hold no data yet (it is created when missing); every user "
                       "gets a new password by mail. Exits 0 when restored."),
        QStringLiteral("FILE")};
    QCommandLineOption verifyOnly{QStringLiteral("verify-only"),
                                  QStringLiteral("With --restore: only say whether the file is intact.")};
    QCommandLineOption account{
        QStringLiteral("account"),
        QStringLiteral("The administrator login of the account to back up or restore."),
        QStringLiteral("LOGIN")};
    QCommandLineOption out{QStringLiteral("out"), QStringLiteral("The file --backup writes."),
                           QStringLiteral("FILE")};
    QCommandLineOption unlock{
        QStringLiteral("unlock"),
        QStringLiteral("Clear the sign-in throttling of the login (an administrator's or "
                       "a user's) on every server of the database, and exit."),
        QStringLiteral("LOGIN")};

    QList<QCommandLineOption> All() const {
        return {help,           listen,         db,          outbox,     sendmail,
                dataDir,        demo,           threads,     maxBody,    maxImport,
                bodyMemory,     maxConnections, perAddress,  perNetwork, headerSeconds,
                requestSeconds, trustedProxy,   stopSeconds, publicUrl,  backup,
                restore,        verifyOnly,     account,     out,        unlock};
    }
};

bool readLimits(const QCommandLineParser& p, const OptionSet& s, HttpLimits& l, QString* error) {
    l.threads = static_cast<unsigned>(std::max(4, QThread::idealThreadCount() * 2));
    if (!readNumber(p, s.threads, 1, 256, l.threads, error) ||
        !readNumber(p, s.maxBody, 1024, kUnbounded, l.maxBodyBytes, error) ||
        !readNumber(p, s.maxImport, 1024, kUnbounded, l.maxImportBytes, error) ||
        !readNumber(p, s.bodyMemory, 1024, kUnbounded, l.bodyMemoryBytes, error) ||
        !readNumber(p, s.maxConnections, l.threads, 100000, l.maxConnections, error) ||
        !readNumber(p, s.perAddress, 1, 100000, l.maxConnectionsPerAddress, error) ||
        !readNumber(p, s.perNetwork, 1, 100000, l.maxConnectionsPerNetwork, error) ||
        !readNumber(p, s.headerSeconds, 1, 3600, l.headerSeconds, error) ||
        !readNumber(p, s.requestSeconds, 1, 3600, l.requestSeconds, error))
        return false;
    const qsizetype largest = std::max(l.maxBodyBytes, l.maxImportBytes);
    if (l.bodyMemoryBytes < largest) {
        *error =
            QStringLiteral("--body-memory-bytes must be at least the largest body limit, %1").arg(largest);
        return false;
    }
    if (p.isSet(s.trustedProxy)) {
        const auto proxies = TrustedProxies::Parse(p.values(s.trustedProxy).join(QLatin1Char(',')), error);
        if (!proxies) return false;
        l.trustedProxies = *proxies;
    }
    // The headers are part of the request: they never have longer than all of it.
    l.headerSeconds = std::min(l.headerSeconds, l.requestSeconds);
    return true;
}

// The tool the command line asks for, and what it needs.
bool readTask(const QCommandLineParser& p, const OptionSet& s, ServerOptions& o, QString* error) {
    const int tasks = int(p.isSet(s.backup)) + int(p.isSet(s.restore)) + int(p.isSet(s.unlock));
    const auto refuse = [&](const QString& why) {
        *error = why;
        return false;
    };
    if (tasks > 1) return refuse(QStringLiteral("--backup, --restore and --unlock go one at a time"));
    if (p.isSet(s.verifyOnly) && !p.isSet(s.restore))
        return refuse(QStringLiteral("--verify-only needs --restore FILE"));
    o.account = p.value(s.account).trimmed();
    o.file = p.isSet(s.backup) ? p.value(s.out) : p.value(s.restore);
    o.unlockLogin = p.value(s.unlock).trimmed();
    if (p.isSet(s.backup)) o.task = ServerOptions::Task::Backup;
    if (p.isSet(s.restore))
        o.task = p.isSet(s.verifyOnly) ? ServerOptions::Task::VerifyBackup : ServerOptions::Task::Restore;
    if (p.isSet(s.unlock)) o.task = ServerOptions::Task::Unlock;
    const bool needsAccount = o.task == ServerOptions::Task::Backup || o.task == ServerOptions::Task::Restore;
    if (needsAccount && o.account.isEmpty())
        return refuse(QStringLiteral("name the account with --account LOGIN"));
    if (!needsAccount && p.isSet(s.account))
        return refuse(QStringLiteral("--account goes with --backup or --restore"));
    if (p.isSet(s.out) != (o.task == ServerOptions::Task::Backup))
        return refuse(QStringLiteral("--backup and --out FILE go together"));
    if (o.file.isEmpty() && o.task != ServerOptions::Task::Serve && o.task != ServerOptions::Task::Unlock)
        return refuse(QStringLiteral("name the backup file"));
    if (o.task == ServerOptions::Task::Unlock && o.unlockLogin.isEmpty())
        return refuse(QStringLiteral("--unlock expects a login"));
    return true;
}

} // namespace

std::optional<ServerOptions> ServerOptions::Parse(const QStringList& arguments, QString* error,
                                                  QString* help) {
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Kovrel reference service: every endpoint the Kovrel client calls."));
    const OptionSet s;
    p.addOptions(s.All());
    if (!p.parse(arguments)) {
        *error = p.errorText();
        return std::nullopt;
    }
    if (p.isSet(s.help)) {
        *help = p.helpText();
        return std::nullopt;
    }
    if (!p.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(p.positionalArguments().first());
        return std::nullopt;
    }
    ServerOptions o;
    o.dataDir = p.isSet(s.dataDir) ? p.value(s.dataDir) : DefaultDataDir();
    if (p.isSet(s.listen) && !parseListen(p.value(s.listen), o.address, o.port)) {
        *error = QStringLiteral("--listen expects ADDR:PORT, not \"%1\"").arg(p.value(s.listen));
        return std::nullopt;
    }
    o.db = p.isSet(s.db) ? p.value(s.db)
                         : QStringLiteral("sqlite:") + o.dataDir + QStringLiteral("/kovrel.sqlite");
    if (!DatabaseAddress::Parse(o.db, error)) return std::nullopt;
    o.outbox = p.isSet(s.outbox) ? p.value(s.outbox) : o.dataDir + QStringLiteral("/outbox");
    o.sendmail = p.value(s.sendmail);
    if (p.isSet(s.publicUrl)) {
        o.publicUrl = parsePublicUrl(p.value(s.publicUrl));
        if (o.publicUrl.isEmpty()) {
            *error = QStringLiteral("--public-url expects http(s)://host[:port][/path], not \"%1\"")
                         .arg(p.value(s.publicUrl));
            return std::nullopt;
        }
    }
    o.demo = p.isSet(s.demo);
    if (!readLimits(p, s, o.limits, error) || !readNumber(p, s.stopSeconds, 0, 3600, o.stopSeconds, error) ||
        !readTask(p, s, o, error))
        return std::nullopt;
    return o;
}

QString ServerOptions::ListenText(quint16 realPort) const {
    return HostAndPort(address, realPort);
}

} // namespace kovrel::server
