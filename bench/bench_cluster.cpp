// Requests per second of one kovrel-server faced directly and of 1, 2 and 3 servers behind
// HAProxy (scripts/cluster: a throwaway PostgreSQL, the rules of packaging/haproxy.cfg), on the
// same data with the same closed-loop clients, each figure beside the machine's load average.
// Usage: bench_cluster [--seconds N] [--clients N]
#include "bench_common.h"
#include "bench_server.h"
#include "catalog_seed.h"
#include "load_driver.h"
#include "local_cluster.h"

#include <QCoreApplication>
#include <QThread>
#include <QUrl>

namespace {

const QString kLogin = QStringLiteral("goods@bench.local");
const QString kPassword = QStringLiteral("bench2024");
constexpr int kGoods = 1000;

// The goods list's account, as bench_data makes it: 1 000 goods items.
void seed(const QString& database) {
    CatalogSeed s(database);
    const qint64 account = s.Account(kLogin, kPassword);
    for (int i = 1; i <= kGoods; ++i)
        s.Goods(account, QStringLiteral("Товар %1").arg(i, 4, 10, QLatin1Char('0')), 10 + i % 90, 1,
                QStringLiteral("A-%1").arg(i), QStringLiteral("46%1").arg(i, 11, 10, QLatin1Char('0')));
}

struct Load {
    QString what;
    QString endpoint;
    QList<QPair<QString, QString>> fields;
    bool fresh;
};

const QList<Load> kLoads = {
    {QStringLiteral("goods list, every reply made afresh"),
     QStringLiteral("/list-goods-json.php"),
     {{"find_win", ""}, {"flag_norm", "0"}},
     true},
    {QStringLiteral("goods list, reply reused"),
     QStringLiteral("/list-goods-json.php"),
     {{"find_win", ""}, {"flag_norm", "0"}},
     false},
    {QStringLiteral("sign-in"), QStringLiteral("/get-lic-v3.php"), {}, false},
};

void measure(const QString& setup, quint16 port, int clients, double seconds) {
    for (const Load& l : kLoads) {
        const LoadDriver driver(QStringLiteral("127.0.0.1"), port,
                                BenchServer::Post(port, l.endpoint, kLogin, l.fields, kPassword));
        const auto [status, body] = driver.Once();
        if (status != 200) {
            BenchCommon::Print(QStringLiteral("| %1 | %2 | HTTP %3 |").arg(setup, l.what).arg(status));
            continue;
        }
        const LoadResult r = driver.Run(clients, seconds, l.fresh);
        BenchCommon::Print(QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |")
                               .arg(setup, l.what)
                               .arg(r.PerSecond(), 0, 'f', 0)
                               .arg(r.p50Ms, 0, 'f', 2)
                               .arg(r.p99Ms, 0, 'f', 2)
                               .arg(r.failures)
                               .arg(BenchCommon::LoadAverage()));
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    double seconds = 10;
    int clients = 16;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds")) seconds = args[i + 1].toDouble();
        if (args[i] == QLatin1String("--clients")) clients = args[i + 1].toInt();
    }
    const QString unavailable = LocalCluster::Unavailable();
    if (!unavailable.isEmpty()) {
        BenchCommon::Print(unavailable);
        return 1;
    }
    BenchCommon::Print(QStringLiteral("%1 cores, %2 keep-alive clients, %3 s each; load average %4")
                           .arg(QThread::idealThreadCount())
                           .arg(clients)
                           .arg(seconds)
                           .arg(BenchCommon::LoadAverage()));
    BenchCommon::Print(
        QStringLiteral("\n| Setup | Request | requests/s | p50 ms | p99 ms | failures | load average |"));
    BenchCommon::Print(QStringLiteral("|---|---|---|---|---|---|---|"));
    for (int servers = 1; servers <= 3; ++servers) {
        LocalCluster cluster(servers);
        const QString error = cluster.Start();
        if (!error.isEmpty()) {
            BenchCommon::Print(error);
            return 1;
        }
        seed(cluster.Database());
        if (servers == 1)
            measure(QStringLiteral("one server alone"), cluster.ServerPort(1), clients, seconds);
        measure(
            QStringLiteral("%1 behind HAProxy")
                .arg(servers == 1 ? QStringLiteral("1 server") : QStringLiteral("%1 servers").arg(servers)),
            static_cast<quint16>(QUrl(cluster.Address()).port()), clients, seconds);
    }
    return 0;
}
