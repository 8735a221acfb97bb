#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A report as its page's grid holds it: R rows of C texts (row 0 the header row), the column
// widths in pixels and the fixed rows and columns. The grid builder makes it from a computed
// report; the page shows it, and printing, the exports and kovrel-cli read it, so that all of
// them see the very same texts. Addressed like the page's grid: column first, then row.
struct TReportGrid {
    QList<QStringList> Rows; // every row has ColCount() texts
    QList<int> Widths;       // one per column
    int FixedRows = 0;
    int FixedCols = 0;

    int RowCount() const { return static_cast<int>(Rows.size()); }
    int ColCount() const { return static_cast<int>(Widths.size()); }
    const QString& Cells(int col, int row) const { return Rows.at(row).at(col); }
};
