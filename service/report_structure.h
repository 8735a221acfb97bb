#pragma once

#include "rec_st.h"
#include "record_list.h"

#include <vector>

// The sales and purchase structure reports: one row per goods item in the service's order.
// Purchase rows carry no sale sum, so their SumR and Nac are not shown and not totalled.
namespace kovrel::report {

struct StructureRow {
    const TRecSt* Rec; // name and package
    double Kol;
    double PackKol;
    double SumZ;
    double SumR;    // sales
    double Nac;     // sales: the markup
    double ZCenAvg; // purchases: the average price
};

struct StructureTotals {
    double Kol = 0;
    double PackKol = 0;
    double SumZ = 0;
    double SumR = 0;
    double Nac = 0;
};

struct Structure {
    std::vector<StructureRow> Rows;
    StructureTotals Totals;
};

Structure ComputeStructure(const RecordList<TRecSt>& L);

} // namespace kovrel::report
