#pragma once

#include "export_progress.h"

#include <QByteArray>
#include <QString>

struct TReportGrid;

// The grid as a tab-separated text file for spreadsheets on Russian Windows: row after row,
// each cell trimmed and followed by a tab, then a blank and CR LF; Windows-1251, no byte-order
// mark. Tabs and line breaks inside a cell become blanks, so that a cell never splits its row.
QByteArray GridTextBytes(const TReportGrid& grid, const ExportProgress& progress = {});

// Writes those bytes to `path`, all or nothing (an existing file is replaced only when the
// new one is complete). False with `error` naming the file when it cannot be written.
bool WriteGridText(const TReportGrid& grid, const QString& path, QString& error,
                   const ExportProgress& progress = {});
