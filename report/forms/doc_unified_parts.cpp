#include "doc_unified_parts.h"

#include "doc_text.h"

void DocUnifiedParts::approval(ReportBand& band, double right, const QString& form,
                               const QString& approvedBy) {
    band.texts << DocText(right - 150, 0, 150, 5.5, form + QStringLiteral("\r\n") + approvedBy, 7).right();
}

DocUnifiedParts::DocUnifiedParts(double right, double width, double px)
    : m_right(right)
    , m_width(width)
    , m_px(px) {}

void DocUnifiedParts::heading(ReportBand& band, double y, const QString& text) const {
    band.texts << DocText(m_right - m_width, y, m_width, 3.5, text, m_px).center().middle().frame();
}

void DocUnifiedParts::code(ReportBand& band, double y, const QString& label, const QString& value,
                           double height) const {
    const double box = m_right - m_width;
    band.texts << DocText(box - 60, y, 60, height, label, m_px).right().middle()
               << DocText(box, y, m_width, height, value, m_px).center().middle().frame();
}

void DocUnifiedParts::number(ReportBand& band, double x, double y, const QString& title, double px) {
    const double w = 30;
    band.texts << DocText(x, y, w, 5, QStringLiteral("Номер документа"), 7).center().middle().frame()
               << DocText(x + w, y, w, 5, QStringLiteral("Дата составления"), 7).center().middle().frame()
               << DocText(x, y + 5, w, 5, Zag("n"), px).center().middle().frame()
               << DocText(x + w, y + 5, w, 5, Zag("dat"), px).center().middle().frame()
               << DocText(x - 80, y + 5, 80, 5, title, 11).bold().right().middle();
}
