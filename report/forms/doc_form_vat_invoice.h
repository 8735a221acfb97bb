#pragma once

#include "doc_form_table.h"
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

    // What a form built on the invoice (the УПД) changes in it; the defaults are the invoice.
    struct Layout {
        double left = 0;           // mm kept free left of the header and the signatures
        DocColumn leading;         // a column before column 1 (width 0: none); the others narrow
        QString leadingHeading;    // its caption
        double headerLine = 3.4;   // the height of a header line (2) … (8)
        double line = 4;           // the least height of a goods line
        double signatureTop = 3;   // the first row of signatures, from the top of their band
        double signatureStep = 13; // from one row of signatures to the next
        bool note = true;          // the note on the copies under the signatures
    };

    // Oldest first.
    static const QList<Edition>& editions();
    static ReportTemplate make(const Edition& edition);
    static ReportTemplate make(const Edition& edition, const Layout& layout);
};
