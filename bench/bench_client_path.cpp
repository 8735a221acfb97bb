// The client's path from the stock report's reply bytes to a filled grid, beside a bare
// QJsonDocument parse of the same bytes: the reply read into records (as the report operation
// reads what arrives), the stock computation, the report grid's texts, and the page's string
// grid filled with them (offscreen, a new grid each time, as on a page's first report). The
// reply of all stores is fetched once from kovrel-server on the bench data at a tenth of the
// scale and at the scale itself, then each step is timed on those bytes; medians of the runs.
// Usage: bench_client_path [--data DIR] [--scale S] [--runs N] [--server BINARY]
//        (scale 5, the default, gives 100 000 report rows; DIR keeps the generated data)
#include "bench_common.h"
#include "bench_data.h"
#include "bench_server.h"
#include "form_load.h"
#include "load_driver.h"
#include "reply_fields.h"
#include "report_grid_builder.h"
#include "string_grid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

using namespace kovrel::report;

namespace {

using BenchCommon::Options;
using BenchCommon::Print;

// The stock report of all stores as kovrel-server sends it for the data at `scale`.
std::optional<QByteArray> stockReply(const Options& o, double scale) {
    BenchServer::Child server;
    const quint16 port = BenchCommon::StartOnBenchData(server, o, scale);
    if (port == 0) return std::nullopt;
    const auto [status, body] =
        LoadDriver(QStringLiteral("127.0.0.1"), port,
                   BenchServer::Post(port, QStringLiteral("/rep-ost-json-v3.php"), BenchData::kTradeAccount,
                                     {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "-1"}},
                                     BenchData::kPassword))
            .Once();
    if (status != 200) {
        Print(QStringLiteral("HTTP %1: %2").arg(status).arg(QString::fromUtf8(body.left(200))));
        return std::nullopt;
    }
    return body;
}

// Milliseconds of each step of one pass over the reply, in the order of `kSteps`.
const char* const kSteps[] = {"bare QJsonDocument::fromJson",
                              "reply → records (TFormLoad::ReadArray)",
                              "stock computation",
                              "report grid texts",
                              "string grid filled",
                              "whole client path"};
constexpr int kStepCount = std::size(kSteps);
using Pass = std::array<double, kStepCount>;

double ms(const std::function<void()>& step) {
    QElapsedTimer t;
    t.start();
    step();
    return t.nsecsElapsed() / 1e6;
}

// Fills the grid as a report page shows its report.
void fill(StringGrid& grid, const TReportGrid& g) {
    const StringGrid::UpdateLock lock(grid);
    grid.SetColCount(g.ColCount());
    grid.SetRowCount(g.RowCount());
    grid.SetFixedRows(g.FixedRows);
    for (int row = 0; row < g.RowCount(); ++row)
        grid.SetRowTexts(row, g.Rows[row]);
}

Pass pass(const QByteArray& body, int& rows) {
    Pass p{};
    p[0] = ms([&] { rows = static_cast<int>(QJsonDocument::fromJson(body).array().size()); });

    kovrel::HttpReply reply;
    reply.delivered = true;
    reply.status = 200;
    reply.contentType = "application/json; charset=utf-8";
    reply.body = body;
    TFormLoad fl;
    RecordList<TRecGood> L;
    const TReportChoices choices = TReportChoices::StartState(ReportPageDefOf("RunRepOst"));
    StockBalance balance;
    TReportGrid g;
    StringGrid grid;
    grid.resize(900, 600);
    p[1] = ms([&] {
        CreateList(L, 8192);
        fl.ReadArray(reply, [&](const TFormLoad::Element& e) {
            auto rec = std::make_unique<TRecGood>();
            kovrel::reply::ReadStockRow(*rec, e);
            L.push_back(std::move(rec));
        });
    });
    p[2] = ms(
        [&] { balance = ComputeStockBalance(L, choices.Checked("CBoxZCen"), choices.Checked("CBoxZero")); });
    p[3] = ms([&] { g = StockBalanceGrid(balance, choices); });
    p[4] = ms([&] { fill(grid, g); });
    p[5] = p[1] + p[2] + p[3] + p[4];
    return p;
}

// The median of each step over the runs.
Pass medians(const QByteArray& body, int runs, int& rows) {
    std::array<QList<double>, kStepCount> all;
    for (int r = 0; r < runs; ++r) {
        const Pass p = pass(body, rows);
        for (int s = 0; s < kStepCount; ++s)
            all[s] << p[s];
    }
    Pass m{};
    for (int s = 0; s < kStepCount; ++s)
        m[s] = BenchCommon::Median(all[s]);
    return m;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options o = BenchCommon::ParseOptions(
        QCoreApplication::arguments(),
        {QDir::temp().filePath(QStringLiteral("kovrel-bench")), 5, 5, QStringLiteral(KOVREL_SERVER_BINARY)});
    const auto small = stockReply(o, o.scale / 10);
    const auto full = stockReply(o, o.scale);
    if (!small || !full) return 1;
    Print(QStringLiteral("load average before: %1; medians of %2 runs")
              .arg(BenchCommon::LoadAverage())
              .arg(o.runs));

    int smallRows = 0, fullRows = 0;
    const Pass a = medians(*small, o.runs, smallRows);
    const Pass b = medians(*full, o.runs, fullRows);
    Print(QStringLiteral("\n| Step, ms | %1 rows (%2 bytes) | %3 rows (%4 bytes) | growth |")
              .arg(smallRows)
              .arg(small->size())
              .arg(fullRows)
              .arg(full->size()));
    Print(QStringLiteral("|---|---|---|---|"));
    for (int s = 0; s < kStepCount; ++s)
        Print(QStringLiteral("| %1 | %2 | %3 | %4× |")
                  .arg(QString::fromUtf8(kSteps[s]))
                  .arg(a[s], 0, 'f', 1)
                  .arg(b[s], 0, 'f', 1)
                  .arg(b[s] / a[s], 0, 'f', 1));
    Print(QStringLiteral("\nwhole path / bare parse: %1 at %2 rows, %3 at %4 rows")
              .arg(a[5] / a[0], 0, 'f', 2)
              .arg(smallRows)
              .arg(b[5] / b[0], 0, 'f', 2)
              .arg(fullRows));
    Print(QStringLiteral("load average after: %1").arg(BenchCommon::LoadAverage()));
    return 0;
}
