#include "report_structure.h"

namespace kovrel::report {

Structure ComputeStructure(const RecordList<TRecSt>& L) {
    Structure report;
    report.Rows.reserve(L.size());
    for (const auto& rec : L) {
        const StructureRow row{rec.get(), rec->Kol,      rec->GetPackKol(), rec->SumZ,
                               rec->SumR, rec->GetNac(), rec->GetZCenAvg()};
        report.Totals.Kol += row.Kol;
        report.Totals.PackKol += row.PackKol;
        report.Totals.SumZ += row.SumZ;
        report.Totals.SumR += row.SumR;
        report.Totals.Nac += row.Nac;
        report.Rows.push_back(row);
    }
    return report;
}

} // namespace kovrel::report
