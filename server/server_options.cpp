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

std::optional<ServerOptions> ServerOptions::Parse(const QStringList& arguments, QString* error,
                                                  QString* help) {
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Kovrel reference service: every endpoint the Kovrel client calls."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help."));
    const QCommandLineOption listen(
        QStringLiteral("listen"),
        QStringLiteral("Address and port to listen on (default 127.0.0.1:8088; port 0 "
                       "picks a free port, printed on start)."),
        QStringLiteral("ADDR:PORT"));
    const QCommandLineOption db(QStringLiteral("db"),
                                QStringLiteral("sqlite:PATH (default: kovrel.sqlite in the data folder) or "
                                               "postgresql://user@host:port/dbname."),
                                QStringLiteral("DB"));
    const QCommandLineOption outbox(
        QStringLiteral("outbox"),
        QStringLiteral("Folder for outgoing mail, one .eml file per message (default: "
                       "outbox in the data folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption sendmail(
        QStringLiteral("sendmail"),
        QStringLiteral("Command that sends a message given on its standard input, e.g. "
                       "\"sendmail -t\"; replaces the outbox."),
        QStringLiteral("COMMAND"));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("The server's own folder: backups waiting for download, and the default database "
                       "and outbox (default: %1).")
            .arg(DefaultDataDir()),
        QStringLiteral("DIR"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Create the demo account (once) with its logins; see README.md."));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Worker threads (default 2 per core, at least 4)."),
                                     QStringLiteral("N"));
    const QCommandLineOption maxBody(QStringLiteral("max-body-bytes"),
                                     QStringLiteral("Largest request body accepted (default 33554432)."),
                                     QStringLiteral("BYTES"));
    const QCommandLineOption maxConnections(
        QStringLiteral("max-connections"),
        QStringLiteral("Connections served at once (default %1 per worker thread).")
            .arg(HttpLimits::kConnectionsPerThread),
        QStringLiteral("N"));
    const QCommandLineOption perAddress(
        QStringLiteral("max-connections-per-address"),
        QStringLiteral("Connections one client address may hold at once (default %1).")
            .arg(HttpLimits().maxConnectionsPerAddress),
        QStringLiteral("N"));
    const QCommandLineOption requestSeconds(
        QStringLiteral("request-seconds"),
        QStringLiteral("Time for a whole request (headers and body) to arrive; a connection that takes "
                       "longer is closed (default %1).")
            .arg(HttpLimits().requestSeconds),
        QStringLiteral("SECONDS"));
    const QCommandLineOption publicUrl(
        QStringLiteral("public-url"),
        QStringLiteral("The address clients reach this server by, e.g. https://kovrel.example.com, for the "
                       "download addresses it hands out (default: http:// and the address and port a request "
                       "arrived at)."),
        QStringLiteral("URL"));
    p.addOptions({helpOption, listen, db, outbox, sendmail, dataDir, demo, threads, maxBody, maxConnections,
                  perAddress, requestSeconds, publicUrl});

    if (!p.parse(arguments)) {
        *error = p.errorText();
        return std::nullopt;
    }
    if (p.isSet(helpOption)) {
        *help = p.helpText();
        return std::nullopt;
    }
    if (!p.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(p.positionalArguments().first());
        return std::nullopt;
    }
    ServerOptions o;
    o.dataDir = p.isSet(dataDir) ? p.value(dataDir) : DefaultDataDir();
    if (p.isSet(listen) && !parseListen(p.value(listen), o.address, o.port)) {
        *error = QStringLiteral("--listen expects ADDR:PORT, not \"%1\"").arg(p.value(listen));
        return std::nullopt;
    }
    o.db =
        p.isSet(db) ? p.value(db) : QStringLiteral("sqlite:") + o.dataDir + QStringLiteral("/kovrel.sqlite");
    if (!DatabaseAddress::Parse(o.db, error)) return std::nullopt;
    o.outbox = p.isSet(outbox) ? p.value(outbox) : o.dataDir + QStringLiteral("/outbox");
    o.sendmail = p.value(sendmail);
    if (p.isSet(publicUrl)) {
        o.publicUrl = parsePublicUrl(p.value(publicUrl));
        if (o.publicUrl.isEmpty()) {
            *error = QStringLiteral("--public-url expects http(s)://host[:port][/path], not \"%1\"")
                         .arg(p.value(publicUrl));
            return std::nullopt;
        }
    }
    o.demo = p.isSet(demo);
    o.limits.threads = static_cast<unsigned>(std::max(4, QThread::idealThreadCount() * 2));
    if (!readNumber(p, threads, 1, 256, o.limits.threads, error) ||
        !readNumber(p, maxBody, 1024, kUnbounded, o.limits.maxBodyBytes, error) ||
        !readNumber(p, maxConnections, o.limits.threads, 100000, o.limits.maxConnections, error) ||
        !readNumber(p, perAddress, 1, 100000, o.limits.maxConnectionsPerAddress, error) ||
        !readNumber(p, requestSeconds, 1, 3600, o.limits.requestSeconds, error))
        return std::nullopt;
    return o;
}

QString ServerOptions::ListenText(quint16 realPort) const {
    return HostAndPort(address, realPort);
}

} // namespace kovrel::server
