#pragma once

#include "report_controls.h"
#include "report_data_source.h"
#include "report_grid.h"

#include <QList>
#include <QPair>
#include <QString>

#include <memory>

// The data sources the report templates read, made from what the page shows: its grid and
// its controls, never the records.
class GridDataSources {
public:
    // Field name and grid column.
    using Fields = QList<QPair<QString, int>>;

    // "DataSetZag": one record whose fields are the title texts; it declares `titles`.
    static ReportDataSource zag(const ReportControls& controls, const QStringList& titles);
    // A column list's source: record k is grid row k + 1 (the header row skipped), so the
    // grid's rows below the header, totals included; each field reads its column and is
    // declared.
    static ReportDataSource rows(const QString& name, std::shared_ptr<const TReportGrid> grid,
                                 const Fields& fields);
};
