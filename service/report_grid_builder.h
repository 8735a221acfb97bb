#pragma once

#include "report_card.h"
#include "report_debts.h"
#include "report_dynamics.h"
#include "report_grid.h"
#include "report_page_def.h"
#include "report_stock_balance.h"
#include "report_structure.h"

// The report grids: each computed report becomes the R × C texts of its page's grid, with the
// captions, optional columns, row numbers, totals and number texts the page shows, and the
// widths of a page nobody has touched. The pages, report printing, the exports and kovrel-cli
// all take their texts from here.
namespace kovrel::report {

// The list reports: row 0 the captions (the corner empty), a numbered row per report row, the
// totals row last; the header is fixed only when there is a report row.
TReportGrid StockBalanceGrid(const StockBalance& r, const TReportChoices& c);
TReportGrid StructureGrid(const Structure& r, bool sales, const TReportChoices& c);
TReportGrid DynamicsGrid(const Dynamics& r, bool sales, const TReportChoices& c);
TReportGrid DebtsGrid(const Debts& r);

// The cards: the captions, the opening balance, a row per index entry, the totals row.
TReportGrid MoveGoodGrid(const Card<TRecMoveGood>& r);
// The captions follow the kind of the chosen counterparty: buyers and suppliers (1) or others.
TReportGrid MoveKlGrid(const Card<TRecMoveKl>& r, int SelKlientGr);

// Each report's computation on what its operation returned, with the inputs the page's
// controls give it, then its grid. Lists and indexes are changed as the computations change them.
TReportGrid RepOstGrid(RecordList<TRecGood>& L, const TReportChoices& c);
TReportGrid RepMoveGoodGrid(RecordList<TRecMoveGood>& L, TSortedList<TRecMoveGood>& Index,
                            TDateTime BeginDat);
TReportGrid RepSaleStGrid(const RecordList<TRecSt>& L, const TReportChoices& c);
TReportGrid RepSaleDynamGrid(const RecordList<TRecDynam>& L, int CodeDetal, const TReportChoices& c);
TReportGrid RepPrhStGrid(const RecordList<TRecSt>& L, const TReportChoices& c);
TReportGrid RepPrhDynamGrid(const RecordList<TRecDynam>& L, int CodeDetal, const TReportChoices& c);
TReportGrid RepDolgGrid(const RecordList<TRecDolg>& L, TSortedList<TRecDolg>& Index, const TReportChoices& c);
TReportGrid RepMoveKlGrid(RecordList<TRecMoveKl>& L, TSortedList<TRecMoveKl>& Index, TDateTime BeginDat,
                          const TReportChoices& c);

} // namespace kovrel::report
