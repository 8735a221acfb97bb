#pragma once

#include "cli_options.h"
#include "goods_doc_kind.h"
#include "print_table.h"

#include <optional>

// kovrel-cli print-doc KIND ID [FORM] (--pdf FILE | --png DIR): a stored goods document printed
// as its editor's "Печать" prints it.
namespace cli {

struct PrintDocCommand {
    const TGoodsDocKind* kind = nullptr;
    int id = 0;
    int form = 0;              // the index of the kind's print list
    std::optional<int> status; // the УПД's status asked for
};

// KIND nkl, prh, invoice or vnk; ID the document's number; FORM an index of the kind's print
// list, 0 when left out; --status 1|2 for the УПД only. Anything else is a usage error.
PrintDocCommand ParsePrintDoc(const CliOptions& o);

// Reads the document, its lines and the requisites from the service as the editor does and
// writes the form. Nothing is written when the document cannot be read or the form prepared.
PrintOutput PrintStoredDoc(const PrintDocCommand& c, const CliOptions& o);

// The kinds and their print lists with the forms' editions, for --help.
QString PrintDocForms();
// The report pages' printed reports by operation, for --help.
QString PrintedReports();

} // namespace cli
