#pragma once

#include "export_progress.h"

#include <QString>

struct TReportGrid;

// Writes the whole grid into a new .xlsx workbook at `path`: every text unchanged, a text that
// is a number in the program's formats as a number with a display format of as many decimals
// (0, 0.00, 0.000), never a formula; column widths in character units from the grid's pixels
// and the screen scale. The book is written under a temporary name beside `path` and renamed
// when complete, so `path` never holds half a workbook; an existing file there is replaced.
// False with `error` naming the file when it cannot be written. `sheetName` names the sheet.
bool WriteGridWorkbook(const TReportGrid& grid, double scale, const QString& path, const QString& sheetName,
                       QString& error, const ExportProgress& progress = {});
