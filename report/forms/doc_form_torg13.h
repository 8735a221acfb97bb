#pragma once

#include "report_template.h"

// FRDocT13, the internal transfer waybill TORG-13 in the layout of the unified form: the
// organization beside the column of codes, the number and date, the table of the sending and
// receiving stores, the goods table of 11 numbered columns with quantities to three decimals,
// the totals and the signatures. A4 portrait.
class DocFormTorg13 {
public:
    static ReportTemplate make();
};
