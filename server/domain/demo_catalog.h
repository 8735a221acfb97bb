#pragma once

#include <QList>

namespace kovrel::server {

class Database;

// What the demo catalog created that the demo's users refer to.
struct DemoCatalog {
    QList<int> stores; // in the order of the store names
};

// Fills a new account with a shop's catalogs: stores, managers, goods categories, about two
// hundred goods with codes, bar codes and packs, kits, buyers and suppliers with requisites and
// managers, bank accounts and cash desks, overhead and investment items, and the own
// organization's requisites. Runs inside the caller's write transaction.
DemoCatalog SeedDemoCatalog(Database& db, qint64 accountId);

} // namespace kovrel::server
