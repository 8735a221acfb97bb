#pragma once

#include "band_layout.h"
#include "cross_tab_data.h"
#include "report_cross_tab.h"

#include <QList>

// One row of a cross-tab as it goes onto the page; `newPage` marks the first row of a further
// slice of columns, which starts on a page of its own.
struct CrossTabRow {
    LaidBand band;
    bool newPage = false;
};

// Cuts a fed cross-tab into rows of framed cells: each column as wide as its widest text plus
// the gaps (at most the printable width, its texts then wrapped), each row as high as its
// tallest cell. Columns that do not fit beside each other go into further slices, printed one
// after the other, every slice from the first row down.
class CrossTabLayout {
public:
    explicit CrossTabLayout(BandLayout& bands);

    QList<CrossTabRow> layout(const ReportCrossTab& crossTab, const CrossTabData& data,
                              double printableWidth);

private:
    QList<double> columnWidths(const CrossTabData& data, const ReportFont& font, double padding,
                               double printableWidth);
    QList<QList<int>> slices(const QList<double>& widths, double printableWidth) const;

    BandLayout& m_bands;
};
