#include "page_painter.h"

#include "report_elements.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

struct Mapper {
    double scale;
    QPointF origin;
    QPointF point(QPointF mm) const { return origin + mm * scale; }
    QRectF rect(const QRectF& mm) const { return QRectF(point(mm.topLeft()), mm.size() * scale); }
};

QPen pen(double widthMm, double scale) {
    QPen p(Qt::black);
    p.setWidthF(std::max(widthMm * scale, 0.5));
    p.setCapStyle(Qt::SquareCap);
    return p;
}

void drawFrame(QPainter& painter, const PreparedFrame& f, const Mapper& m) {
    const QRectF r = m.rect(f.rect);
    painter.setPen(pen(f.width, m.scale));
    if (f.sides & FrameLeft) painter.drawLine(r.topLeft(), r.bottomLeft());
    if (f.sides & FrameTop) painter.drawLine(r.topLeft(), r.topRight());
    if (f.sides & FrameRight) painter.drawLine(r.topRight(), r.bottomRight());
    if (f.sides & FrameBottom) painter.drawLine(r.bottomLeft(), r.bottomRight());
}

void drawText(QPainter& painter, const PreparedText& t, const Mapper& m) {
    // A font of N points is N/72 inch on every device; the page is drawn at `scale` pixels per
    // millimetre, so the size is corrected by what the device itself counts as an inch.
    const double deviceDpi = painter.device()->logicalDpiY();
    painter.setFont(t.font.toQFont(m.scale * 25.4 / deviceDpi));
    painter.setPen(Qt::black);
    const QRectF r = m.rect(t.rect);
    const double lh = t.lineHeight * m.scale;
    for (int i = 0; i < t.lines.size(); ++i)
        painter.drawText(QRectF(r.left(), r.top() + i * lh, r.width(), lh),
                         int(t.align) | Qt::AlignVCenter | Qt::TextSingleLine, t.lines[i]);
}

} // namespace

void PagePainter::paint(QPainter& painter, const PreparedPage& page, double pxPerMm, QPointF origin,
                        const QList<QRectF>& highlights) {
    const Mapper m{pxPerMm, origin};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const QRectF& h : highlights)
        painter.fillRect(m.rect(h), QColor(255, 230, 80));
    for (const PreparedFrame& f : page.frames)
        drawFrame(painter, f, m);
    for (const PreparedLine& l : page.lines) {
        painter.setPen(pen(l.width, m.scale));
        painter.drawLine(m.point(l.line.p1()), m.point(l.line.p2()));
    }
    for (const PreparedText& t : page.texts)
        drawText(painter, t, m);
    painter.restore();
}
