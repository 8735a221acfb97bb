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

void PageFlow::setInData(bool inData) {
    if (inData && m_tmpl.pageSummary) m_pageSummaryHeight = pageSummary(0, -1).height;
    if (!inData) closePageRecords();
    m_inData = inData;
    if (!inData) m_pageSummaryHeight = 0;
}

LaidBand PageFlow::pageSummary(int first, int last) {
    ExpandContext totals = m_context;
    totals.totals = true;
    totals.first = first;
    totals.last = last;
    return m_bands.layout(*m_tmpl.pageSummary, totals);
}

// The page summary of the records placed on this page, in the room kept for it.
void PageFlow::closePageRecords() {
    if (m_tmpl.pageSummary && m_inData && m_pageFirst >= 0) {
        const LaidBand band = pageSummary(m_pageFirst, m_pageLast);
        band.appendTo(m_pages.last(), QPointF(m_tmpl.page.margins.left(), m_y));
        m_y += band.height;
    }
    m_pageFirst = m_pageLast = -1;
}

void PageFlow::startPage() {
    m_pages.append(PreparedPage{m_tmpl.page.size(), {}, {}, {}});
    m_context.page = static_cast<int>(m_pages.size());
    m_y = m_top;
    if (m_inData && m_tmpl.repeatColumnHeader && m_tmpl.columnHeader) {
        // Divided, the heading would open every page again and again.
        const LaidBand header = m_bands.layout(*m_tmpl.columnHeader, m_context);
        if (header.height > freeSpace() + 1e-9)
            throw ReportError(QStringLiteral("a column header %1 mm high does not fit on a page")
                                  .arg(header.height, 0, 'f', 1));
        place(header);
    }
}

void PageFlow::endPage() {
    if (!m_tmpl.pageFooter) return;
    if (m_tmpl.pageFooterOnlyWhenSeveral && m_context.totalPages <= 1) return;
    const LaidBand footer = m_bands.layout(*m_tmpl.pageFooter, m_context);
    footer.appendTo(m_pages.last(), QPointF(m_tmpl.page.margins.left(), m_bottom));
}

void PageFlow::newPage() {
    closePageRecords();
    endPage();
    startPage();
}

void PageFlow::place(const LaidBand& band) {
    if (band.height > freeSpace() + 1e-9 && !atPageTop()) newPage();
    LaidBand rest = band;
    while (rest.height > freeSpace() + 1e-9) {
        if (atPageTop() && freeSpace() < 1)
            throw ReportError(QStringLiteral("the page has no room for the data"));
        const LaidBand part = rest.takeTop(rest.cutAt(freeSpace()));
        part.appendTo(m_pages.last(), QPointF(m_tmpl.page.margins.left(), m_y));
        m_y += part.height;
        newPage();
    }
    rest.appendTo(m_pages.last(), QPointF(m_tmpl.page.margins.left(), m_y));
    m_y += rest.height;
}

void PageFlow::placeRecord(const LaidBand& band, int record) {
    if (band.height > freeSpace() + 1e-9 && !atPageTop()) newPage();
    if (m_pageFirst < 0) m_pageFirst = record;
    m_pageLast = record;
    place(band);
}

QList<PreparedPage> PageFlow::finish() {
    endPage();
    return m_pages;
}
