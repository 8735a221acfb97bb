// kovrel-server under load and against the bare SQL. Prints, in one run:
//  1. requests per second and p50/p99 latency of the goods list (1 000 items) and of the stock
//     report over 100 000 stock rows, 8 keep-alive clients, beside nginx serving the same reply
//     bytes as a static file (the ceiling of HTTP on this machine);
//  2. the stock report and the debts report (its four endpoints) on the account with 1 000 000
//     document lines, beside the same SQL statements timed by the sqlite3 shell.
// Usage: bench_service [--data DIR] [--seconds N] [--server BINARY] [--db postgresql://…]
//        (DIR keeps the generated database between runs; BINARY: another build's kovrel-server;
//        with --db the data are copied into that PostgreSQL database, the service runs on it
//        and psql times the bare statements)
//        bench_service --before BINARY [--data DIR] [--seconds N]
// The second form measures, instead, the kovrel-server of an earlier build beside this one under
// the same requests: sign-ins over kept and new connections, and writes.
#include "bench_data.h"
#include "bench_server.h"
#include "load_driver.h"
#include "report_params.h"
#include "report_sql.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace kovrel::server;
using BenchServer::Child;

namespace {

struct Options {
    QString dir = QDir::temp().filePath(QStringLiteral("kovrel-bench"));
    double seconds = 10;
    QString before;                                        // an earlier build's kovrel-server to compare with
    QString server = QStringLiteral(KOVREL_SERVER_BINARY); // the one measured
    QString postgres;                                      // empty: the SQLite file itself

    QString sqliteFile() const { return QDir(dir).filePath(BenchData::FileName()); }
    QString database() const {
        return postgres.isEmpty() ? QStringLiteral("sqlite:") + sqliteFile() : postgres;
    }
};

void print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// The real server on the bench database.
quint16 startServer(Child& server, const Options& o) {
    return BenchServer::Start(server, o.server,
                              {QStringLiteral("--db"), o.database(), QStringLiteral("--outbox"),
                               QDir(o.dir).filePath(QStringLiteral("outbox"))},
                              QDir(o.dir).filePath(QStringLiteral("server.log")));
}

// Runs a program to its end with `input` on its standard input: its standard output, or
// nothing with `error` set when it fails.
std::optional<QByteArray> run(const QString& program, const QStringList& args, const QByteArray& input,
                              QString* error) {
    QProcess p;
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("%1: %2").arg(program, QString::fromUtf8(p.readAllStandardError()));
        return std::nullopt;
    }
    return p.readAllStandardOutput();
}

QStringList psqlArguments(const Options& o) {
    return {QStringLiteral("-X"),
            QStringLiteral("-q"),
            QStringLiteral("-A"),
            QStringLiteral("-t"),
            QStringLiteral("-v"),
            QStringLiteral("ON_ERROR_STOP=1"),
            o.postgres};
}

// The SQLite file's rows copied into the PostgreSQL database (its tables made by the service
// itself, started on it once), table by table from the sqlite3 shell's CSV through psql's
// \copy, with the foreign keys' triggers off; nothing to do when the document lines are there.
bool copyIntoPostgres(const Options& o, QString* error) {
    const QString lines = QStringLiteral("SELECT count(*) FROM doc_items");
    const auto want = run(QStringLiteral("sqlite3"), {o.sqliteFile(), lines}, {}, error);
    if (!want) return false;
    QString ignored;
    const auto have = run(QStringLiteral("psql"), psqlArguments(o) + QStringList{QStringLiteral("-c"), lines},
                          {}, &ignored);
    if (have && have->trimmed() == want->trimmed()) return true;
    {
        Child migrate;
        if (startServer(migrate, o) == 0) {
            *error = QStringLiteral("kovrel-server did not start on %1; see server.log").arg(o.postgres);
            return false;
        }
    }
    const auto names =
        run(QStringLiteral("sqlite3"),
            {o.sqliteFile(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                            "AND name NOT LIKE 'sqlite%' ORDER BY name")},
            {}, error);
    if (!names) return false;
    const QStringList tables = QString::fromUtf8(*names).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString script = QStringLiteral("SET session_replication_role = replica;\nTRUNCATE %1 CASCADE;\n")
                         .arg(tables.join(QStringLiteral(", ")));
    for (const QString& table : tables)
        script +=
            QStringLiteral("\\copy %1 FROM PROGRAM 'sqlite3 -csv -nullvalue \"\\N\" %2 \"SELECT * FROM %1\"' "
                           "WITH (FORMAT csv, NULL '\\N')\n")
                .arg(table, o.sqliteFile());
    script += QStringLiteral("ANALYZE;\n");
    return run(QStringLiteral("psql"),
               psqlArguments(o) + QStringList{QStringLiteral("-f"), QStringLiteral("-")}, script.toUtf8(),
               error)
        .has_value();
}

