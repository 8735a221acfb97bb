#include "band_layout.h"

#include "report_error.h"

#include <algorithm>
#include <cmath>
#include <numeric>

BandLayout::BandLayout(TextMeasurer& measurer, const TextExpander& expander)
    : m_measurer(measurer)
    , m_expander(expander) {}

ReportFont BandLayout::resolved(const ReportFont& font) {
    auto it = m_families.find(font.family);
    if (it == m_families.end()) {
        QString error;
        const QString family = ResolveFontFamily(font.family, &error);
        if (family.isEmpty()) throw ReportError(error);
        it = m_families.insert(font.family, family);
    }
    ReportFont f = font;
    f.family = *it;
    return f;
}

LaidBand BandLayout::layout(const ReportBand& band, const ExpandContext& context) {
    struct Expanded {
        QString text;
        double height;
        double drop = 0; // how far a `shift` text moves down
    };
    QList<Expanded> expanded;
    for (const ReportText& e : band.texts) {
        const QString text = m_expander.expand(e.text, e.format, context);
        double h = e.rect.height();
        if (e.grow) {
            const ReportFont font = resolved(e.font);
            const double inner = e.rect.width() - e.padding.left() - e.padding.right();
            const int lines = static_cast<int>(m_measurer.breakLines(text, font, inner, e.wordWrap).size());
            h = std::max(h, lines * m_measurer.lineHeight(font) + e.padding.top() + e.padding.bottom());
        }
        expanded << Expanded{text, h};
    }

    // What lies below `y` moves down as far as the texts above it, on their own drop, grew:
    // the rows of a form stay apart whichever of their texts grew. Texts are settled from the
    // top, so the drops of those above are known by then.
    const auto dropBelow = [&](double y) {
        double drop = 0;
        for (int j = 0; j < band.texts.size(); ++j) {
            const QRectF& r = band.texts[j].rect;
            if (r.bottom() <= y + 1e-6)
                drop = std::max(drop, expanded[j].drop + expanded[j].height - r.height());
        }
        return drop;
    };
    QList<int> order(band.texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&band](int a, int b) { return band.texts[a].rect.top() < band.texts[b].rect.top(); });
    // The band keeps the room it had under its elements.
    double height = band.height;
    for (int i : order) {
        const ReportText& e = band.texts[i];
        if (e.shift) expanded[i].drop = dropBelow(e.rect.top());
        height = std::max(
            {height, band.height + expanded[i].drop, e.rect.top() + expanded[i].drop + expanded[i].height});
    }
    QList<PreparedLine> lines;
    for (const ReportLine& l : band.lines) {
        const double drop = l.shift ? dropBelow(std::min(l.line.y1(), l.line.y2())) : 0;
        lines << PreparedLine{l.line.translated(0, drop), l.width};
        height = std::max({height, band.height + drop, std::max(l.line.y1(), l.line.y2()) + drop});
    }

    LaidBand out;
    out.height = height;
    for (int i = 0; i < band.texts.size(); ++i) {
        const ReportText& e = band.texts[i];
        QRectF rect(e.rect.topLeft() + QPointF(0, expanded[i].drop),
                    QSizeF(e.rect.width(), expanded[i].height));
        if (e.fitBand) rect.setBottom(height);
        addText(out, e, expanded[i].text, rect);
    }
    out.lines = lines;
    return out;
}

void BandLayout::addText(LaidBand& out, const ReportText& e, const QString& text, const QRectF& rect) {
    if (e.frame != FrameNone) out.frames << PreparedFrame{rect, e.frame, e.frameWidth};
    if (text.isEmpty()) return;

    const ReportFont font = resolved(e.font);
    const QRectF inner = rect.marginsRemoved(e.padding);
    const double lh = m_measurer.lineHeight(font);
    QStringList lines = m_measurer.breakLines(text, font, inner.width(), e.wordWrap);
    // What does not fit into a block that does not grow is cut, and the cut shows: a line
    // ends with "…" where its text goes on. At least one line is kept.
    const int fit = std::max(1, static_cast<int>(std::floor(inner.height() / lh + 1e-6)));
    const bool dropped = lines.size() > fit;
    if (dropped) lines = lines.mid(0, fit);
    // Wrapped lines fit by their making; only a line that was not wrapped can be too wide.
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!e.wordWrap || (dropped && i == lines.size() - 1))
            lines[i] = m_measurer.elided(lines[i], font, inner.width(), dropped && i == lines.size() - 1);

    const double textHeight = lines.size() * lh;
    double top = inner.top();
    if (e.align & Qt::AlignVCenter)
        top += (inner.height() - textHeight) / 2;
    else if (e.align & Qt::AlignBottom)
        top += inner.height() - textHeight;
    out.texts << PreparedText{QRectF(inner.left(), top, inner.width(), textHeight), font,
                              e.align & Qt::AlignHorizontal_Mask, lines, lh};
}
