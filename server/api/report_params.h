#pragma once

#include <QList>
#include <QString>

namespace kovrel::server {

// What a report request asks, as plain values: the report SQL is built from these alone, so
// the benchmarks can build the very statement that an endpoint runs.
struct ReportParams {
    qint64 account = 0;
    QString dateBegin; // "yyyy-mm-dd", both days included
    QString dateEnd;
    int goods = -1;    // one goods item (movement card)
    int klient = -1;   // one counterparty; 0 or less: all
    int store = -1;    // one store; 0 or less: all the person may see
    int manager = -1;  // the counterparties' manager; 0 or less: all
    int detail = 0;    // dynamics: 0 days, 1 months, 2 weeks
    QString find;      // goods name (or code, or barcode) contains this; empty: all
    bool zero = false; // stock report: goods with zero balance too
    // Stores the person has no access to (level 0): left out of "all stores".
    QList<int> deniedStores;
};

} // namespace kovrel::server
