#include "report_debts.h"

#include "number_text.h"

namespace kovrel::report {

Debts ComputeDebts(const RecordList<TRecDolg>& L, TSortedList<TRecDolg>& Index, int Group) {
    Index.Clear();
    for (const auto& rec : L)
        if (!IsZero(rec->DolgSum) && rec->KlientGr == Group + 1) Index.Add(rec->GetKey(), rec.get());

    Debts report;
    report.Split = Group == Klients;
    report.Rows.reserve(static_cast<size_t>(Index.Count()));
    for (int i = 0; i < Index.Count(); ++i) {
        const TRecDolg& rec = *Index.Objects(i);
        DebtRow row{&rec, std::nullopt, std::nullopt, rec.DolgSum};
        if (rec.DolgSum > 0)
            row.Debt = rec.DolgSum;
        else
            row.Advance = -rec.DolgSum;
        report.TotalDebt += row.Debt.value_or(0);
        report.TotalAdvance += row.Advance.value_or(0);
        report.TotalBalance += row.Balance;
        report.Rows.push_back(row);
    }
    return report;
}

} // namespace kovrel::report
