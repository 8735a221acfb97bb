#pragma once

#include <QString>

namespace kovrel::server {

class Accounts;
class Database;

// The demo account that --demo creates once: its administrator, a second user with limited
// rights, and a shop's catalogs (demo_catalog.h). README.md lists the logins.
namespace Demo {
inline const QString AdminLogin = QStringLiteral("demo@kovrel.local");
inline const QString AdminPassword = QStringLiteral("demo2024");
inline const QString UserLogin = QStringLiteral("kassa@kovrel.local");
inline const QString UserPassword = QStringLiteral("kassa2024");
inline const QString UserName = QStringLiteral("Кассир");
// Positions in the demo's store list (DemoCatalog::stores) of the stores that the limited user
// sees in reports only, and not at all.
constexpr int UserReportsOnlyStore = 1;
constexpr int UserClosedStore = 3;
} // namespace Demo

// Creates the demo account with its data in one transaction, unless it exists already, in which
// case nothing is changed. True when it was created now.
bool SeedDemo(Database& db, Accounts& accounts);

} // namespace kovrel::server
