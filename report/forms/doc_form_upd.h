#pragma once

#include "doc_form_vat_invoice.h"
#include "report_template.h"

// FRDocUPD, the universal transfer document (УПД) of a sales waybill on paper, in the layout the
// tax service recommends: the VAT invoice of the edition in force (its header, lines, columns,
// totals and signatures) with the strip on its left that names the document and its status (1
// when it is also the VAT invoice, 2 when it is the transfer document alone) and the number of
// its sheets, the column "Код товара/ работ, услуг" (А) before column 1, and the transfer part
// [8]–[19] under the signatures: the seller's half filled from the requisites, the buyer's left
// to be filled in by hand. A4 landscape; "Страница N из M" under every page.
class DocFormUpd {
public:
    static ReportTemplate make(const DocFormVatInvoice::Edition& edition);
};
