#pragma once

#include "call_args.h"
#include "operation_table.h"
#include "output_document.h"
#include "report_grid.h"

#include <QString>
#include <QStringList>

#include <functional>

// The report grids of kovrel-cli: what a report page's controls choose, read from ARGS_JSON
// under the controls' names, and the page's grid made from what the report operation returned.
namespace cli {

using GridCompute = std::function<TReportGrid(const CallResult&)>;

// Reads the page's choices (check boxes left out keep their start state) and the computation's
// inputs; a control the report's page does not have is a usage error naming it. Call before the
// operation reads its own parameters: a choice the page also sends to the service (the stock
// balance's zero flag) is passed on to it.
GridCompute PrepareGrid(const QString& operation, CallArgs& a);

// The control names each report takes, for --help.
QStringList GridControls(const QString& operation);

} // namespace cli
