#include "report_page_def.h"

namespace kovrel::report {

const QList<ReportPageDef>& ReportPageDefs() {
    static const QList<ReportPageDef> defs{
        {"RunRepOst",
         "SGRepOst",
         2,
         true,
         70,
         {40, 250},
         {{"CBoxKol", true},
          {"CBoxKolPack", false},
          {"CBoxZCen", false},
          {"CBoxZCenAvg", false},
          {"CBoxZSum", false},
          {"CBoxCen", true},
          {"CBoxSum", false},
          {"CBoxZero", false}}},
        {"RunRepMoveGood", "SGRepMoveGood", 5, false, 70, {120, 250, 90, 90, 90}, {}},
        {"RunRepSaleSt",
         "SGRepSaleSt",
         2,
         true,
         70,
         {30, 250},
         {{"CBoxKolRSS", true},
          {"CBoxKolPackRSS", false},
          {"CBoxZSumRSS", false},
          {"CBoxSumRSS", true},
          {"CBoxNacRSS", false}}},
        {"RunRepSaleDynam",
         "SGRepSaleDynam",
         2,
         true,
         70,
         {30, 250},
         {{"CBoxKolRSD", true}, {"CBoxSumRSD", true}, {"CBoxZSumRSD", false}, {"CBoxNacRSD", false}}},
        {"RunRepPrhSt",
         "SGRepPrhSt",
         2,
         true,
         70,
         {30, 250},
         {{"CBoxKolRPS", true}, {"CBoxKolPackRPS", false}, {"CBoxZCenAvgRPS", false}, {"CBoxZSumRPS", true}}},
        {"RunRepPrhDynam",
         "SGRepPrhDynam",
         2,
         true,
         70,
         {30, 250},
         {{"CBoxKolRPD", true}, {"CBoxZSumRPD", true}}},
        {"RunRepDolg", "SGRepDolg", 2, true, 80, {40, 300}, {}},
        {"RunRepMoveKl", "SGRepMoveKlient", 5, false, 70, {120, 250, 90, 90, 90}, {}},
    };
    return defs;
}

const ReportPageDef* FindReportPageDef(const QString& operation) {
    for (const ReportPageDef& def : ReportPageDefs())
        if (operation == QLatin1String(def.operation)) return &def;
    return nullptr;
}

const ReportPageDef& ReportPageDefOf(const char* operation) {
    return *FindReportPageDef(QLatin1String(operation));
}

TReportChoices TReportChoices::StartState(const ReportPageDef& def) {
    TReportChoices c;
    for (const CheckDef& check : def.checks)
        c.Checks.insert(QLatin1String(check.name), check.checked);
    return c;
}

} // namespace kovrel::report
