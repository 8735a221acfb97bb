// A 10 000 × 8 report grid exported to each of the three: the workbook, the text file and Calc
// (cell by cell and by blocks of rows, through a headless office). Prints the times.
#include "calc_module.h"
#include "grid_text_file.h"
#include "grid_workbook.h"
#include "report_grid.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

TReportGrid bigGrid() {
    TReportGrid grid;
    grid.Widths = {40, 250, 80, 80, 80, 90, 90, 90};
    grid.Rows << QStringList{QString(),
                             QStringLiteral("Наименование"),
                             QStringLiteral("Ед."),
                             QStringLiteral("Кол-во"),
                             QStringLiteral("Цена"),
                             QStringLiteral("Сумма"),
                             QStringLiteral("Наценка"),
                             QStringLiteral("Склад")};
    for (int i = 1; i < 10000; ++i)
        grid.Rows << QStringList{QString::number(i),
                                 QStringLiteral("Товар номер %1 с длинным названием").arg(i),
                                 QStringLiteral("шт"),
                                 QString::number(i % 97),
                                 QString::number(i * 1.25, 'f', 2),
                                 QString::number(i % 97 * i * 1.25, 'f', 2),
                                 QString::number(i % 13 * 0.125, 'f', 3),
                                 QStringLiteral("Основной склад")};
    return grid;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const TReportGrid grid = bigGrid();
    QTemporaryDir dir;
    QElapsedTimer timer;
    QString error;

    timer.start();
    WriteGridWorkbook(grid, 54, dir.filePath(QStringLiteral("grid.xlsx")), QStringLiteral("Отчёт"), error);
    out << "workbook (.xlsx): " << timer.elapsed() << " ms " << error << Qt::endl;

    timer.restart();
    WriteGridText(grid, dir.filePath(QStringLiteral("grid.csv")), error);
    out << "text file: " << timer.elapsed() << " ms " << error << Qt::endl;

    const QString module = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    TReportGrid header = grid;
    header.Rows.resize(1);
    QString message;
    timer.restart();
    CalcModule(module).Export(header, 54, dir.filePath(QStringLiteral("header.ods")), message);
    out << "Calc, header row only (office start and .ods store): " << timer.elapsed() << " ms " << message
        << Qt::endl;
    for (const auto& [name, method] : {std::pair{"by blocks of rows", CalcModule::Method::ByRange},
                                       std::pair{"cell by cell", CalcModule::Method::ByCell}}) {
        timer.restart();
        const CalcModule::Result result = CalcModule(module).Export(
            grid, 54, dir.filePath(QStringLiteral("grid.ods")), message, {}, method);
        out << "Calc " << name << ", office start and .ods store included: " << timer.elapsed() << " ms "
            << (result == CalcModule::Result::Ok ? QString() : message) << Qt::endl;
    }
    return 0;
}
