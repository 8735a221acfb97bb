#pragma once

#include "call_args.h"
#include "field_values.h"
#include "operation_table.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The eight report operations with the computation that finishes each: which inputs the
// computation takes besides the operation's own parameters, and how its rows and totals are
// named in the output.
namespace cli {

struct ReportOutput {
    QStringList columns; // of every row, also when there are none
    FieldRows rows;      // made as they are written
    FieldValues totals;
    std::optional<double> opening; // the cards
};

using Compute = std::function<void(const CallResult&, ReportOutput&)>;

struct ReportEntry {
    QString operation;
    QList<ParamInfo> inputs;
    // Reads and checks the computation's inputs (after the operation has read its own).
    std::function<Compute(CallArgs&)> prepare;
};

const QList<ReportEntry>& Reports();
const ReportEntry* FindReport(const QString& operation);

} // namespace cli