// nginx serving DIR/www on a port of its own; 0 when it is not installed or does not start.
quint16 startNginx(Child& nginx, const Options& o) {
    const QString binary = QStringLiteral("/usr/sbin/nginx");
    if (!QFile::exists(binary)) return 0;
    const quint16 port = static_cast<quint16>(20000 + QCoreApplication::applicationPid() % 20000);
    QDir(o.dir).mkpath(QStringLiteral("nginx"));
    const QString conf = QDir(o.dir).filePath(QStringLiteral("nginx/nginx.conf"));
    QFile f(conf);
    if (!f.open(QIODevice::WriteOnly)) return 0;
    // As many workers as the server has cores; logs off, files from memory once read.
    f.write(QStringLiteral(
                "daemon off; master_process on; worker_processes auto; user root;\n"
                "pid %1/nginx/nginx.pid; error_log %1/nginx/error.log;\n"
                "events { worker_connections 1024; }\n"
                "http { access_log off; sendfile on; tcp_nodelay on; keepalive_requests 1000000;\n"
                "  open_file_cache max=100; types { application/json json; }\n"
                "  client_body_temp_path %1/nginx; proxy_temp_path %1/nginx; fastcgi_temp_path %1/nginx;\n"
                "  uwsgi_temp_path %1/nginx; scgi_temp_path %1/nginx;\n"
                "  server { listen 127.0.0.1:%2; root %1/www; } }\n")
                .arg(o.dir)
                .arg(port)
                .toUtf8());
    f.close();
    nginx.P().setProcessChannelMode(QProcess::MergedChannels);
    nginx.P().start(binary, {QStringLiteral("-c"), conf});
    for (int i = 0; i < 50; ++i) {
        QThread::msleep(100);
        if (LoadDriver(QStringLiteral("127.0.0.1"), port, LoadDriver::Request("GET", "/", "x")).Once().first >
            0)
            return port;
    }
    return 0;
}

QByteArray post(quint16 port, const QString& endpoint, const QString& login,
                const QList<QPair<QString, QString>>& fields,
                const QString& password = BenchData::kPassword) {
    return BenchServer::Post(port, endpoint, login, fields, password);
}

QString loadLine(const QString& what, const LoadResult& r) {
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |")
        .arg(what)
        .arg(r.PerSecond(), 0, 'f', 0)
        .arg(r.p50Ms, 0, 'f', 2)
        .arg(r.p99Ms, 0, 'f', 2)
        .arg(r.replyBytes)
        .arg(r.failures);
}

