#include "report_stock_balance.h"

#include "number_text.h"

#include <QHash>

#include <algorithm>

namespace kovrel::report {

namespace {

// Later rows of a goods item add their quantity and value to its first row and leave the list.
void foldPerGoodsItem(RecordList<TRecGood>& L) {
    QHash<int, TRecGood*> first;
    RecordList<TRecGood> kept;
    kept.reserve(L.size());
    for (auto& rec : L) {
        if (TRecGood* into = first.value(rec->IDGoods)) {
            into->OstKol += rec->OstKol;
            into->ItogZSum += rec->ItogZSum;
            continue; // the folded record is freed with the old list
        }
        first.insert(rec->IDGoods, rec.get());
        kept.push_back(std::move(rec));
    }
    L.swap(kept);
}

} // namespace

StockBalance ComputeStockBalance(RecordList<TRecGood>& L, bool ZCenShown, bool ZeroIncluded) {
    for (auto& rec : L) {
        rec->OstKol = rec->GetOst();
        rec->ItogZSum = rec->ZCen * rec->OstKol;
    }
    if (!ZCenShown) foldPerGoodsItem(L);
    if (!ZeroIncluded)
        L.erase(std::remove_if(L.begin(), L.end(), [](const auto& rec) { return IsZero(rec->OstKol); }),
                L.end());

    StockBalance report;
    report.Rows.reserve(L.size());
    for (const auto& rec : L) {
        const StockRow row{rec.get(),         rec->OstKol,   rec->GetPackKol(),
                           rec->GetZCenAvg(), rec->ItogZSum, rec->GetSum()};
        report.Totals.OstKol += row.OstKol;
        report.Totals.PackKol += row.PackKol;
        report.Totals.ItogZSum += row.ItogZSum;
        report.Totals.Sum += row.Sum;
        report.Rows.push_back(row);
    }
    return report;
}

} // namespace kovrel::report
