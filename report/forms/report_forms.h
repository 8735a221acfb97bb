#pragma once

#include "report_grid.h"
#include "report_template.h"

#include <QString>

#include <memory>

// The columns of a report's grid that say which row a cell is on: the row numbers and the name
// (of a goods item, of a period). A printed table wider than the page repeats them at the left
// of every page, under the grid's header row, and holds the name to a width that leaves the
// numbers their room.
struct GridRowKeys {
    QList<int> rowNumberColumns;
    int nameColumn = -1;
};

// The report templates of the report pages.
class ReportForms {
public:
    // FROst, FRSaleSt, FRSaleDynam, FRPrhSt, FRPrhDynam: the title from DataSetZag's `field`,
    // the grid printed cell by cell as a framed table, "Страница N из M" under every page.
    static ReportTemplate gridTable(const QString& name, const QString& field, const GridRowKeys& keys,
                                    std::shared_ptr<const TReportGrid> grid, bool landscape);
    // FRMoveGood, FRMoveKlient, FRMoveKlient2, FRDolg, FRDolg2: the title, the template's own
    // captions once, one line per record of the template's source. Empty name for another name.
    static ReportTemplate columnList(const QString& name);
    // The source a column list reads and its fields with their grid columns; the field of
    // DataSetZag its title reads.
    static QString columnListSource(const QString& name);
    static QString columnListTitle(const QString& name);
    static QList<QPair<QString, int>> columnListFields(const QString& name);
};
