#pragma once

#include "export_progress.h"

#include <QString>

class CalcModule;
struct TReportGrid;

// The three exports of a report grid's menu as the window runs them. Each tells the user
// itself what went wrong, through the program's message boxes.

// "Экспорт в Excel": a new workbook in `folder` named after `title` and the time, never over
// an existing file, then opened with the desktop's program for workbooks. The path written, or
// empty when nothing was.
QString ExportGridToExcel(const TReportGrid& grid, const QString& title, double scale, const QString& folder,
                          const ExportProgress& progress = {});

// "Экспорт в текстовый файл (csv)": asks where to save (the proposal is `caption` followed by
// " (текст с разделителями).csv") and writes the text file there. The path written, or empty
// when the user cancelled or the file could not be written.
QString ExportGridToText(const TReportGrid& grid, const QString& caption,
                         const ExportProgress& progress = {});

// "Экспорт в Calc": a new visible spreadsheet left open and unsaved. False when the office
// is missing (the user is told what to install) or failed part-way.
bool ExportGridToCalc(const TReportGrid& grid, double scale, const CalcModule& module,
                      const ExportProgress& progress = {});

// The user's documents folder, made when it does not exist yet.
QString DocumentsFolder();
