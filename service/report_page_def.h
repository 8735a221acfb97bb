#pragma once

#include <QHash>
#include <QList>
#include <QString>

// What each of the eight report pages shows, kept below the windows so that the pages and
// kovrel-cli read the same table: the report's operation, its grid at start and the check
// boxes that choose its columns, each with its state at start.
namespace kovrel::report {

struct CheckDef {
    const char* name; // the check box's control name
    bool checked;     // at start
};

struct ReportPageDef {
    const char* operation; // "RunRepOst", …
    const char* grid;      // "SGRepOst", …
    int cols;              // columns at start
    bool fixedCol;         // the first column is fixed
    int defaultColWidth;   // of columns a loader adds
    QList<int> widths;     // the columns at start
    QList<CheckDef> checks;
    // The width of column `col` on a page nobody has touched.
    int InitialWidth(int col) const { return col < widths.size() ? widths[col] : defaultColWidth; }
};

const QList<ReportPageDef>& ReportPageDefs();
// Null when the operation is not a report.
const ReportPageDef* FindReportPageDef(const QString& operation);
const ReportPageDef& ReportPageDefOf(const char* operation);

// What a page's controls chose when its loader ran: its check boxes by control name, the
// account group of the debts report (`ComBoxGrRepDolg`) and the counterparty kind of the
// settlement card's choice (`SelKlientGr`, -1 when nothing was chosen).
struct TReportChoices {
    QHash<QString, bool> Checks;
    int Group = 0;
    int SelKlientGr = -1;

    // Every check box of the page at its start state.
    static TReportChoices StartState(const ReportPageDef& def);
    bool Checked(const char* name) const { return Checks.value(QLatin1String(name)); }
};

} // namespace kovrel::report
