#include "page_painter.h"

#include "report_elements.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

struct Mapper {
    double scale;
    QPointF origin;
    QPointF point(QPointF mm) const { return origin + mm * scale; }
    QRectF rect(const QRectF& mm) const { return QRectF(point(mm.topLeft()), mm.size() * scale); }
};

// Rules are whole device pixels wide and lie on the pixel grid, so that on a screen or a PNG
// every rule of a table is equally sharp, whatever fraction of a pixel it started at.
struct Rule {
    int width;
    double snap(double v) const { return width % 2 ? std::floor(v) + 0.5 : std::round(v); }
    QPointF snap(QPointF p) const { return {snap(p.x()), snap(p.y())}; }
};

Rule rule(QPainter& painter, double widthMm, double scale) {
    const Rule r{std::max(1, int(std::lround(widthMm * scale)))};
    QPen p(Qt::black);
    p.setWidth(r.width);
    p.setCapStyle(Qt::SquareCap);
    painter.setPen(p);
    return r;
}

void drawFrame(QPainter& painter, const PreparedFrame& f, const Mapper& m) {
    const Rule r = rule(painter, f.width, m.scale);
    const QRectF px = m.rect(f.rect);
    const QPointF tl = r.snap(px.topLeft()), tr = r.snap(px.topRight());
    const QPointF bl = r.snap(px.bottomLeft()), br = r.snap(px.bottomRight());
    if (f.sides & FrameLeft) painter.drawLine(tl, bl);
    if (f.sides & FrameTop) painter.drawLine(tl, tr);
    if (f.sides & FrameRight) painter.drawLine(tr, br);
    if (f.sides & FrameBottom) painter.drawLine(bl, br);
}

void drawText(QPainter& painter, const PreparedText& t, const Mapper& m) {
    // A font of N points is N/72 inch on every device; the page is drawn at `scale` pixels per
    // millimetre, so the size is corrected by what the device itself counts as an inch.
    const double deviceDpi = painter.device()->logicalDpiY();
    const double size = m.scale * 25.4 / deviceDpi;
    // Small type on a screen or a picture would take whole pixels per letter and come out wider
    // than measured: it is drawn large and scaled down, so that it spans what it measured.
    const double pixels = t.font.pointSize * size * deviceDpi / 72.0;
    const double enlarge = pixels < 64 ? 64 / pixels : 1.0;
    painter.setFont(t.font.toQFont(size * enlarge));
    painter.setPen(Qt::black);
    const QRectF r = m.rect(t.rect);
    const double lh = t.lineHeight * m.scale;
    painter.save();
    painter.scale(1 / enlarge, 1 / enlarge);
    for (int i = 0; i < t.lines.size(); ++i)
        painter.drawText(
            QRectF(QPointF(r.left(), r.top() + i * lh) * enlarge, QSizeF(r.width(), lh) * enlarge),
            int(t.align) | Qt::AlignVCenter | Qt::TextSingleLine, t.lines[i]);
    painter.restore();
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
        const Rule r = rule(painter, l.width, m.scale);
        painter.drawLine(r.snap(m.point(l.line.p1())), r.snap(m.point(l.line.p2())));
    }
    for (const PreparedText& t : page.texts)
        drawText(painter, t, m);
    painter.restore();
}
