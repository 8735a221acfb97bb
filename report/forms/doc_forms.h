#pragma once

#include "doc_print_data.h"
#include "form_registry.h"
#include "report_engine.h"
#include "report_template.h"

#include <QString>

#include <optional>

// The print forms of the goods documents, without the windows: the editors' "Печать" and
// kovrel-cli print-doc prepare them through here from a document's print data, each form as
// the registry has it, in the edition in force on the document's date.
class DocForms {
public:
    // The form at a position of the kind's print list ("FRDocSF" for a sales waybill's 2); the
    // list's first form for a position without an entry.
    static QString printedForm(const TGoodsDocKind& kind, int position);
    // The registered form as the document's kind prints it, in the edition in force on the
    // document's date, named for people with the document's number and date ("Счет-фактура № 53
    // от 09.12.2026"); an empty template for a form the kind does not print.
    static ReportTemplate makeTemplate(const QString& form, const TDocPrintData& data);
    // DSetZag, one record, and DSetItems, a record per line with the page totals, reading `data`
    // and declaring the fields the form's registry entry gives them.
    static QList<ReportDataSource> sources(const QString& form, const TDocPrintData& data);
    // Lays the form out; `page` replaces the template's paper, orientation and margins (the
    // preview's page setup). Fails for a form the kind does not print.
    static PrepareResult prepare(const QString& form, const TDocPrintData& data,
                                 const std::optional<ReportPageSetup>& page = {});
};
