#pragma once

#include "rec_good.h"
#include "record_list.h"

#include <vector>

// The stock balance report as its page shows it: one row per stock row the service returned
// (or per goods item, when purchase prices are hidden), with totals.
namespace kovrel::report {

struct StockRow {
    const TRecGood* Rec; // name, package and prices come from the record
    double OstKol;       // quantity on hand
    double PackKol;      // in packs
    double ZCenAvg;      // average purchase price of the quantity
    double ItogZSum;     // purchase value
    double Sum;          // sale value
};

struct StockTotals {
    double OstKol = 0;
    double PackKol = 0;
    double ItogZSum = 0;
    double Sum = 0;
};

struct StockBalance {
    std::vector<StockRow> Rows;
    StockTotals Totals;
};

// Sets each record's OstKol and ItogZSum; with purchase prices hidden, folds the rows of one goods
// item into the first of them (the others leave the list); without zero balances, removes rows
// whose quantity is zero. Rows keep the service's order.
StockBalance ComputeStockBalance(RecordList<TRecGood>& L, bool ZCenShown, bool ZeroIncluded);

} // namespace kovrel::report
