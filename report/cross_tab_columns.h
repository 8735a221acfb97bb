#pragma once

#include "report_cross_tab.h"

#include <QList>

#include <functional>

// How a cross-tab's columns share the printable width: each column's width and the slices of
// columns printed one beside the other. A table that fits is one slice. A wider one is cut
// into slices in its order, each as many columns as fit; with key columns named, every slice
// starts with them, and the name column gives up width, down to a quarter of the page, where
// that saves paper: a narrower name may save slices, but its wrapped lines make rows taller.
// Of the slice counts the name's width allows, the one whose slices times the table's height
// is least wins (the fewer slices when even), the name as wide as that count leaves it.
class CrossTabColumns {
public:
    // The height of the whole table with its columns this wide.
    using TableHeight = std::function<double(const QList<double>& widths)>;

    // `widths`: each column as wide as its widest text, at most the printable width.
    CrossTabColumns(QList<double> widths, const ReportCrossTab& crossTab, double printableWidth,
                    const TableHeight& tableHeight);

    const QList<double>& widths() const { return m_widths; }
    const QList<QList<int>>& slices() const { return m_slices; }
    // Whether the key columns and header rows repeat: the table is wider than the page and
    // names its keys.
    bool keyed() const { return m_keyed; }

private:
    bool planKeyed(const ReportCrossTab& crossTab, const TableHeight& tableHeight);
    // The widths with the name column `name` (none when negative) `nameWidth` wide and no
    // other column wider than the room beside the keys.
    QList<double> widthsWith(int name, double nameWidth) const;
    // The slices of the columns that are not keys, beside keys `keysWidth` wide.
    QList<QList<int>> sliceOthers(double keysWidth) const;
    double sum(const QList<int>& columns) const;

    QList<double> m_widths;
    double m_printable;
    QList<int> m_keys;
    QList<int> m_others;
    QList<QList<int>> m_slices;
    bool m_keyed = false;
};
