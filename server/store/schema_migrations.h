#pragma once

#include <QStringList>

#include <functional>
#include <vector>

namespace kovrel::server {

class Database;
class SqlDialect;

// One step of the schema: its statements run in one transaction together with the row that
// records it in schema_version, so a step is either wholly applied or not at all.
struct Migration {
    int version;
    const char* description;
    std::function<QStringList(const SqlDialect&)> statements;
};

// Every step in version order. A new step is a new file migration_NNN_….cpp with a function
// returning its Migration, listed here; applied steps are never edited.
const std::vector<Migration>& AllMigrations();

Migration Migration001AccountsCatalogs();
Migration Migration002Documents();
Migration Migration003PendingPasswords();
Migration Migration004SignIns();
Migration Migration005EdoIdsUnits();
Migration Migration006SharedState();

// Applies the steps that the database lacks; returns the versions applied now. Throws
// StoreError on failure, leaving the steps before the failing one applied. Servers starting
// together on one PostgreSQL database take turns.
QList<int> ApplyMigrations(Database& db, const std::vector<Migration>& steps = AllMigrations());

} // namespace kovrel::server
