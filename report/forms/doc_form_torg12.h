#pragma once

#include "report_template.h"

// FRDocT12, the goods waybill TORG-12 of a sales waybill in the layout of the unified form:
// the party blocks beside the column of codes, the number and date, the table of 15 numbered
// columns, the totals and the footer block with its signatures; "Страница N из M" under every
// page. A4 landscape.
class DocFormTorg12 {
public:
    static ReportTemplate make();
};
