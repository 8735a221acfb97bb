#include "cli_help.h"

#include "grid_table.h"
#ifdef KOVREL_CLI_PRINT
#include "print_doc.h"
#include "print_table.h"
#endif
#include "operation_table.h"
#include "report_table.h"

#include <QStringList>

namespace {

const char* const kUsage = R"help(Usage: kovrel-cli [OPTIONS] COMMAND

Commands:
  call OPERATION [ARGS_JSON]     run one service operation and print its result
  report OPERATION [ARGS_JSON]   run one report operation, then the report's computation
  grid OPERATION [ARGS_JSON]     run one report as its page does and print the page's grid
  export OPERATION [ARGS_JSON] (--xlsx FILE | --text FILE | --calc FILE)
                                 write that grid as the page's export menu does: a workbook,
                                 the tab-separated text file, or a Calc document (.ods)
  print OPERATION [ARGS_JSON] --pdf FILE | --png DIR
                                 run one report as its page does and print it as its
                                 "Печать" does: a PDF, or one PNG per page at 150 dpi
  print-doc KIND ID [FORM] --pdf FILE | --png DIR [--status 1|2]
                                 print a stored goods document as its editor's "Печать"
                                 does, with form FORM of its print list (0 when left out)
  upd nkl ID --out DIR [--status 1|2]
  upd nkl --from DATE --to DATE --out DIR [--status 1|2]
                                 write the УПД XML e-document of a sales waybill, or of every
                                 sales waybill of the period, as its editor's "Выгрузить УПД
                                 (XML)" does
  sign-in                        sign in and print the sign-in state

Options:
  --service URL      service address, e.g. http://127.0.0.1:8088
  --login ADMIN      the administrator's e-mail login (names the account)
  --user USER        a user's e-mail login; leave out when the administrator works himself
  --password PASS    the password
  --ini PATH         a kovrel.ini whose section "Config" holds "Login", "DopLogin" and "Pas"
  --format tsv|csv   print the rows (of L, Rec or a report) as text instead of JSON
  --screen WxH       export: the screen the grid's pixel widths are scaled for (1920x1080)
  --pdf FILE         (print, print-doc) the PDF to write; written whole or not at all
  --png DIR          (print, print-doc) the folder for the pages as PNG pictures
  --out DIR          (upd) the folder of the XML files
  --status 1|2       (upd, print-doc nkl ID 4) the УПД's status: 1 a VAT invoice and
                     transfer document (СЧФДОП), 2 a transfer document only (ДОП); left
                     out, 1 when a line carries VAT, else 2
  --from, --to DATE  (upd) the period, "yyyy-mm-dd", both days included
  --help             this text

Each credential comes from its option, else from the environment (KOVREL_SERVICE,
KOVREL_LOGIN, KOVREL_USER, KOVREL_PASSWORD), else from the --ini file. Prefer the environment
or the file for the password: options are visible to other users of the machine.

ARGS_JSON is one JSON object with the operation's parameters under the names listed below.
Dates are "yyyy-mm-dd", flags true or false. A record parameter (Rec) is an object of the
record's fields; fields left out keep the record's defaults. A list parameter (L) is an array
of such objects. Parameters marked "?" may be left out (empty text, 0, false; report codes of
0 ask for all).

Output is one JSON object:
  ok       the operation's result; false also when a request failed
  Rec      the record after the call (an insert's new ID, a fetched or refreshed record)
  L        the records of a list, every field under its own name
  text     the text a command returned
  log      the request's log: reply texts, record counts, failure messages
  rows     (report) each row's record fields and computed values
  totals   (report) the report's totals
  Opening  (report, cards) the opening balance

Report computations and their names:
  RunRepOst        rows OstKol ItogZSum PackKol ZCenAvg Sum; totals OstKol PackKol ItogZSum Sum
  RunRepMoveGood,  rows Text In Out Balance; totals In Out Closing; Opening
  RunRepMoveKl
  RunRepSaleSt     rows PackKol Nac; totals Kol PackKol SumZ SumR Nac
  RunRepPrhSt      rows PackKol ZCenAvg; totals Kol PackKol SumZ
  RunRepSaleDynam  rows Label Nac; totals Kol SumZ SumR Nac
  RunRepPrhDynam   rows Label; totals Kol SumZ
  RunRepDolg       Group 0: rows Debt Advance, totals Debt Advance; other groups: Balance

grid prints {"ok", "cells" (row 0 the header row), "widths" (pixels), "fixedRows",
"fixedCols", "log"}; with --format only the cells. Its ARGS_JSON takes what report takes plus
the page's controls: check boxes as true or false (each left out keeps its state at start),
ComBoxGrRepDolg (0..3, the account group) and SelKlientGr (the kind of the chosen counterparty;
left out, nothing was chosen: -1). export takes the same ARGS_JSON and prints {"ok", "log"};
--calc runs LibreOffice headless (no display needed) through the Calc export module.

print takes what grid takes plus the page's controls that the printed title shows, under
their names (listed below): combo and edit texts and the chosen names (SelKlientNameRSS, ...)
as text, date pickers as "yyyy-mm-dd", ComBoxPrintOst 0 (портрет) or 1 (альбом). Left out, a
period takes BeginDat and EndDat, a name filter SelName, a store or manager not chosen "(все)",
the detail period CodeDetal. It prints {"ok", "template", "title", "pages", "files", "log"};
it needs no display. When the query or the preparation fails, nothing is written.

print-doc prints a stored document: KIND is nkl (sales waybill), prh (receipt), invoice
(order) or vnk (internal transfer), ID its number, FORM the entry of the kind's print list
(listed below; another number is a usage error). The header is found in the kind's journal
over all dates, the lines and the requisites are read as the editor reads them. A form of
several editions prints the one in force on the document's date. It prints {"ok", "template",
"title", "edition", "pages", "files"} ("edition" only for such a form); it needs no display.
A document that does not exist or cannot be read exits with 1 and writes nothing.

upd writes each document as format 5.03 of the tax service (windows-1251) under the file name
the format prescribes, a new file beside any that are there. Both parties need their
e-document participant IDs (UpdateEdoID), ИНН and address; a document that lacks one, or has
no lines, is not written and is named with its reason. It prints {"ok", "files", "failed"}
("failed": each document's "number" and "reason"); ok is true when every document was written.
Texts whose characters windows-1251 lacks are written with "?" and named on stderr.

Exit status: 0 when ok is true, 1 when it is false, 2 for a usage error (nothing is sent then).
Errors are one line on stderr.

Examples:
  KOVREL_PASSWORD=secret kovrel-cli --login boss@shop.ru call SelectStoreList '{"SelName": "склад"}'
  kovrel-cli --ini kovrel.ini --format csv report RunRepOst '{"CodeStore": 3, "ZCenShown": true}'
  kovrel-cli --ini kovrel.ini grid RunRepOst '{"CBoxKolPack": true, "CBoxCen": false}'
  kovrel-cli --ini kovrel.ini print RunRepOst '{"ComBoxStore": "(все)", "ComBoxPrintOst": 1}' --pdf ost.pdf
  kovrel-cli --ini kovrel.ini print-doc nkl 1534 2 --pdf счет-фактура-1534.pdf
  kovrel-cli --ini kovrel.ini upd nkl --from 2026-11-01 --to 2026-11-30 --out упд-ноябрь
)help";

QString describe(const QList<cli::ParamInfo>& params) {
    QStringList out;
    for (const cli::ParamInfo& p : params)
        out << p.name + (p.required ? QString() : QStringLiteral("?")) + QLatin1Char(':') + p.kind;
    return out.isEmpty() ? QStringLiteral("(none)") : out.join(QLatin1Char(' '));
}

QString controls(const QString& operation) {
    const QStringList names = cli::GridControls(operation);
    return names.isEmpty() ? QStringLiteral("(none)") : names.join(QLatin1Char(' '));
}

} // namespace

