#pragma once

#include "call_args.h"
#include "cli_options.h"
#include "report_controls.h"
#include "report_engine.h"
#include "report_grid.h"

#include <QString>
#include <QStringList>

// The printed reports of kovrel-cli: the page's controls that the print reads (the title's
// lines and the choice of template), taken from ARGS_JSON under the controls' names.
namespace cli {

// Check boxes as true or false, date pickers as "yyyy-mm-dd", ComBoxPrintOst 0 or 1, combo and
// edit texts and the Sel…Name fields as text. A control left out takes what the same call
// already says: the period from BeginDat and EndDat, the name filter from SelName, the zero box
// from FlagZero, the detail period from CodeDetal, "(все)" for a store or manager not chosen.
ReportControls ReadPrintControls(const QString& operation, CallArgs& a);

// The control names each report's print takes, for --help.
QStringList PrintControls(const QString& operation);

// Exactly one of --pdf and --png, and no --format, go with print and print-doc (`command` when
// printing, else null); neither with anything else.
void CheckPrintOptions(const CliOptions& o, const char* command);

struct PrintOutput {
    QString templateName;
    QString title;   // what people call the print: "Счет-фактура № 53 от 09.12.2026"
    QString edition; // the form's edition printed, when it has several
    int pages = 0;
    QStringList files;
    QString failure; // empty when the files were written
};

// Prepares the print of the page's grid as the page's "Печать" does and writes the PDF or
// the pages as PNG pictures at 150 dpi. Nothing is written when preparing fails.
PrintOutput PrintGrid(const QString& operation, const TReportGrid& grid, const ReportControls& controls,
                      const CliOptions& o);

// Writes what was prepared as --pdf or --png asks; nothing when preparing failed.
PrintOutput WritePrinted(const QString& templateName, const PrepareResult& prepared, const CliOptions& o);

} // namespace cli