// Load on the service, then the same bytes from nginx; returns the two rates.
QPair<double, double> underLoad(const QString& what, quint16 server, quint16 nginx, const QByteArray& request,
                                const QString& file, const Options& o) {
    const LoadDriver service(QStringLiteral("127.0.0.1"), server, request);
    const auto [status, body] = service.Once();
    if (status != 200) {
        print(QStringLiteral("| %1 | HTTP %2: %3 |")
                  .arg(what)
                  .arg(status)
                  .arg(QString::fromUtf8(body.left(200))));
        return {0, 0};
    }
    QFile out(QDir(o.dir).filePath(QStringLiteral("www/") + file));
    out.open(QIODevice::WriteOnly);
    out.write(body);
    out.close();
    const LoadResult s = service.Run(8, o.seconds);
    print(loadLine(what + QStringLiteral(", kovrel-server, reply reused"), s));
    print(loadLine(what + QStringLiteral(", kovrel-server, every reply made afresh"),
                   service.Run(8, o.seconds, true)));
    if (nginx == 0) return {s.PerSecond(), 0};
    const LoadResult n = LoadDriver(QStringLiteral("127.0.0.1"), nginx,
                                    LoadDriver::Request("GET", "/" + file.toLatin1(), "127.0.0.1"))
                             .Run(8, o.seconds);
    print(loadLine(what + QStringLiteral(", nginx static file"), n));
    return {s.PerSecond(), n.PerSecond()};
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

// Each statement run `times` times by the database's own shell (sqlite3, or psql writing the
// rows to /dev/null); the median real time of each, in ms.
QList<double> shellTimes(const QStringList& statements, int times, const Options& o) {
    const bool pg = !o.postgres.isEmpty();
    QString script = pg ? QStringLiteral("\\timing on\n") : QStringLiteral(".timer on\n.mode list\n");
    for (const QString& s : statements)
        for (int i = 0; i < times; ++i)
            script += s + QStringLiteral(";\n");
    QProcess shell;
    if (pg)
        shell.start(QStringLiteral("psql"),
                    psqlArguments(o) + QStringList{QStringLiteral("-o"), QStringLiteral("/dev/null")});
    else
        shell.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), o.sqliteFile()});
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    static const QRegularExpression sqliteTimer(QStringLiteral("^Run Time: real ([0-9.]+)"));
    static const QRegularExpression psqlTimer(QStringLiteral("^Time: ([0-9.]+) ms"));
    const QRegularExpression& timer = pg ? psqlTimer : sqliteTimer;
    const double toMs = pg ? 1 : 1000;
    QList<double> real;
    QByteArray pending;
    while (shell.state() != QProcess::NotRunning || shell.bytesAvailable()) {
        shell.waitForReadyRead(1000);
        pending += shell.readAllStandardOutput();
        qsizetype nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const auto m = timer.match(QString::fromUtf8(pending.left(nl)));
            if (m.hasMatch()) real.append(m.captured(1).toDouble() * toMs);
            pending.remove(0, nl + 1);
        }
    }
    QList<double> medians;
    for (int s = 0; s < statements.size(); ++s)
        medians.append(median(real.mid(s * times, times)));
    return medians;
}

// Median time of one request made afresh, over a keep-alive connection, one client.
double endpointMs(quint16 port, const QByteArray& request) {
    return LoadDriver(QStringLiteral("127.0.0.1"), port, request).Run(1, 4, true).p50Ms;
}

void reportTimes(quint16 port, const Options& o) {
    ReportParams p;
    p.account = BenchData::AccountId(o.sqliteFile(), BenchData::kTradeAccount);
    p.dateEnd = QStringLiteral("2024-12-31");
    const QString login = BenchData::kTradeAccount;
    const QByteArray stock = post(port, QStringLiteral("/rep-ost-json-v3.php"), login,
                                  {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "-1"}});
    const double stockMs = endpointMs(port, stock);
    using S = ReportSql::Settlement;
    const QList<QPair<const char*, S>> debts = {{"/rep-dolg-nkl-json.php", S::Sales},
                                                {"/rep-dolg-prh-json.php", S::Receipts},
                                                {"/rep-dolg-moneyi-json.php", S::MoneyFrom},
                                                {"/rep-dolg-moneyp-json.php", S::MoneyTo}};
    double debtsMs = 0;
    QStringList statements = {ReportSql::Stock(p).Inline()};
    for (const auto& [endpoint, side] : debts) {
        debtsMs += endpointMs(port, post(port, QString::fromLatin1(endpoint), login,
                                         {{"dat", p.dateEnd}, {"code_manager", "-1"}}));
        statements.append(ReportSql::Debts(p, side).Inline());
    }
    const QList<double> bare = shellTimes(statements, 5, o);
    double bareDebts = 0;
    for (int i = 1; i < bare.size(); ++i)
        bareDebts += bare[i];
    print(QStringLiteral("| stock report, all stores (100 000 stock rows) | %1 | %2 | %3 |")
              .arg(stockMs, 0, 'f', 1)
              .arg(bare.value(0), 0, 'f', 1)
              .arg(stockMs / bare.value(0), 0, 'f', 2));
    print(
        QStringLiteral("| debts report, four endpoints (100 000 documents, 50 000 payments) | %1 | %2 | %3 |")
            .arg(debtsMs, 0, 'f', 1)
            .arg(bareDebts, 0, 'f', 1)
            .arg(debtsMs / bareDebts, 0, 'f', 2));
    QFile sql(QDir(o.dir).filePath(QStringLiteral("reports.sql")));
    if (sql.open(QIODevice::WriteOnly)) sql.write(statements.join(QStringLiteral(";\n\n")).toUtf8() + ";\n");
}

