#include "document_figures.h"

#include "doc_kind.h"

#include <QStringList>

namespace kovrel::server::DocumentFigures {

QString KlientSumColumns() {
    const QString money =
        QStringLiteral("(SELECT COALESCE(SUM(x.sum_m), 0) FROM money x WHERE x.account_id = "
                       "k.account_id AND x.%1 = k.id) AS %2");
    const QString docs =
        QStringLiteral("(SELECT COALESCE(SUM(x.%1), 0) FROM docs x WHERE x.account_id = k.account_id "
                       "AND x.id_klient = k.id AND x.kind = %2) AS %3");
    return QStringList{
        money.arg(QStringLiteral("klient_i"), QStringLiteral("m1_sum")),
        money.arg(QStringLiteral("klient_p"), QStringLiteral("m2_sum")),
        docs.arg(QStringLiteral("rsum")).arg(DocKind::Nkl().code).arg(QStringLiteral("nkl_sum")),
        docs.arg(QStringLiteral("zsum")).arg(DocKind::Prh().code).arg(QStringLiteral("prh_sum"))}
        .join(QStringLiteral(", "));
}

QString StockMoves() {
    return QStringLiteral(
        "SELECT account_id, id_store, id_goods, zcen, kol_plus, kol_minus, kol_plus_v, kol_minus_v "
        "FROM stock");
}

} // namespace kovrel::server::DocumentFigures
