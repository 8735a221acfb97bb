#pragma once

#include <QDate>

namespace kovrel::server {

class Database;

// A few months of trade over the demo account's catalog, up to `today`: weekly receipts, sales
// from every store (some of them kits), transfers, orders, and payments that settle most of
// them, so that every journal and every report shows something real. The same each time (a
// fixed random seed) and true to the stock rule, which the writes check like any other.
// Needs stores, counterparties of kind 1 and 2 and goods; with fewer, it adds nothing. Runs
// inside the caller's write transaction.
void SeedDemoDocuments(Database& db, qint64 accountId, const QDate& today);

} // namespace kovrel::server
