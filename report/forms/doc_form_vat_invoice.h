#pragma once

#include "report_template.h"

// FRDocSF, the VAT invoice of a sales waybill in the layout of the published form (2021
// edition): the heading lines with their numbers, the table of columns 1 to 13, the totals,
// the signatures and the form's note; "Страница N из M" under every page. A4 landscape.
class DocFormVatInvoice {
public:
    static ReportTemplate make();
};
