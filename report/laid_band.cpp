#include "laid_band.h"

#include <cmath>

namespace {

constexpr double kEpsilon = 1e-6;

} // namespace

void LaidBand::appendTo(PreparedPage& page, QPointF offset) const {
    for (PreparedFrame f : frames) {
        f.rect.translate(offset);
        page.frames << f;
    }
    for (PreparedLine l : lines) {
        l.line.translate(offset);
        page.lines << l;
    }
    for (PreparedText t : texts) {
        t.rect.translate(offset);
        page.texts << t;
    }
}

double LaidBand::cutAt(double limit) const {
    double cut = limit;
    for (const PreparedText& t : texts) {
        if (t.lineHeight <= 0 || t.rect.top() >= limit || t.rect.bottom() <= limit + kEpsilon) continue;
        const double whole = std::floor((limit - t.rect.top()) / t.lineHeight + kEpsilon);
        cut = std::min(cut, t.rect.top() + whole * t.lineHeight);
    }
    // A single line taller than the room (never on a real form) is cut through.
    return cut > kEpsilon ? cut : limit;
}

LaidBand LaidBand::takeTop(double cut) {
    LaidBand top;
    top.height = cut;
    LaidBand rest;
    rest.height = std::max(0.0, height - cut);
    const QPointF up(0, -cut);
    for (const PreparedFrame& f : frames) {
        if (f.rect.bottom() <= cut + kEpsilon) {
            top.frames << f;
        } else if (f.rect.top() >= cut - kEpsilon) {
            rest.frames << PreparedFrame{f.rect.translated(up), f.sides, f.width};
        } else {
            top.frames << PreparedFrame{
                QRectF(f.rect.left(), f.rect.top(), f.rect.width(), cut - f.rect.top()), f.sides, f.width};
            rest.frames << PreparedFrame{QRectF(f.rect.left(), 0, f.rect.width(), f.rect.bottom() - cut),
                                         f.sides, f.width};
        }
    }
    for (const PreparedLine& l : lines) {
        const double y1 = std::min(l.line.y1(), l.line.y2());
        const double y2 = std::max(l.line.y1(), l.line.y2());
        if (y2 <= cut + kEpsilon) {
            top.lines << l;
        } else if (y1 >= cut - kEpsilon) {
            rest.lines << PreparedLine{l.line.translated(up), l.width};
        } else {
            // Only vertical rules cross a cut on the forms; others are cut where they cross it.
            const QPointF p1 = l.line.y1() < l.line.y2() ? l.line.p1() : l.line.p2();
            const QPointF p2 = l.line.y1() < l.line.y2() ? l.line.p2() : l.line.p1();
            const double t = (cut - p1.y()) / (p2.y() - p1.y());
            const QPointF at(p1.x() + t * (p2.x() - p1.x()), cut);
            top.lines << PreparedLine{QLineF(p1, at), l.width};
            rest.lines << PreparedLine{QLineF(at + up, p2 + up), l.width};
        }
    }
    for (const PreparedText& t : texts) {
        const int stay = t.lineHeight > 0
                             ? static_cast<int>(std::floor((cut - t.rect.top()) / t.lineHeight + kEpsilon))
                             : (t.rect.bottom() <= cut + kEpsilon ? int(t.lines.size()) : 0);
        const int kept = std::clamp(stay, 0, static_cast<int>(t.lines.size()));
        if (kept > 0) {
            PreparedText part = t;
            part.lines = t.lines.mid(0, kept);
            part.rect.setHeight(kept * t.lineHeight);
            top.texts << part;
        }
        if (kept < t.lines.size()) {
            PreparedText part = t;
            part.lines = t.lines.mid(kept);
            part.rect = QRectF(t.rect.left(), t.rect.top() + kept * t.lineHeight - cut, t.rect.width(),
                               part.lines.size() * t.lineHeight);
            rest.texts << part;
        }
    }
    *this = rest;
    return top;
}
