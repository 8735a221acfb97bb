#include "document_figures.h"

namespace kovrel::server::DocumentFigures {

// Empty tables of the right shape until the documents are stored. The casts give every column
// its type on PostgreSQL as well, where an untyped empty result could not be joined and summed.
QString KlientSums() {
    return QStringLiteral(
        "SELECT CAST(0 AS BIGINT) AS account_id, 0 AS id_klient, CAST(0 AS DOUBLE PRECISION) AS m1_sum, "
        "CAST(0 AS DOUBLE PRECISION) AS m2_sum, CAST(0 AS DOUBLE PRECISION) AS nkl_sum, "
        "CAST(0 AS DOUBLE PRECISION) AS prh_sum WHERE 1 = 0");
}

QString StockMoves() {
    return QStringLiteral(
        "SELECT CAST(0 AS BIGINT) AS account_id, 0 AS id_store, 0 AS id_goods, "
        "CAST(0 AS DOUBLE PRECISION) AS zcen, CAST(0 AS DOUBLE PRECISION) AS kol_plus, "
        "CAST(0 AS DOUBLE PRECISION) AS kol_minus, CAST(0 AS DOUBLE PRECISION) AS kol_plus_v, "
        "CAST(0 AS DOUBLE PRECISION) AS kol_minus_v WHERE 1 = 0");
}

} // namespace kovrel::server::DocumentFigures
