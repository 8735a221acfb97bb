#include "bench_common.h"

#include "bench_data.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace BenchCommon {

Options ParseOptions(const QStringList& args, Options o) {
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--data")) o.dir = args[i + 1];
        if (args[i] == QLatin1String("--scale")) o.scale = args[i + 1].toDouble();
        if (args[i] == QLatin1String("--runs")) o.runs = std::max(1, args[i + 1].toInt());
        if (args[i] == QLatin1String("--server")) o.server = args[i + 1];
    }
    QDir().mkpath(o.dir);
    return o;
}

quint16 StartOnBenchData(BenchServer::Child& server, const Options& o, double scale) {
    const QString file = QDir(o.dir).filePath(BenchData::FileName(scale));
    QString error;
    if (!BenchData::Ensure(file, &error, scale)) {
        Print(QStringLiteral("data generation failed: ") + error);
        return 0;
    }
    const quint16 port =
        BenchServer::Start(server, o.server,
                           {QStringLiteral("--db"), QStringLiteral("sqlite:") + file,
                            QStringLiteral("--outbox"), QDir(o.dir).filePath(QStringLiteral("outbox"))},
                           QDir(o.dir).filePath(QStringLiteral("server.log")));
    if (port == 0) Print(QStringLiteral("kovrel-server did not start; see server.log"));
    return port;
}

void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

QString LoadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

} // namespace BenchCommon
