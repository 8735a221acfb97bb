#pragma once

#include "bench_server.h"

#include <QList>
#include <QString>

// What the benchmarks that run against kovrel-server on the bench data share: their options,
// their output and the machine's load beside the figures.
namespace BenchCommon {

struct Options {
    QString dir;    // where the bench data are generated and kept
    double scale;   // of the bench data
    int runs;       // medians of this many
    QString server; // the kovrel-server binary
};

// The options from the command line (--data DIR, --scale S, --runs N, --server BINARY) over
// the defaults given; the data folder is made.
Options ParseOptions(const QStringList& args, Options defaults);

// kovrel-server on the bench data at `scale` (generated into the data folder the first time);
// its port, or 0 with the reason printed.
quint16 StartOnBenchData(BenchServer::Child& server, const Options& o, double scale);

// A line on stdout, flushed.
void Print(const QString& line);
double Median(QList<double> values);
// The load averages of the last 1, 5 and 15 minutes.
QString LoadAverage();

} // namespace BenchCommon
