#pragma once

#include <QString>

namespace kovrel::server {

// Figures of the catalog lists that come from documents: the sums shown with each counterparty
// and the stock shown with each goods item. Each function returns the SQL of a table (no
// parameters, used as a subquery) with the columns named below; the catalog endpoints join and
// sum them without knowing which documents they come from. Until documents are stored, both
// tables are empty, so every sum and every stock figure reads 0.
namespace DocumentFigures {

// At most one row per counterparty: account_id, id_klient, m1_sum (money the counterparty
// sent), m2_sum (money it received), nkl_sum (its sales waybills), prh_sum (its receipts).
QString KlientSums();

// Any number of rows per store, goods item and purchase price, summed by the reader:
// account_id, id_store, id_goods, zcen, kol_plus (received), kol_minus (issued), kol_plus_v
// (received by internal transfers), kol_minus_v (sent away by internal transfers).
QString StockMoves();

} // namespace DocumentFigures

} // namespace kovrel::server
