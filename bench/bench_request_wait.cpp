// What waiting for the service costs a request: TFormLoad's round trip to kovrel-server on the
// bench data, alone (as kovrel-cli waits: the transfer looked at once a second unless bytes
// come) and with the windows' waiter in place (as the desktop program waits: the transfer looked
// at every 20 ms and the screen painted in between, a main window shown offscreen). A small
// reply (the stores list) and the stock report of all stores (2.5 MB at a tenth of the scale);
// the reply bytes' own first fetch by the bench's raw HTTP driver for reference. Medians.
// Usage: bench_request_wait [--data DIR] [--scale S] [--runs N] [--server BINARY]
#include "bench_common.h"
#include "bench_data.h"
#include "bench_server.h"
#include "form_load.h"
#include "load_driver.h"
#include "server_wait_window.h"
#include "session.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>

namespace {

using BenchCommon::Print;

double ms(const std::function<bool()>& request) {
    QElapsedTimer t;
    t.start();
    if (!request()) Print(QStringLiteral("a request failed"));
    return t.nsecsElapsed() / 1e6;
}

// The three ways of waiting, taken in turn within each run, so that what else the machine does
// falls on all three alike: medians in ms.
struct Ways {
    double raw, alone, waited;
};
Ways timed(int runs, const std::function<bool()>& raw, const std::function<bool()>& request) {
    QList<double> r, a, w;
    for (int i = 0; i < runs; ++i) {
        r << ms(raw);
        a << ms(request);
        InstallWindowWaiter();
        w << ms(request);
        kovrel::SetRequestWaiter(nullptr);
    }
    return {BenchCommon::Median(r), BenchCommon::Median(a), BenchCommon::Median(w)};
}

bool stores() {
    TFormLoad fl;
    RecordList<TRecKlient> L;
    fl.SelectStoreList(L, QString());
    return !fl.Failed() && !L.empty();
}

bool stock() {
    TFormLoad fl;
    RecordList<TRecGood> L;
    fl.RunRepOst(L, QString(), false, -1);
    return !fl.Failed() && !L.empty();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchCommon::Options o = BenchCommon::ParseOptions(
        QCoreApplication::arguments(), {QDir::temp().filePath(QStringLiteral("kovrel-bench")), 0.5, 21,
                                        QStringLiteral(KOVREL_SERVER_BINARY)});
    BenchServer::Child server;
    const quint16 port = BenchCommon::StartOnBenchData(server, o, o.scale);
    if (port == 0) return 1;
    BaseURL = QStringLiteral("http://127.0.0.1:%1").arg(port);
    Login = BenchData::kTradeAccount;
    Token = BenchData::kPassword;
    const auto raw = [&](const QString& endpoint, const QList<QPair<QString, QString>>& fields) {
        const LoadDriver driver(
            QStringLiteral("127.0.0.1"), port,
            BenchServer::Post(port, endpoint, BenchData::kTradeAccount, fields, BenchData::kPassword));
        return [driver] { return driver.Once().first == 200; };
    };
    const auto rawStores = raw(QStringLiteral("/list-stores-json.php"), {{"upname_win", ""}});
    const auto rawStock = raw(QStringLiteral("/rep-ost-json-v3.php"),
                              {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "-1"}});
    stores(); // the service keeps both replies from now on
    stock();
    Print(QStringLiteral("load average before: %1; medians of %2 runs")
              .arg(BenchCommon::LoadAverage())
              .arg(o.runs));

    QMainWindow window;
    window.resize(1084, 661);
    window.show();
    const Ways small = timed(o.runs, rawStores, stores);
    const Ways large = timed(o.runs, rawStock, stock);

    Print(QStringLiteral("\n| ms | stores list | stock report, all stores |"));
    Print(QStringLiteral("|---|---|---|"));
    Print(QStringLiteral("| raw HTTP driver, reply bytes only | %1 | %2 |")
              .arg(small.raw, 0, 'f', 2)
              .arg(large.raw, 0, 'f', 1));
    Print(QStringLiteral("| TFormLoad, no waiter (kovrel-cli) | %1 | %2 |")
              .arg(small.alone, 0, 'f', 2)
              .arg(large.alone, 0, 'f', 1));
    Print(QStringLiteral("| TFormLoad, windows' waiter | %1 | %2 |")
              .arg(small.waited, 0, 'f', 2)
              .arg(large.waited, 0, 'f', 1));
    Print(QStringLiteral("load average after: %1").arg(BenchCommon::LoadAverage()));
    return 0;
}
