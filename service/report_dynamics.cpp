#include "report_dynamics.h"

#include "format_settings.h"

namespace kovrel::report {

QString PeriodLabel(const TRecDynam& Rec, int CodeDetal) {
    switch (CodeDetal) {
    case Month:
        return FormatDateTime(QStringLiteral("mmm yyyy"), Rec.DocDate, DisplayFormat);
    case Week:
        return FormatDateTime(QStringLiteral("dd.mm.yy"), Rec.MinDocDate, DisplayFormat) +
               QStringLiteral(" - ") +
               FormatDateTime(QStringLiteral("dd.mm.yy"), Rec.MaxDocDate, DisplayFormat);
    default:
        return FormatDateTime(DisplayFormat.ShortDateFormat, Rec.DocDate, DisplayFormat);
    }
}

Dynamics ComputeDynamics(const RecordList<TRecDynam>& L, int CodeDetal) {
    Dynamics report;
    report.Rows.reserve(L.size());
    for (const auto& rec : L) {
        const DynamicsRow row{rec.get(),    PeriodLabel(*rec, CodeDetal), rec->Kol, rec->SumZ, rec->SumR,
                              rec->GetNac()};
        report.Totals.Kol += row.Kol;
        report.Totals.SumZ += row.SumZ;
        report.Totals.SumR += row.SumR;
        report.Totals.Nac += row.Nac;
        report.Rows.push_back(row);
    }
    return report;
}

} // namespace kovrel::report
