#pragma once

#include "cross_tab_data.h"
#include "report_elements.h"

#include <QList>

#include <functional>

// A table that the program fills just before it prints, with (row key, column key, text)
// triples; rows and columns stand in the order in which they were first fed, without headers,
// totals or sorting. Every cell is framed and each column is as wide as its widest text. It
// flows down onto further pages when longer than a page and continues with the remaining
// columns on further pages when wider.
struct ReportCrossTab {
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    double padding = PxToMm(3);
    double frameWidth = PxToMm(1);
    std::function<void(CrossTabData&)> beforePrint;

    // What says which row a cell belongs to, for a table wider than the page: columns and rows
    // by their position in the order first fed. Such a table prints so that every page reads
    // alone: the key columns (row numbers, names) stand at the left of every slice of the other
    // columns, the header rows at the top of every page after the first, and the pages go by
    // rows, all slices of the rows one page holds before the next rows. The name column is held
    // to a width that leaves the other columns their room, its text wrapped. A table that fits
    // the page's width, or names no key columns, prints every cell once, as above.
    QList<int> keyColumns; // printed at the left in this order
    int nameColumn = -1;   // one of the key columns
    int headerRows = 0;
};
