// kovrel-cli built without the spreadsheet code (no desktop client in this build).
#include "grid_export_file.h"
#include "usage_error.h"

namespace cli {

GridExport PrepareExport(const CliOptions&) {
    throw UsageError(QStringLiteral("this kovrel-cli was built without the exports"));
}

} // namespace cli
