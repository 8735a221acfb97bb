// Printing a long stock balance: preparing its pages and writing the PDF, as "Печать" and
// kovrel-cli print do. Prints pages, seconds per step and the peak memory of the process.
// Usage: bench_report_print [ROWS] [PDF_PATH] [landscape] [all-columns]
// all-columns: every column the page can show (ten, wider than the page) instead of four.
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

// Every column of the stock balance, with names of about 40 characters.
TReportGrid stockGridAllColumns(int goods) {
    TReportGrid g;
    g.Rows << QStringList{QString(),
                          QStringLiteral("Наименование"),
                          QStringLiteral("Кол-во"),
                          QStringLiteral("Упаковка"),
                          QStringLiteral("Кол-во упак."),
                          QStringLiteral("Закуп. цена"),
                          QStringLiteral("Средняя закуп. цена"),
                          QStringLiteral("Закуп. сумма"),
                          QStringLiteral("Прод. цена"),
                          QStringLiteral("Прод. сумма")};
    for (int i = 1; i <= goods; ++i) {
        const QString price = QStringLiteral("%1.50").arg(i % 1000 + 10);
        g.Rows << QStringList{QString::number(i),
                              QStringLiteral("Товар номер %1 из каталога, фасовка 0,9 л").arg(i),
                              QString::number(i % 97 + 1),
                              QStringLiteral("12"),
                              QString::number(i % 8 + 1),
                              price,
                              price,
                              QStringLiteral("%1.00").arg((i % 97 + 1) * (i % 1000 + 10)),
                              price,
                              QStringLiteral("%1.00").arg((i % 97 + 1) * (i % 1000 + 10) * 2)};
    }
    g.Rows << QStringList{QString(),
                          QStringLiteral("Итого"),
                          QStringLiteral("123456"),
                          QString(),
                          QStringLiteral("4321"),
                          QString(),
                          QString(),
                          QStringLiteral("9876543.00"),
                          QString(),
                          QStringLiteral("19753086.00")};
    g.Widths = {40, 250, 70, 70, 70, 70, 70, 70, 70, 70};
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
    controls.set(QStringLiteral("ComBoxPrintOst"), args.contains(QStringLiteral("landscape")) ? 1 : 0);
    const bool allColumns = args.contains(QStringLiteral("all-columns"));
    const TReportGrid grid = allColumns ? stockGridAllColumns(rows) : stockGrid(rows);
    QTextStream out(stdout);
    out << "rows: " << rows << ", columns: " << grid.ColCount() << ", peak before printing: " << peakMiB()
        << " MiB\n";

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
