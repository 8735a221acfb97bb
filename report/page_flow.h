#pragma once

#include "band_layout.h"
#include "report_template.h"

#include <functional>

// Puts laid bands onto pages from the top down: starts a new page when a band does not fit
// into what is left above the page footer, prints the footer at the bottom of every page and,
// while the data run, the column header again at the top of each continuation page and the
// page summary under each page's records. A band taller than a whole page is divided between
// pages at a line of text, so one long name never stops a form from printing.
class PageFlow {
public:
    PageFlow(const ReportTemplate& tmpl, BandLayout& bands, ExpandContext& context);

    void place(const LaidBand& band);
    // A master data line of record `record`.
    void placeRecord(const LaidBand& band, int record);
    void newPage();
    // Closes the last page; returns the pages.
    QList<PreparedPage> finish();

    double freeSpace() const { return bottom() - m_y; }
    bool atPageTop() const { return m_y <= m_top + 1e-9; }
    double footerHeight() const { return m_footerHeight; }
    // Set while the master data print: a page begun then repeats the column header, and the
    // page summary's room is kept under the records.
    void setInData(bool inData);

private:
    void startPage();
    void endPage();
    double bottom() const { return m_inData ? m_bottom - m_pageSummaryHeight : m_bottom; }
    LaidBand pageSummary(int first, int last);
    void closePageRecords();

    const ReportTemplate& m_tmpl;
    BandLayout& m_bands;
    ExpandContext& m_context;
    QList<PreparedPage> m_pages;
    double m_top;
    double m_bottom = 0;
    double m_y = 0;
    double m_footerHeight = 0;
    double m_pageSummaryHeight = 0;
    bool m_inData = false;
    int m_pageFirst = -1; // the records on the current page
    int m_pageLast = -1;
};
