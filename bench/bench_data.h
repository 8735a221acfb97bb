#pragma once

#include <QString>

// The benchmark's accounts, generated into an SQLite file the same way every time:
//  - "goods@bench.local": 1 000 goods items (the goods list);
//  - "trade@bench.local": 5 stores, 2 000 counterparties, 10 000 goods items, 20 000 receipts
//    and 80 000 sales waybills of 10 lines each (1 000 000 document lines, two years), which
//    leave 100 000 stock rows (every goods item at two purchase prices in every store), and
//    50 000 payments.
// A scale multiplies the trade account's goods items, documents and payments (stores and
// counterparties stay): at 5 the stock report of all stores has 100 000 rows, at 0.5 10 000.
// The rows are written straight into the tables in bulk, then stock and document sums are
// counted from the lines, as the service would have kept them.
namespace BenchData {

inline const QString kPassword = QStringLiteral("bench2024");
inline const QString kGoodsAccount = QStringLiteral("goods@bench.local");
inline const QString kTradeAccount = QStringLiteral("trade@bench.local");
constexpr int kStores = 5, kKlients = 2000, kGoods = 10000, kListGoods = 1000;
constexpr int kReceipts = 20000, kSales = 80000, kLinesPerDoc = 10, kPayments = 50000;

// The file's name in the data folder: "bench.sqlite" at scale 1, one of its own at another.
QString FileName(double scale = 1);
// Creates the file unless it holds this generation already; false with `error` set on failure.
bool Ensure(const QString& path, QString* error, double scale = 1);
// The number of an account in the file, 0 when there is none.
qint64 AccountId(const QString& path, const QString& login);

} // namespace BenchData
