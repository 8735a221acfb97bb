#pragma once

#include "prepared_report.h"

#include <QString>

// Compares the dump of a prepared report with its reviewed golden file `<dir>/<name>.txt`,
// line by line; with KOVREL_UPDATE_GOLDEN set it writes the file instead, and the pages as
// PNG into KOVREL_GOLDEN_PNG_DIR when that is set, to be looked at before committing.
void CompareGolden(const PreparedReport& report, const QString& dir, const QString& name);
