#pragma once

#include "cli_options.h"
#include "report_grid.h"

#include <QString>

#include <functional>

// kovrel-cli export: the grid of `kovrel-cli grid` written by the program's own export code to
// the file that --xlsx, --text or --calc names, its widths scaled for --screen (a 1920 × 1080
// screen when not given).
namespace cli {

// Writes the grid; the failure's text, or empty when it was written.
using GridExport = std::function<QString(const TReportGrid&)>;

// Checks the export options (exactly one destination, a well-formed screen size) before
// anything is asked of the service; a mistake is a usage error.
GridExport PrepareExport(const CliOptions& o);

} // namespace cli
