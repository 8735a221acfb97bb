#pragma once

#include "rec_dynam.h"
#include "record_list.h"

#include <QString>

#include <vector>

// The sales and purchase dynamics reports: one row per period in the service's order.
namespace kovrel::report {

// CodeDetal: the detail period the service grouped by.
enum DetailPeriod { Day = 0, Month = 1, Week = 2 };

struct DynamicsRow {
    const TRecDynam* Rec;
    QString Label; // "dd.MM.yy", "<abbreviated month> yyyy", or "dd.mm.yy - dd.mm.yy"
    double Kol;
    double SumZ;
    double SumR; // sales
    double Nac;  // sales: the markup
};

struct DynamicsTotals {
    double Kol = 0;
    double SumZ = 0;
    double SumR = 0;
    double Nac = 0;
};

struct Dynamics {
    std::vector<DynamicsRow> Rows;
    DynamicsTotals Totals;
};

// Labels the period of a row: by its date for days (and any unknown CodeDetal), by month name
// and year for months, by its first and last document dates for weeks.
QString PeriodLabel(const TRecDynam& Rec, int CodeDetal);

Dynamics ComputeDynamics(const RecordList<TRecDynam>& L, int CodeDetal);

} // namespace kovrel::report
