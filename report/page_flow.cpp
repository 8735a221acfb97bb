#include "page_flow.h"

#include "report_error.h"

PageFlow::PageFlow(const ReportTemplate& tmpl, BandLayout& bands, ExpandContext& context)
    : m_tmpl(tmpl)
    , m_bands(bands)
    , m_context(context)
    , m_top(tmpl.page.margins.top()) {
    if (m_tmpl.pageFooter) m_footerHeight = m_bands.layout(*m_tmpl.pageFooter, m_context).height;
    m_bottom = m_tmpl.page.size().height() - m_tmpl.page.margins.bottom() - m_footerHeight;
    if (m_bottom - m_top <= 0)
        throw ReportError(QStringLiteral("the margins and the page footer leave no room"));
    startPage();
}

void PageFlow::startPage() {
    m_pages.append(PreparedPage{m_tmpl.page.size(), {}, {}, {}});
    m_context.page = static_cast<int>(m_pages.size());
    m_y = m_top;
    if (m_inData && m_tmpl.repeatColumnHeader && m_tmpl.columnHeader)
        place(m_bands.layout(*m_tmpl.columnHeader, m_context));
}

void PageFlow::endPage() {
    if (!m_tmpl.pageFooter) return;
    const LaidBand footer = m_bands.layout(*m_tmpl.pageFooter, m_context);
    footer.appendTo(m_pages.last(), QPointF(m_tmpl.page.margins.left(), m_bottom));
}

void PageFlow::newPage() {
    endPage();
    startPage();
}

void PageFlow::place(const LaidBand& band) {
    if (band.height > freeSpace() + 1e-9) {
        if (!atPageTop()) newPage();
        if (band.height > freeSpace() + 1e-9)
            throw ReportError(
                QStringLiteral("a band %1 mm high does not fit on a page").arg(band.height, 0, 'f', 1));
    }
    band.appendTo(m_pages.last(), QPointF(m_tmpl.page.margins.left(), m_y));
    m_y += band.height;
}

QList<PreparedPage> PageFlow::finish() {
    endPage();
    return m_pages;
}
