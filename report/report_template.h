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
// page, the column header, one master data band per record of its source, the page summary
// under each page's records, the summary and its child band after the last record, and the
// page footer at the bottom of every page.
struct ReportTemplate {
    QString name;
    // What people call the printed report: the preview's caption, the PDF's title and its
    // proposed file name ("Остатки товаров", "Счет-фактура № 53 от 09.12.2026"). Internal
    // names are never shown: empty means the program has not named it yet.
    QString displayName;
    ReportPageSetup page;

    std::optional<ReportBand> title;
    std::optional<ReportBand> columnHeader;
    bool repeatColumnHeader = true; // again at the top of every page the data continue on
    std::optional<ReportBand> masterData;
    QString masterSource; // the data source whose records the master band prints
    // Printed under the records of every page that has some (room for it is kept below them):
    // the master source's fields in it read what that page's records add up to.
    std::optional<ReportBand> pageSummary;
    std::optional<ReportBand> summary;
    std::optional<ReportBand> child; // printed right after the summary
    std::optional<ReportBand> pageFooter;
    // The page footer printed only when the report runs over several pages; its room is kept
    // on every page all the same, so that the pages break alike.
    bool pageFooterOnlyWhenSeveral = false;

    // Before the last data line: when the line, the summary and its child band (and with
    // `keepCountsPageFooter` the page footer too) need more than the space left on the page,
    // the line goes to a new page, so it always stands with the totals and the signatures.
    bool keepLastWithSummary = false;
    bool keepCountsPageFooter = true;
};
