#include "grid_data_sources.h"

#include "report_titles.h"

ReportDataSource GridDataSources::zag(const ReportControls& controls, const QStringList& titles) {
    return {QStringLiteral("DataSetZag"),
            1,
            [controls](const QString& field, int) -> QVariant {
                if (!ReportTitles::isTitle(field)) return {};
                return ReportTitles::text(field, controls);
            },
            titles,
            {}};
}

ReportDataSource GridDataSources::rows(const QString& name, std::shared_ptr<const TReportGrid> grid,
                                       const Fields& fields) {
    const int records = std::max(0, grid->RowCount() - 1);
    QStringList declared;
    for (const auto& [f, col] : fields)
        declared << f;
    return {name,
            records,
            [grid, fields](const QString& field, int record) -> QVariant {
                for (const auto& [f, col] : fields)
                    if (f == field) {
                        const int row = record + 1;
                        if (row >= grid->RowCount() || col >= grid->ColCount()) return {};
                        return grid->Cells(col, row);
                    }
                return {};
            },
            declared,
            {}};
}
