#pragma once

#include "cross_tab_layout.h"
#include "page_flow.h"

// Puts a laid cross-tab onto the pages. By rows: the rows that fit on the page go there in the
// first slice, then the same rows in each further slice on a page of its own, then the next
// rows under the header rows again. Otherwise slice after slice, each from the first row down.
class CrossTabFlow {
public:
    explicit CrossTabFlow(PageFlow& flow);

    void place(const LaidCrossTab& table);

private:
    void placeSlicesDown(const LaidCrossTab& table);
    void placeByRows(const LaidCrossTab& table);
    // Up to which row those from `first` fit under `above` mm on this page (at least `least`).
    int rowsThatFit(const QList<LaidBand>& rows, int first, double above, int least) const;
    static double height(const QList<LaidBand>& rows, int from, int to);

    PageFlow& m_flow;
};
