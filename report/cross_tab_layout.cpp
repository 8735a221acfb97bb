#include "cross_tab_layout.h"

#include "cross_tab_columns.h"

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

LaidCrossTab CrossTabLayout::layout(const ReportCrossTab& crossTab, const CrossTabData& data,
                                    double printableWidth) {
    const ReportFont font = m_bands.resolved(crossTab.font);
    const CrossTabColumns columns(columnWidths(data, font, crossTab.padding, printableWidth), crossTab,
                                  printableWidth);
    const QList<double>& widths = columns.widths();
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