QString HelpText() {
    QString text = QString::fromUtf8(kUsage);
    text += QStringLiteral("\nOperations (parameters -> what comes back):\n");
    for (const cli::Operation& op : cli::Operations())
        text += QStringLiteral("  %1  %2 -> %3\n").arg(op.name, describe(op.params), op.returns);
    text += QStringLiteral("\nReport computation inputs (report only):\n");
    for (const cli::ReportEntry& r : cli::Reports())
        text += QStringLiteral("  %1  %2\n").arg(r.operation, describe(r.inputs));
    text += QStringLiteral("\nPage controls (grid only):\n");
    for (const cli::ReportEntry& r : cli::Reports())
        text += QStringLiteral("  %1  %2\n").arg(r.operation, controls(r.operation));
#ifdef KOVREL_CLI_PRINT
    text += QStringLiteral("\nPrinted title and template controls (print, beside the grid's):\n");
    for (const cli::ReportEntry& r : cli::Reports())
        text += QStringLiteral("  %1  %2\n")
                    .arg(r.operation, cli::PrintControls(r.operation).join(QLatin1Char(' ')));
    text += QStringLiteral("\nPrinted reports (print):\n");
    text += cli::PrintedReports();
    text += QStringLiteral("\nDocument kinds and their print forms (print-doc KIND ID FORM):\n");
    text += cli::PrintDocForms();
#endif
    return text;
}
