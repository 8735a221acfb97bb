#pragma once

#include "bound_sql.h"
#include "report_params.h"

namespace kovrel::server {

// The statements of the report endpoints. Each answers the JSON keys the client reads, as its
// column names; sales count the lines that were sold as such (a kit as the kit line), stock and
// movements the goods that moved (a kit's components).
namespace ReportSql {

// One row per goods item and purchase price with its four movement totals (the store's, or
// all stores' summed).
BoundSql Stock(const ReportParams& p);

enum class Movement { Receipts, Sales, TransfersIn, TransfersOut };
// Rows up to and including dateEnd of one goods item (one store, or all).
BoundSql GoodsMovement(const ReportParams& p, Movement m);

// Sales waybills (sales) or receipts per goods item in the period.
BoundSql Structure(const ReportParams& p, bool sales);
// The same, summed per day; the endpoint folds days into weeks or months.
BoundSql DailyTotals(const ReportParams& p, bool sales);

enum class Settlement { Sales, Receipts, MoneyFrom, MoneyTo };
// Per counterparty up to dateEnd: "id_klient", "name_klient", "group_kl", "doc_sum".
BoundSql Debts(const ReportParams& p, Settlement s);
// One counterparty's documents or payments up to dateEnd: "id", "sel_docdate", "sel_docsum".
BoundSql SettlementCard(const ReportParams& p, Settlement s);

} // namespace ReportSql

} // namespace kovrel::server
