#include "cross_tab_layout.h"

#include <QRegularExpression>

#include <cmath>

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

QList<QList<int>> CrossTabLayout::slices(const QList<double>& widths, double printableWidth) const {
    QList<QList<int>> result;
    double used = 0;
    for (int c = 0; c < widths.size(); ++c) {
        if (result.isEmpty() || used + widths[c] > printableWidth + 1e-6) {
            result.append(QList<int>());
            used = 0;
        }
        result.last() << c;
        used += widths[c];
    }
    return result;
}

QList<CrossTabRow> CrossTabLayout::layout(const ReportCrossTab& crossTab, const CrossTabData& data,
                                          double printableWidth) {
    const ReportFont font = m_bands.resolved(crossTab.font);
    const QList<double> widths = columnWidths(data, font, crossTab.padding, printableWidth);
    TextMeasurer& m = m_bands.measurer();
    const double lh = m.lineHeight(font);

    ReportText cell;
    cell.font = crossTab.font;
    cell.align = crossTab.align;
    cell.wordWrap = true;
    cell.frame = FrameAll;
    cell.frameWidth = crossTab.frameWidth;
    cell.padding = QMarginsF(crossTab.padding, crossTab.padding, crossTab.padding, crossTab.padding);

    QList<double> heights(data.rowCount(), lh + 2 * crossTab.padding);
    for (int r = 0; r < data.rowCount(); ++r)
        for (int c = 0; c < data.colCount(); ++c) {
            const auto lines = m.breakLines(data.cell(r, c), font, widths[c] - 2 * crossTab.padding, true);
            heights[r] = std::max(heights[r], lines.size() * lh + 2 * crossTab.padding);
        }

    QList<CrossTabRow> rows;
    const QList<QList<int>> columnSlices = slices(widths, printableWidth);
    for (int s = 0; s < columnSlices.size(); ++s)
        for (int r = 0; r < data.rowCount(); ++r) {
            CrossTabRow row;
            row.newPage = s > 0 && r == 0;
            row.band.height = heights[r];
            double x = 0;
            for (int c : columnSlices[s]) {
                m_bands.addText(row.band, cell, data.cell(r, c), QRectF(x, 0, widths[c], heights[r]));
                x += widths[c];
            }
            rows << row;
        }
    return rows;
}
