#pragma once

#include "report_band.h"

#include <QList>
#include <QString>

// A column of a document's goods table: its width, its label in the number row, and what a
// line prints in it (variables, [Line#], a fixed text or nothing).
struct DocColumn {
    double width = 0;
    QString number;
    QString value;
    Qt::Alignment align = Qt::AlignLeft;
    NumberFormat format{};
};

// A heading cell over columns first..last and heading rows top..bottom, counted from 0.
struct DocHeading {
    int first = 0;
    int last = 0;
    int top = 0;
    int bottom = 0;
    QString text;

    // In a heading of two rows: a column's caption over both rows, and a caption in the second
    // row under a caption of several columns.
    static DocHeading Whole(int column, const char* text) {
        return {column, column, 0, 1, QString::fromUtf8(text)};
    }
    static DocHeading Under(int column, const char* text) {
        return {column, column, 1, 1, QString::fromUtf8(text)};
    }
};

// A cell of the totals row over columns first..last: framed, right-aligned.
struct DocTotal {
    DocTotal(int first, int last, const QString& text = {}, const NumberFormat& format = {});
    // A caption before the totals: bold, without a frame.
    static DocTotal Caption(int first, int last, const QString& text);
    // The "Х" of a column that has no total.
    static DocTotal Cross(int first, int last);

    int first;
    int last;
    QString text;
    NumberFormat format;
    bool bold = false;
    int frame = FrameAll;
    Qt::Alignment align = Qt::AlignRight;
};

// The framed goods table of a document form, column by column: the heading with its merged
// cells and number row, the line band and the totals row all share the columns' edges.
class DocFormTable {
public:
    // Font sizes in pixels of a 96 dpi screen.
    DocFormTable(QList<DocColumn> columns, double headingPx, double linePx);

    double x(int column) const;
    double width(int first, int last) const;
    double right() const { return x(static_cast<int>(m_columns.size())); }

    // The heading cells over rows of the given heights, then, when `numberRow` is not 0, a row
    // of that height with the columns' numbers.
    ReportBand heading(const QList<DocHeading>& cells, const QList<double>& rows, double numberRow) const;
    // A heading of one row: a caption per column.
    ReportBand captions(const QStringList& captions, double height) const;
    // One line: a framed cell per column, as high as the longest text needs, at least `height`.
    ReportBand line(double height) const;
    // The totals row, `height` high, at the top of a band that the form may add to.
    ReportBand totals(const QList<DocTotal>& cells, double height) const;

private:
    QList<DocColumn> m_columns;
    double m_headingPx;
    double m_linePx;
};
