#include "doc_form_table.h"

#include "doc_text.h"

#include <numeric>

DocTotal::DocTotal(int first_, int last_, const QString& text_, const NumberFormat& format_)
    : first(first_)
    , last(last_)
    , text(text_)
    , format(format_) {}

DocTotal DocTotal::Caption(int first, int last, const QString& text) {
    DocTotal t(first, last, text);
    t.bold = true;
    t.frame = FrameNone;
    return t;
}

DocTotal DocTotal::Cross(int first, int last) {
    DocTotal t(first, last, QStringLiteral("Х")); // the Cyrillic letter, as the published forms print it
    t.align = Qt::AlignHCenter;
    return t;
}

DocFormTable::DocFormTable(QList<DocColumn> columns, double headingPx, double linePx)
    : m_columns(std::move(columns))
    , m_headingPx(headingPx)
    , m_linePx(linePx) {}

double DocFormTable::x(int column) const {
    double x = 0;
    for (int i = 0; i < column && i < m_columns.size(); ++i)
        x += m_columns[i].width;
    return x;
}

double DocFormTable::width(int first, int last) const {
    return x(last + 1) - x(first);
}

ReportBand DocFormTable::heading(const QList<DocHeading>& cells, const QList<double>& rows,
                                 double numberRow) const {
    const auto rowTop = [&rows](int row) { return std::accumulate(rows.begin(), rows.begin() + row, 0.0); };
    ReportBand band;
    for (const DocHeading& c : cells)
        band.texts << DocText(x(c.first), rowTop(c.top), width(c.first, c.last),
                              rowTop(c.bottom + 1) - rowTop(c.top), c.text, m_headingPx)
                          .center()
                          .middle()
                          .wrap()
                          .frame()
                          .padding(PxToMm(1));
    band.height = rowTop(static_cast<int>(rows.size()));
    if (numberRow > 0) {
        for (int i = 0; i < m_columns.size(); ++i)
            band.texts << DocText(x(i), band.height, m_columns[i].width, numberRow, m_columns[i].number,
                                  m_headingPx)
                              .center()
                              .middle()
                              .frame();
        band.height += numberRow;
    }
    return band;
}

ReportBand DocFormTable::captions(const QStringList& captions, double height) const {
    QList<DocHeading> cells;
    for (int i = 0; i < captions.size(); ++i)
        cells << DocHeading{i, i, 0, 0, captions[i]};
    return heading(cells, {height}, 0);
}

ReportBand DocFormTable::line(double height) const {
    ReportBand band;
    band.height = height;
    for (int i = 0; i < m_columns.size(); ++i) {
        const DocColumn& c = m_columns[i];
        band.texts << DocText(x(i), 0, c.width, height, c.value, m_linePx)
                          .align(c.align)
                          .middle()
                          .grow()
                          .fitBand()
                          .frame()
                          .format(c.format);
    }
    return band;
}

ReportBand DocFormTable::totals(const QList<DocTotal>& cells, double height) const {
    ReportBand band;
    band.height = height;
    for (const DocTotal& c : cells) {
        // A long figure wraps in its cell rather than be cut.
        DocText cell = DocText(x(c.first), 0, width(c.first, c.last), height, c.text, m_linePx)
                           .align(c.align)
                           .middle()
                           .grow()
                           .fitBand()
                           .frame(c.frame)
                           .format(c.format);
        band.texts << (c.bold ? cell.bold() : cell);
    }
    return band;
}
