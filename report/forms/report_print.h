#pragma once

#include "report_controls.h"
#include "report_engine.h"
#include "report_grid.h"
#include "report_template.h"

#include <QString>
#include <QStringList>

#include <optional>

// The eight report pages' "Печать", without the window: the template chosen by the controls,
// the title texts from the controls, the table from the grid. The pages and kovrel-cli print
// through here.
class ReportPrint {
public:
    enum Kind { Ost, MoveGood, SaleSt, SaleDynam, PrhSt, PrhDynam, Dolg, MoveKlient };

    // By the page's report operation (RunRepOst, RunRepMoveGood, … RunRepMoveKl).
    static std::optional<Kind> kindOfOperation(const QString& operation);
    static QString operation(Kind kind);
    // The controls the print reads: the title's and those that choose the template.
    static QStringList controls(Kind kind);

    // FROst (landscape when ComBoxPrintOst is 1, portrait otherwise), FRMoveKlient when
    // SelKlientGr is 1 else FRMoveKlient2, FRDolg when ComBoxGrRepDolg is 0 else FRDolg2, …
    static QString templateName(Kind kind, const ReportControls& controls);
    static ReportTemplate makeTemplate(Kind kind, const TReportGrid& grid, const ReportControls& controls);

    // Prepares the print of `grid` with the title of `controls`; `page` replaces the
    // template's paper, orientation and margins (the preview's page setup).
    static PrepareResult prepare(Kind kind, const TReportGrid& grid, const ReportControls& controls,
                                 const std::optional<ReportPageSetup>& page = {});
};
