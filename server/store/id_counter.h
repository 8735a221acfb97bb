#pragma once

#include <QString>

namespace kovrel::server {

class Database;

// Names of the per-account numberings. Documents and their lines get their own names in the
// migration that adds them.
namespace IdSequence {
inline const QString Klients = QStringLiteral("klients"); // counterparties, stores, managers
inline const QString Grnames = QStringLiteral("grnames");
inline const QString Goods = QStringLiteral("goods");
inline const QString Users = QStringLiteral("users");
} // namespace IdSequence

// The next number of that sequence in the account; never one given before. Call it inside the
// write transaction that stores the entry. Klients skips 1000000, the own organization's number.
int NextId(Database& db, qint64 accountId, const QString& sequence);

} // namespace kovrel::server
