#include "doc_text.h"

DocText::DocText(double x, double y, double width, double height, const QString& text, double px) {
    m_text.rect = QRectF(x, y, width, height);
    m_text.text = text;
    m_text.font = ReportFont::FromPixels(px);
    m_text.padding = QMarginsF(PxToMm(2), 0, PxToMm(2), 0);
    // The rows of a form move down together when a text above grew.
    m_text.shift = true;
}

DocText& DocText::bold() {
    m_text.font.bold = true;
    return *this;
}

DocText& DocText::underline() {
    m_text.font.underline = true;
    return *this;
}

DocText& DocText::align(Qt::Alignment horizontal) {
    m_text.align = (m_text.align & Qt::AlignVertical_Mask) | (horizontal & Qt::AlignHorizontal_Mask);
    return *this;
}

DocText& DocText::center() {
    return align(Qt::AlignHCenter);
}

DocText& DocText::right() {
    return align(Qt::AlignRight);
}

DocText& DocText::middle() {
    m_text.align = (m_text.align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    return *this;
}

DocText& DocText::bottom() {
    m_text.align = (m_text.align & Qt::AlignHorizontal_Mask) | Qt::AlignBottom;
    return *this;
}

DocText& DocText::wrap() {
    m_text.wordWrap = true;
    return *this;
}

DocText& DocText::grow() {
    m_text.wordWrap = true;
    m_text.grow = true;
    return *this;
}

DocText& DocText::fitBand() {
    m_text.fitBand = true;
    return *this;
}

DocText& DocText::frame(int sides) {
    m_text.frame = sides;
    return *this;
}

DocText& DocText::format(const NumberFormat& format) {
    m_text.format = format;
    return *this;
}

DocText& DocText::padding(double mm) {
    m_text.padding = QMarginsF(mm, 0, mm, 0);
    return *this;
}

QString Zag(const char* field) {
    return QStringLiteral("[DSetZag.\"%1\"]").arg(QLatin1String(field));
}

QString Item(const char* field) {
    return QStringLiteral("[DSetItems.\"%1\"]").arg(QLatin1String(field));
}

ReportBand PageFooter(double width, double height, double px) {
    ReportBand band;
    band.height = height;
    band.texts << DocText(0, 0, width, height, QStringLiteral("Страница [Page#] из [TotalPages#]"), px)
                      .right()
                      .bottom();
    return band;
}

ReportTemplate DocTemplate(const QString& name, bool landscape, const QMarginsF& margins) {
    ReportTemplate t;
    t.name = name;
    t.page.landscape = landscape;
    t.page.margins = margins;
    t.masterSource = QStringLiteral("DSetItems");
    return t;
}
