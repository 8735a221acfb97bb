#include "cross_tab_layout.h"

#include "cross_tab_columns.h"

#include <QRegularExpression>

#include <cmath>
#include <numeric>

CrossTabLayout::CrossTabLayout(BandLayout& bands)
    : m_bands(bands) {}

QList<double> CrossTabLayout::columnWidths(const CrossTabData& data, const ReportFont& font, double padding,
                                           double printableWidth) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    TextMeasurer& m = m_bands.measurer();
    QList<double> widths(data.colCount(), 2 * padding);
    for (int c = 0; c < data.colCount(); ++c) {
        double widest = 0;
        for (int r = 0; r < data.rowCount(); ++r)
            for (const QString& line : data.cell(r, c).split(lineBreak))
                widest = std::max(widest, m.textWidth(line, font));
        // Rounded up to a tenth of a millimetre, so the text never ends up a hair too wide.
        widths[c] = std::min(printableWidth, std::ceil((widest + 2 * padding) * 10) / 10);
    }
    return widths;
}

const QList<int>& CrossTabLayout::lineCounts(const CrossTabData& data, const ReportFont& font, double padding,
                                             int col, double width) {
    const QPair<int, qint64> key(col, qRound64(width * 1000));
    auto it = m_lineCounts.find(key);
    if (it == m_lineCounts.end()) {
        QList<int> counts(data.rowCount());
        for (int r = 0; r < data.rowCount(); ++r)
            counts[r] = static_cast<int>(
                m_bands.measurer().breakLines(data.cell(r, col), font, width - 2 * padding, true).size());
        it = m_lineCounts.insert(key, counts);
    }
    return *it;
}

QList<double> CrossTabLayout::rowHeights(const CrossTabData& data, const ReportFont& font, double padding,
                                         const QList<double>& widths) {
    QList<int> lines(data.rowCount(), 1);
    for (int c = 0; c < data.colCount(); ++c) {
        const QList<int>& counts = lineCounts(data, font, padding, c, widths[c]);
        for (int r = 0; r < data.rowCount(); ++r)
            lines[r] = std::max(lines[r], counts[r]);
    }
    const double lh = m_bands.measurer().lineHeight(font);
    QList<double> heights(data.rowCount());
    for (int r = 0; r < data.rowCount(); ++r)
        heights[r] = lines[r] * lh + 2 * padding;
    return heights;
}

LaidCrossTab CrossTabLayout::layout(const ReportCrossTab& crossTab, const CrossTabData& data,
                                    double printableWidth) {
    const ReportFont font = m_bands.resolved(crossTab.font);
    const double padding = crossTab.padding;
    const CrossTabColumns columns(columnWidths(data, font, padding, printableWidth), crossTab, printableWidth,
                                  [&](const QList<double>& widths) {
                                      const QList<double> heights = rowHeights(data, font, padding, widths);
                                      return std::accumulate(heights.begin(), heights.end(), 0.0);
                                  });
    const QList<double>& widths = columns.widths();
    const QList<double> heights = rowHeights(data, font, padding, widths);

    ReportText cell;
    cell.font = crossTab.font;
    cell.align = crossTab.align;
    cell.wordWrap = true;
    cell.frame = FrameAll;
    cell.frameWidth = crossTab.frameWidth;
    cell.padding = QMarginsF(padding, padding, padding, padding);

    LaidCrossTab table;
    table.byRows = columns.keyed();
    table.headerRows = columns.keyed() ? std::clamp(crossTab.headerRows, 0, data.rowCount()) : 0;
    for (const QList<int>& slice : columns.slices()) {
        QList<LaidBand>& rows = table.slices.emplace_back();
        for (int r = 0; r < data.rowCount(); ++r) {
            LaidBand& row = rows.emplace_back();
            row.height = heights[r];
            double x = 0;
            for (int c : slice) {
                m_bands.addText(row, cell, data.cell(r, c), QRectF(x, 0, widths[c], heights[r]));
                x += widths[c];
            }
        }
    }
    return table;
}
