#pragma once

#include "cross_tab_data.h"
#include "report_elements.h"

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
};
