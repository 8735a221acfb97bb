#pragma once

#include "prepared_report.h"
#include "report_data_source.h"
#include "report_template.h"
#include "text_measurer.h"

#include <optional>

// The outcome of preparing: the pages, or why there are none.
struct PrepareResult {
    std::optional<PreparedReport> report;
    QString error;

    explicit operator bool() const { return report.has_value(); }
};

// Lays a template out with its data sources into a prepared report. Two passes: the first
// counts the pages, the second prints [TotalPages#] with that count. Needs a QGuiApplication
// (fonts); the preparation is the same on every platform plugin, offscreen included.
class ReportEngine {
public:
    ReportEngine(ReportTemplate tmpl, QList<ReportDataSource> sources);

    PrepareResult prepare() const;

private:
    QList<PreparedPage> layoutPass(TextMeasurer& measurer, int totalPages) const;

    ReportTemplate m_tmpl;
    QList<ReportDataSource> m_sources;
};
