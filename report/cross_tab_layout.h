#pragma once

#include "band_layout.h"
#include "cross_tab_data.h"
#include "report_cross_tab.h"

#include <QHash>
#include <QList>
#include <QPair>

// A fed cross-tab laid out: its slices of columns, each holding every row as a band of framed
// cells; a row is as high in every slice.
struct LaidCrossTab {
    QList<QList<LaidBand>> slices; // [slice][row]
    // Pages go by rows (every slice of the rows a page holds, then the next rows), the first
    // `headerRows` rows again at the top of every page after the first; otherwise each slice
    // runs from the first row down, a further slice from a page of its own.
    bool byRows = false;
    int headerRows = 0;
};

// Cuts a fed cross-tab into rows of framed cells: the columns as CrossTabColumns shares them
// out (texts wrapped where a column is narrower than its text), each row as high as its
// tallest cell.
class CrossTabLayout {
public:
    explicit CrossTabLayout(BandLayout& bands);

    LaidCrossTab layout(const ReportCrossTab& crossTab, const CrossTabData& data, double printableWidth);

private:
    QList<double> columnWidths(const CrossTabData& data, const ReportFont& font, double padding,
                               double printableWidth);
    // How many lines each row's text takes in column `col` at `width`; kept for each width
    // asked, since the widths are tried out before they are chosen.
    const QList<int>& lineCounts(const CrossTabData& data, const ReportFont& font, double padding, int col,
                                 double width);
    QList<double> rowHeights(const CrossTabData& data, const ReportFont& font, double padding,
                             const QList<double>& widths);

    BandLayout& m_bands;
    QHash<QPair<int, qint64>, QList<int>> m_lineCounts;
};
