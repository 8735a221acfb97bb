#include "prepared_report.h"

#include "report_elements.h"

namespace {

QString mm(double v) {
    return QString::number(v, 'f', 2);
}

QString rectText(const QRectF& r) {
    return QStringLiteral("%1 %2 %3 %4").arg(mm(r.x()), mm(r.y()), mm(r.width()), mm(r.height()));
}

QString sidesText(int sides) {
    QString s;
    if (sides & FrameLeft) s += QLatin1Char('L');
    if (sides & FrameTop) s += QLatin1Char('T');
    if (sides & FrameRight) s += QLatin1Char('R');
    if (sides & FrameBottom) s += QLatin1Char('B');
    return s;
}

QString fontText(const ReportFont& f) {
    QString flags;
    if (f.bold) flags += QLatin1Char('b');
    if (f.italic) flags += QLatin1Char('i');
    if (f.underline) flags += QLatin1Char('u');
    return QStringLiteral("\"%1\" %2%3")
        .arg(f.family, mm(f.pointSize), flags.isEmpty() ? QString() : QLatin1Char(' ') + flags);
}

QString alignText(Qt::Alignment a) {
    if (a & Qt::AlignRight) return QStringLiteral("right");
    if (a & Qt::AlignHCenter) return QStringLiteral("center");
    return QStringLiteral("left");
}

} // namespace

QString PreparedReport::dump() const {
    QString out;
    for (int p = 0; p < pages.size(); ++p) {
        const PreparedPage& page = pages[p];
        out +=
            QStringLiteral("page %1 %2x%3\n").arg(p + 1).arg(mm(page.size.width()), mm(page.size.height()));
        for (const PreparedFrame& f : page.frames)
            out += QStringLiteral("frame %1 %2 %3\n").arg(rectText(f.rect), sidesText(f.sides), mm(f.width));
        for (const PreparedLine& l : page.lines)
            out += QStringLiteral("line %1 %2 %3 %4 %5\n")
                       .arg(mm(l.line.x1()), mm(l.line.y1()), mm(l.line.x2()), mm(l.line.y2()), mm(l.width));
        for (const PreparedText& t : page.texts)
            out += QStringLiteral("text %1 %2 %3|%4\n")
                       .arg(rectText(t.rect), fontText(t.font), alignText(t.align),
                            t.lines.join(QStringLiteral("\\n")));
    }
    return out;
}

QStringList PreparedReport::pageLines(int page) const {
    QStringList lines;
    for (const PreparedText& t : pages.at(page).texts)
        lines << t.lines;
    return lines;
}
