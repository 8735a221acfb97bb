#pragma once

#include "band_layout.h"
#include "report_template.h"

#include <functional>

// Puts laid bands onto pages from the top down: starts a new page when a band does not fit
// into what is left above the page footer, prints the footer at the bottom of every page and,
// while the data run, the column header again at the top of each continuation page.
class PageFlow {
public:
    PageFlow(const ReportTemplate& tmpl, BandLayout& bands, ExpandContext& context);

    void place(const LaidBand& band);
    void newPage();
    // Closes the last page; returns the pages.
    QList<PreparedPage> finish();

    double freeSpace() const { return m_bottom - m_y; }
    bool atPageTop() const { return m_y <= m_top + 1e-9; }
    double footerHeight() const { return m_footerHeight; }
    // Set while the master data print: a page begun then repeats the column header.
    void setInData(bool inData) { m_inData = inData; }

private:
    void startPage();
    void endPage();

    const ReportTemplate& m_tmpl;
    BandLayout& m_bands;
    ExpandContext& m_context;
    QList<PreparedPage> m_pages;
    double m_top;
    double m_bottom = 0;
    double m_y = 0;
    double m_footerHeight = 0;
    bool m_inData = false;
};
