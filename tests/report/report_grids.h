#pragma once

#include "report_grid.h"

#include <QList>
#include <QStringList>

// A report grid as a page would hold it, from its rows (row 0 the header row).
TReportGrid GridOf(const QList<QStringList>& rows);
// A stock balance grid of `goods` goods with the start columns "Наименование", "Кол-во",
// "Прод. цена" and the totals row.
TReportGrid StockGrid(int goods);
// A stock balance grid with every column the page can show (row numbers, "Наименование" and
// the eight optional columns), `goods` goods with names as long as a shop's, and the totals row.
TReportGrid StockGridAllColumns(int goods);
