// kovrel-server's limits before anyone is known, measured: the memory that large bodies from
// many connections make it take, how soon a normal request is answered while ten networks hold
// half-sent requests, and how twenty clients at one address that open a connection per request
// fare. Prints figures with the load average; asserts nothing.
//
//   build/bench/bench_limits [--server BINARY]
#include "bench_server.h"
#include "raw_clients.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kPassword = QStringLiteral("demo2024");

void print(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QStringList addresses(const QString& pattern, int from, int to) {
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << pattern.arg(n);
    return out;
}

// One sign-in on a new connection from the address: its status and milliseconds.
QPair<int, qint64> timedSignIn(const QString& from, quint16 port) {
    QElapsedTimer t;
    t.start();
    const int status = SignInOnce(from, port, kDemo, kPassword);
    return {status, t.elapsed()};
}

void largeBodies(quint16 port, qint64 pid) {
    const qint64 before = PeakMemoryKb(pid);
    FloodStatuses flood;
    std::thread flooding(
        [&] { flood = LargeBodyFlood(addresses(QStringLiteral("127.0.0.%1"), 2, 4), port); });
    QStringList normal;
    for (int i = 0; i < 5; ++i) {
        const auto [status, ms] = timedSignIn(QStringLiteral("127.0.0.1"), port);
        normal << QStringLiteral("%1 in %2 ms").arg(status).arg(ms);
        QThread::msleep(300);
    }
    flooding.join();
    print(QStringLiteral(
        "1. 48 connections from 3 addresses, 31 MB bodies (announced and chunked, list and import):"));
    print(
        QStringLiteral(
            "   peak memory (VmHWM) %1 MB before, %2 MB after; replies 413: %3, 503: %4, none: %5, other: %6")
            .arg(before / 1024)
            .arg(PeakMemoryKb(pid) / 1024)
            .arg(flood.tooLarge)
            .arg(flood.busy)
            .arg(flood.none)
            .arg(flood.other));
    print(QStringLiteral("   a normal user meanwhile: %1; load average %2")
              .arg(normal.join(QStringLiteral(", ")), BenchServer::LoadAverage()));
}

void halfSentRequests(quint16 port) {
    const Trickle flood(addresses(QStringLiteral("127.0.%1.1"), 1, 10), port, 32);
    QThread::sleep(2);
    QList<qint64> times;
    int ok = 0;
    for (int i = 0; i < 10; ++i) {
        const auto [status, ms] = timedSignIn(QStringLiteral("127.0.11.1"), port);
        ok += status == 200;
        times << ms;
        QThread::msleep(300);
    }
    std::sort(times.begin(), times.end());
    const auto within = std::count_if(times.cbegin(), times.cend(), [](qint64 ms) { return ms <= 2000; });
    print(QStringLiteral(
              "2. 10 networks x 32 half-sent requests: a request from an 11th network, 10 tries: %1 answered "
              "200, "
              "%2 within 2 s; median %3 ms, slowest %4 ms; connections cut and reopened %5; load average %6")
              .arg(ok)
              .arg(within)
              .arg(times[5])
              .arg(times.last())
              .arg(flood.Reopened())
              .arg(BenchServer::LoadAverage()));
}

void connectionPerRequest(quint16 port) {
    QElapsedTimer t;
    t.start();
    const ConnectionPerRequest r =
        ConnectionPerRequestClients(QStringLiteral("127.0.0.7"), port, 20, 10, kDemo, kPassword);
    print(QStringLiteral("6. 20 clients at one address, a connection per request, 200 requests: %1 answered "
                         "200, %2 failed "
                         "(reset or refused), %3 requests/s; load average %4")
              .arg(r.ok)
              .arg(r.failed)
              .arg(200.0 * 1000 / std::max<qint64>(1, t.elapsed()), 0, 'f', 0)
              .arg(BenchServer::LoadAverage()));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--server"));
    const QString binary =
        at > 0 && at + 1 < args.size() ? args[at + 1] : QStringLiteral(KOVREL_SERVER_BINARY);
    QTemporaryDir data;
    BenchServer::Child server;
    const quint16 port =
        BenchServer::Start(server, binary,
                           {QStringLiteral("--data-dir"), data.path(), QStringLiteral("--demo"),
                            QStringLiteral("--threads"), QStringLiteral("4")},
                           data.filePath(QStringLiteral("server.log")));
    if (!port) {
        print(QStringLiteral("%1 did not start").arg(binary));
        return 1;
    }
    print(QStringLiteral("%1, %2 cores, load average %3")
              .arg(binary)
              .arg(QThread::idealThreadCount())
              .arg(BenchServer::LoadAverage()));
    largeBodies(port, server.P().processId());
    halfSentRequests(port);
    connectionPerRequest(port);
    return 0;
}
