#pragma once

#include "report_template.h"

#include <QDate>
#include <QString>

// FRDocSF, the VAT invoice of a sales waybill in the layout of the published form (appendix 1
// to Government Resolution 1137): the header lines with their numbers, the table, the totals
// "Всего к оплате (9)", the signatures and the form's note; "Страница N из M" under every
// page. A4 landscape. The form changed over the years; a document prints the edition in force
// on its date, and everything that differs between editions stands in one table below.
class DocFormVatInvoice {
public:
    struct Edition {
        QString name;              // the amending resolution's number: "534", "1096", "26"
        QDate from;                // in force from
        QString amendedBy;         // the third line of the header
        QString shippingDocument;  // line (5а), with the document's variables
        bool advanceInvoices;      // line (5б)
        bool column14;             // the traceable goods' cost without VAT
        QString soleTraderCaption; // under the sole trader's registration field
    };

    // Oldest first.
    static const QList<Edition>& editions();
    static ReportTemplate make(const Edition& edition);
};
