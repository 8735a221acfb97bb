#pragma once

#include <QString>

namespace kovrel::server {

class Database;

// Names of the per-account numberings.
namespace IdSequence {
inline const QString Klients = QStringLiteral("klients"); // counterparties, stores, managers
inline const QString Grnames = QStringLiteral("grnames");
inline const QString Goods = QStringLiteral("goods");
inline const QString Users = QStringLiteral("users");
// Receipts and sales waybills share one numbering, so that the document number a payment
// carries names one document.
inline const QString Waybills = QStringLiteral("docs_prh_nkl");
inline const QString Orders = QStringLiteral("docs_invoice");
inline const QString Transfers = QStringLiteral("docs_vnk");
inline const QString DocItems = QStringLiteral("doc_items");
inline const QString Stock = QStringLiteral("stock");
inline const QString Money = QStringLiteral("money");
} // namespace IdSequence

// The next number of that sequence in the account; never one given before. Call it inside the
// write transaction that stores the entry. Klients skips 1000000, the own organization's number.
int NextId(Database& db, qint64 accountId, const QString& sequence);

} // namespace kovrel::server
