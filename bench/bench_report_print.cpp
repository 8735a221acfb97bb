// Printing a long stock balance: preparing its pages and writing the PDF, as "Печать" and
// kovrel-cli print do. Prints pages, seconds per step and the peak memory of the process.
// Usage: bench_report_print [ROWS] [PDF_PATH] [landscape]
#include "format_settings.h"
#include "report_print.h"
#include "report_writer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <sys/resource.h>

namespace {

TReportGrid stockGrid(int goods) {
    TReportGrid g;
    g.Rows << QStringList{QString(), QStringLiteral("Наименование"), QStringLiteral("Кол-во"),
                          QStringLiteral("Прод. цена")};
    for (int i = 1; i <= goods; ++i)
        g.Rows << QStringList{QString::number(i), QStringLiteral("Товар номер %1 из каталога").arg(i),
                              QString::number(i % 97 + 1), QStringLiteral("%1.50").arg(i % 1000 + 10)};
    g.Rows << QStringList{QString(), QStringLiteral("Итого"), QStringLiteral("123456"), QString()};
    g.Widths = {40, 250, 70, 70};
    g.FixedRows = 1;
    g.FixedCols = 1;
    return g;
}

double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    BuildFormatSettings();
    const QStringList args = app.arguments();
    const int rows = args.value(1, QStringLiteral("10000")).toInt();
    const QString pdf = args.value(2, QDir::temp().filePath(QStringLiteral("bench_report_print.pdf")));
    ReportControls controls;
    controls.set(QStringLiteral("ComBoxStore"), QStringLiteral("(все)"));
    controls.set(QStringLiteral("ComBoxPrintOst"), args.value(3) == QLatin1String("landscape") ? 1 : 0);
    const TReportGrid grid = stockGrid(rows);
    QTextStream out(stdout);
    out << "rows: " << rows << ", peak before printing: " << peakMiB() << " MiB\n";

    QElapsedTimer t;
    t.start();
    const PrepareResult result = ReportPrint::prepare(ReportPrint::Ost, grid, controls);
    const double prepareSeconds = t.nsecsElapsed() / 1e9;
    if (!result) {
        out << "prepare failed: " << result.error << "\n";
        return 1;
    }
    out << "pages: " << result.report->pages.size() << "\n";
    out << "prepare: " << prepareSeconds << " s, peak " << peakMiB() << " MiB\n";
    t.restart();
    const QString error = ReportWriter::writePdf(*result.report, pdf);
    if (!error.isEmpty()) {
        out << error << "\n";
        return 1;
    }
    out << "write PDF: " << t.nsecsElapsed() / 1e9 << " s, " << QFileInfo(pdf).size() / 1024 << " KiB, peak "
        << peakMiB() << " MiB\n";
    return 0;
}
