#pragma once

#include <QString>

namespace kovrel::server {

// Figures of the catalog lists that come from documents: the sums shown with each counterparty
// and the stock shown with each goods item. The catalog endpoints put these SQL texts (no
// parameters) into their queries without knowing which documents the figures come from.
namespace DocumentFigures {

// The four sums of the counterparty row aliased k, as columns of its select list: m1_sum
// (money the counterparty sent), m2_sum (money it received), nkl_sum (its sales waybills),
// prh_sum (its receipts). Each is looked up for that one counterparty through an index.
QString KlientSumColumns();

// Any number of rows per store, goods item and purchase price, summed by the reader:
// account_id, id_store, id_goods, zcen, kol_plus (received), kol_minus (issued), kol_plus_v
// (received by internal transfers), kol_minus_v (sent away by internal transfers).
QString StockMoves();

} // namespace DocumentFigures

} // namespace kovrel::server
