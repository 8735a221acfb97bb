#pragma once

#include "prepared_report.h"

#include <QString>

// Writes prepared reports to files through the page painter. Each file is written under a
// temporary name and renamed when complete, so a failure never leaves a partial file behind.
// Return an empty text on success, otherwise one line saying what failed.
class ReportWriter {
public:
    static QString writePdf(const PreparedReport& report, const QString& path);
    // One PNG per page, "<name>-001.png", … in `dir` (created when missing), at `dpi`.
    static QString writePngs(const PreparedReport& report, const QString& dir, int dpi = 150);
    static QString pngName(const PreparedReport& report, int page);
};
