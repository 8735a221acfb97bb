#pragma once

#include "doc_print_data.h"
#include "report_engine.h"
#include "report_template.h"

#include <QString>

#include <optional>

// The print forms of the goods documents, without the windows: the editors' "Печать" and
// kovrel-cli print-doc prepare them through here from a document's print data.
class DocForms {
public:
    // FRDoc1, FRDoc2, FRDocS, FRDocSF, FRDocT12, FRDocT13 as the kind prints them (the simple
    // forms' title is the kind's); an empty template for another name.
    static ReportTemplate makeTemplate(const QString& form, const TGoodsDocKind& kind);
    // DSetZag, one record, and DSetItems, a record per line, reading `data`.
    static QList<ReportDataSource> sources(const TDocPrintData& data);
    // Lays the form out; `page` replaces the template's paper, orientation and margins (the
    // preview's page setup). Fails for a form the kind does not print.
    static PrepareResult prepare(const QString& form, const TDocPrintData& data,
                                 const std::optional<ReportPageSetup>& page = {});
};