const QString kDemoAdmin = QStringLiteral("demo@kovrel.local");
const QString kDemoPassword = QStringLiteral("demo2024");

// Both builds, each with the demo data on a database of its own made afresh (DIR/before,
// DIR/after), take the same requests in turn.
int beforeAndAfter(const Options& o) {
    Child servers[2];
    quint16 ports[2] = {};
    const QString binaries[2] = {o.before, QStringLiteral(KOVREL_SERVER_BINARY)};
    const QString names[2] = {QStringLiteral("before"), QStringLiteral("after")};
    for (int i = 0; i < 2; ++i) {
        QDir dir(QDir(o.dir).filePath(names[i]));
        dir.removeRecursively();
        QDir().mkpath(dir.path());
        ports[i] =
            BenchServer::Start(servers[i], binaries[i],
                               {QStringLiteral("--db"),
                                QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("kovrel.sqlite")),
                                QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--demo")},
                               dir.filePath(QStringLiteral("server.log")));
        if (ports[i] == 0) {
            print(QStringLiteral("%1 did not start; see %2/server.log").arg(binaries[i], dir.path()));
            return 1;
        }
    }
    struct Load {
        QString what;
        QByteArray (*request)(quint16 port);
        int clients;
        bool connectionPerRequest;
    };
    const auto signIn = [](quint16 port) {
        return post(port, QStringLiteral("/get-lic-v3.php"), kDemoAdmin, {}, kDemoPassword);
    };
    // A category saved with the name it has: a write transaction and its commit, every time.
    const auto write = [](quint16 port) {
        return post(port, QStringLiteral("/update-grname.php"), kDemoAdmin,
                    {{"id", "1"}, {"name_win", QStringLiteral("Основная группа")}, {"prim_win", ""}},
                    kDemoPassword);
    };
    const QList<Load> loads = {
        {QStringLiteral("sign-in, kept connections"), signIn, 8, false},
        {QStringLiteral("sign-in, a new connection per request"), signIn, 8, true},
        {QStringLiteral("a write (category saved), kept connections"), write, 8, false},
        {QStringLiteral("a write (category saved), one client"), write, 1, false},
    };
    print(QStringLiteral(
              "\n| Request, %1 s | clients | before: requests/s | p50 ms | p99 ms | after: requests/s "
              "| p50 ms | p99 ms |")
              .arg(o.seconds));
    print(QStringLiteral("|---|---|---|---|---|---|---|---|"));
    for (const Load& l : loads) {
        // The machine is shared: the builds take turns, kRounds times, and the round with the
        // median rate stands for each.
        constexpr int kRounds = 3;
        QList<LoadResult> runs[2];
        for (int round = 0; round < kRounds; ++round) {
            for (int i = 0; i < 2; ++i) {
                const LoadDriver driver(QStringLiteral("127.0.0.1"), ports[i], l.request(ports[i]));
                if (driver.Once().first != 200) {
                    print(QStringLiteral("%1: %2 refused the request").arg(l.what, names[i]));
                    return 1;
                }
                runs[i].append(driver.Run(l.clients, o.seconds, false, l.connectionPerRequest));
            }
        }
        QString row = QStringLiteral("| %1 | %2 |").arg(l.what).arg(l.clients);
        for (QList<LoadResult>& r : runs) {
            std::sort(r.begin(), r.end(),
                      [](const LoadResult& a, const LoadResult& b) { return a.PerSecond() < b.PerSecond(); });
            const LoadResult& m = r[kRounds / 2];
            row += QStringLiteral(" %1 | %2 | %3 |")
                       .arg(m.PerSecond(), 0, 'f', 0)
                       .arg(m.p50Ms, 0, 'f', 2)
                       .arg(m.p99Ms, 0, 'f', 2);
            if (m.failures > 0) row += QStringLiteral(" (%1 failed)").arg(m.failures);
        }
        print(row);
    }
    print(QStringLiteral("\nload average after the run: %1").arg(BenchServer::LoadAverage()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--data")) o.dir = args[i + 1];
        if (args[i] == QLatin1String("--seconds")) o.seconds = args[i + 1].toDouble();
        if (args[i] == QLatin1String("--before")) o.before = args[i + 1];
        if (args[i] == QLatin1String("--server")) o.server = args[i + 1];
        if (args[i] == QLatin1String("--db")) o.postgres = args[i + 1];
    }
    if (!o.before.isEmpty()) {
        print(QStringLiteral("%1 cores, load average %2")
                  .arg(QThread::idealThreadCount())
                  .arg(BenchServer::LoadAverage()));
        return beforeAndAfter(o);
    }
    QDir().mkpath(QDir(o.dir).filePath(QStringLiteral("www")));
    QElapsedTimer t;
    t.start();
    QString error;
    if (!BenchData::Ensure(o.sqliteFile(), &error)) {
        print(QStringLiteral("data generation failed: ") + error);
        return 1;
    }
    if (!o.postgres.isEmpty() && !copyIntoPostgres(o, &error)) {
        print(QStringLiteral("copying the data into PostgreSQL failed: ") + error);
        return 1;
    }
    print(QStringLiteral("%1 on %2 (data ready after %3 s); %4 cores, load average %5")
              .arg(o.server, o.database())
              .arg(t.elapsed() / 1000.0, 0, 'f', 1)
              .arg(QThread::idealThreadCount())
              .arg(BenchServer::LoadAverage()));

    Child server, nginx;
    const quint16 port = startServer(server, o);
    if (port == 0) {
        print(QStringLiteral("kovrel-server did not start; see server.log"));
        return 1;
    }
    const quint16 nginxPort = startNginx(nginx, o);
    print(QStringLiteral("\n| Request, 8 keep-alive clients, %1 s | requests/s | p50 ms | p99 ms | reply "
                         "bytes | failures |")
              .arg(o.seconds));
    print(QStringLiteral("|---|---|---|---|---|---|"));
    const auto goods = underLoad(QStringLiteral("goods list, 1 000 items"), port, nginxPort,
                                 post(port, QStringLiteral("/list-goods-json.php"), BenchData::kGoodsAccount,
                                      {{"find_win", ""}, {"flag_norm", "0"}}),
                                 QStringLiteral("goods.json"), o);
    const auto stock = underLoad(QStringLiteral("stock report, 100 000 stock rows"), port, nginxPort,
                                 post(port, QStringLiteral("/rep-ost-json-v3.php"), BenchData::kTradeAccount,
                                      {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "-1"}}),
                                 QStringLiteral("stock.json"), o);
    if (goods.second > 0)
        print(QStringLiteral("\ngoods list: %1 of the static ceiling; stock report: %2")
                  .arg(goods.first / goods.second, 0, 'f', 2)
                  .arg(stock.first / stock.second, 0, 'f', 2));

    print(QStringLiteral("\n| Report, one client | kovrel-server ms | %1 ms | ratio |")
              .arg(o.postgres.isEmpty() ? QStringLiteral("sqlite3 shell") : QStringLiteral("psql")));
    print(QStringLiteral("|---|---|---|---|"));
    reportTimes(port, o);
    print(QStringLiteral("\nload average after the run: %1").arg(BenchServer::LoadAverage()));
    return 0;
}
