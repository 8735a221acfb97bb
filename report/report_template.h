#pragma once

#include "report_band.h"

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <optional>

// Paper, orientation and margins, in millimetres.
struct ReportPageSetup {
    QSizeF paper{210, 297}; // portrait width and height: A4
    bool landscape = false;
    QMarginsF margins{10, 10, 10, 10};

    QSizeF size() const { return landscape ? paper.transposed() : paper; }
    double printableWidth() const { return size().width() - margins.left() - margins.right(); }
};

// A report definition: the page and its bands, printed in this order: the title on the first
// page, the column header, one master data band per record of its source, the summary and its
// child band after the last record, and the page footer at the bottom of every page.
struct ReportTemplate {
    QString name;
    ReportPageSetup page;

    std::optional<ReportBand> title;
    std::optional<ReportBand> columnHeader;
    bool repeatColumnHeader = true; // again at the top of every page the data continue on
    std::optional<ReportBand> masterData;
    QString masterSource; // the data source whose records the master band prints
    std::optional<ReportBand> summary;
    std::optional<ReportBand> child; // printed right after the summary
    std::optional<ReportBand> pageFooter;

    // Before the last data line: when the line, the summary and its child band (and with
    // `keepCountsPageFooter` the page footer too) need more than the space left on the page,
    // the line goes to a new page, so it always stands with the totals and the signatures.
    bool keepLastWithSummary = false;
    bool keepCountsPageFooter = true;
};
