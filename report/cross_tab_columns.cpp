#include "cross_tab_columns.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr double kEpsilon = 1e-6;

// Distinct columns of the table, leaving at least one other column.
bool validKeys(const QList<int>& keys, int count) {
    const auto inTable = [count](int c) { return c >= 0 && c < count; };
    return !keys.isEmpty() && keys.size() < count && std::all_of(keys.begin(), keys.end(), inTable) &&
           QSet<int>(keys.begin(), keys.end()).size() == keys.size();
}

// Widths are searched in tenths of a millimetre, as the columns are measured.
double mm(long tenths) {
    return tenths / 10.0;
}

} // namespace

CrossTabColumns::CrossTabColumns(QList<double> widths, const ReportCrossTab& crossTab, double printableWidth,
                                 const TableHeight& tableHeight)
    : m_widths(std::move(widths))
    , m_printable(printableWidth) {
    m_keyed = planKeyed(crossTab, tableHeight);
    if (m_keyed) return;
    m_keys.clear();
    m_others.resize(m_widths.size());
    std::iota(m_others.begin(), m_others.end(), 0);
    m_slices = sliceOthers(0);
}

double CrossTabColumns::sum(const QList<int>& columns) const {
    double total = 0;
    for (int c : columns)
        total += m_widths[c];
    return total;
}

QList<QList<int>> CrossTabColumns::sliceOthers(double keysWidth) const {
    const double room = m_printable - keysWidth;
    QList<QList<int>> result;
    double used = 0;
    for (int c : m_others) {
        const double w = std::min(m_widths[c], room);
        if (result.isEmpty() || used + w > room + kEpsilon) {
            result.append(m_keys);
            used = 0;
        }
        result.last() << c;
        used += w;
    }
    return result;
}

QList<double> CrossTabColumns::widthsWith(int name, double nameWidth) const {
    QList<double> widths = m_widths;
    if (name >= 0) widths[name] = nameWidth;
    double keys = 0;
    for (int c : m_keys)
        keys += widths[c];
    for (int c : m_others)
        widths[c] = std::min(widths[c], m_printable - keys);
    return widths;
}

bool CrossTabColumns::planKeyed(const ReportCrossTab& crossTab, const TableHeight& tableHeight) {
    const int count = static_cast<int>(m_widths.size());
    const double total = std::accumulate(m_widths.begin(), m_widths.end(), 0.0);
    if (total <= m_printable + kEpsilon || !validKeys(crossTab.keyColumns, count)) return false;
    m_keys = crossTab.keyColumns;
    for (int c = 0; c < count; ++c)
        if (!m_keys.contains(c)) m_others << c;

    const int name = m_keys.contains(crossTab.nameColumn) ? crossTab.nameColumn : -1;
    const double natural = name >= 0 ? m_widths[name] : 0;
    const double fixedKeys = sum(m_keys) - natural;
    const long naturalT = std::lround(natural * 10);
    const long leastT = std::min(naturalT, static_cast<long>(std::floor(m_printable * 10 / 4)));
    // Keys that would take half the page leave too little beside them to be worth repeating.
    if (fixedKeys + mm(leastT) > m_printable / 2 + kEpsilon) return false;

    // A narrower name never needs more slices.
    const auto slicesWith = [&](long nameT) { return sliceOthers(fixedKeys + mm(nameT)).size(); };
    const auto widestFor = [&](qsizetype slices) {
        long lo = leastT, hi = naturalT;
        while (lo < hi) {
            const long mid = (lo + hi + 1) / 2;
            if (slicesWith(mid) <= slices)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    };
    const qsizetype fewest = slicesWith(leastT);
    const qsizetype most = slicesWith(naturalT);
    long nameT = naturalT;
    double least = std::numeric_limits<double>::infinity();
    for (qsizetype slices = fewest; slices <= most && fewest < most; ++slices) {
        const long widest = widestFor(slices);
        if (slicesWith(widest) != slices) continue; // no name width gives this many
        const double paper = slices * tableHeight(widthsWith(name, mm(widest)));
        if (paper < least - kEpsilon) {
            least = paper;
            nameT = widest;
        }
    }
    m_widths = widthsWith(name, mm(nameT));
    m_slices = sliceOthers(sum(m_keys));
    return true;
}
