#include "cross_tab_flow.h"

#include <algorithm>

namespace {

constexpr double kEpsilon = 1e-9;

} // namespace

CrossTabFlow::CrossTabFlow(PageFlow& flow)
    : m_flow(flow) {}

void CrossTabFlow::place(const LaidCrossTab& table) {
    if (table.slices.isEmpty() || table.slices.first().isEmpty()) return;
    if (table.byRows)
        placeByRows(table);
    else
        placeSlicesDown(table);
}

void CrossTabFlow::placeSlicesDown(const LaidCrossTab& table) {
    for (qsizetype s = 0; s < table.slices.size(); ++s)
        for (qsizetype r = 0; r < table.slices[s].size(); ++r) {
            if (s > 0 && r == 0 && !m_flow.atPageTop()) m_flow.newPage();
            m_flow.place(table.slices[s][r]);
        }
}

double CrossTabFlow::height(const QList<LaidBand>& rows, int from, int to) {
    double h = 0;
    for (int r = from; r < to; ++r)
        h += rows[r].height;
    return h;
}

int CrossTabFlow::rowsThatFit(const QList<LaidBand>& rows, int first, double above, int least) const {
    const int count = static_cast<int>(rows.size());
    int last = std::min(count, first + least);
    double used = above + height(rows, first, last);
    while (last < count && used + rows[last].height <= m_flow.freeSpace() + kEpsilon)
        used += rows[last++].height;
    return last;
}

void CrossTabFlow::placeByRows(const LaidCrossTab& table) {
    const QList<LaidBand>& rows = table.slices.first();
    const int count = static_cast<int>(rows.size());
    const int header = table.headerRows;
    const double headerHeight = height(rows, 0, header);
    // The headings never stand alone at the foot of the first page.
    const int opening = std::min(count, header + 1);
    if (!m_flow.atPageTop() && height(rows, 0, opening) > m_flow.freeSpace() + kEpsilon) m_flow.newPage();
    for (int first = 0; first < count;) {
        const bool continued = first > 0;
        if (continued) m_flow.newPage();
        const int last =
            continued ? rowsThatFit(rows, first, headerHeight, 1) : rowsThatFit(rows, 0, 0, opening);
        for (qsizetype s = 0; s < table.slices.size(); ++s) {
            if (s > 0) m_flow.newPage();
            if (continued)
                for (int r = 0; r < header; ++r)
                    m_flow.place(table.slices[s][r]);
            for (int r = first; r < last; ++r)
                m_flow.place(table.slices[s][r]);
        }
        first = last;
    }
}
