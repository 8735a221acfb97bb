// Report grids exported the way the menu does it: the text file's exact bytes through the save
// dialog, and the workbook read back with the program's own workbook reader.
#include "export_file_name.h"
#include "grid_export.h"
#include "grid_text_file.h"
#include "grid_workbook.h"
#include "report_grid.h"
#include "screen_scale.h"
#include "scripted_interaction.h"
#include "sheet_reader.h"
#include "sheet_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// The stock balance as its page shows it: row numbers, "Наименование", "Кол-во", ten goods and
// the totals row.
TReportGrid stockGrid() {
    TReportGrid grid;
    grid.Widths = {30, 250, 80};
    grid.FixedRows = 1;
    grid.FixedCols = 1;
    grid.Rows << QStringList{QString(), QStringLiteral("Наименование"), QStringLiteral("Кол-во")};
    for (int i = 1; i <= 10; ++i)
        grid.Rows << QStringList{QString::number(i), QStringLiteral("Товар %1").arg(i),
                                 QString::number(i * 2)};
    grid.Rows << QStringList{QString(), QStringLiteral("Итого"), QStringLiteral("110")};
    return grid;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestGridExport : public QObject {
    Q_OBJECT

private slots:
    void init() { m_ui = &ScriptedInteraction::Install(); }
    void cleanup() { ScriptedInteraction::Uninstall(); }

    void screenScaleConvertsWidths() {
        const double scale = ScreenScale(QSize(1920, 1080));
        QCOMPARE(scale, 54.0);
        QCOMPARE(CalcColumnWidth(250, scale), 11759);
        QVERIFY(qAbs(WorkbookColumnWidth(250, scale) - 46.3) < 0.01);
        QCOMPARE(ScreenScale(QSize(1280, 1024)), 76.8);
    }

    void textFileHasTheExactBytes() {
        TReportGrid grid = stockGrid();
        grid.Rows[3][1] = QStringLiteral("   Гвозди ");
        grid.Rows[4][1] = QStringLiteral("Bär € №");
        grid.Rows[5][1] = QStringLiteral("две\tчасти\r\nи строка");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        m_ui->fileNames.enqueue(path);
        QCOMPARE(ExportGridToText(grid, QStringLiteral("Kovrel")), path);
        QCOMPARE(m_ui->fileDialogs, QStringList{QStringLiteral("Сохранить как|*.*")});
        QCOMPARE(m_ui->saveProposals, QStringList{QStringLiteral("Kovrel (текст с разделителями).csv|csv")});

        const QList<QByteArray> lines = fileBytes(path).split('\n');
        QCOMPARE(lines.size(), 13); // twelve lines, each ended by CR LF
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(
            lines[0],
            QByteArray("\t\xCD\xE0\xE8\xEC\xE5\xED\xEE\xE2\xE0\xED\xE8\xE5\t\xCA\xEE\xEB-\xE2\xEE\t \r"));
        QCOMPARE(lines[1], QByteArray("1\t\xD2\xEE\xE2\xE0\xF0 1\t2\t \r"));
        QCOMPARE(lines[3], QByteArray("3\t\xC3\xE2\xEE\xE7\xE4\xE8\t6\t \r"));
        QCOMPARE(lines[4], QByteArray("4\tB?r \x88 \xB9\t8\t \r"));
        QCOMPARE(lines[5],
                 QByteArray("5\t\xE4\xE2\xE5 \xF7\xE0\xF1\xF2\xE8  \xE8 \xF1\xF2\xF0\xEE\xEA\xE0\t10\t \r"));
        QCOMPARE(lines[11], QByteArray("\t\xC8\xF2\xEE\xE3\xEE\t110\t \r"));
    }

    void textFileCancelledOrUnwritable() {
        QTemporaryDir dir;
        QCOMPARE(ExportGridToText(stockGrid(), QStringLiteral("Kovrel")), QString()); // Cancel
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(m_ui->errors.isEmpty());

        const QString path = dir.filePath(QStringLiteral("нет такой папки/out.csv"));
        m_ui->fileNames.enqueue(path);
        QCOMPARE(ExportGridToText(stockGrid(), QStringLiteral("Kovrel")), QString());
        QCOMPARE(m_ui->errors.size(), 1);
        QVERIFY2(m_ui->errors[0].contains(path), qPrintable(m_ui->errors[0]));
    }

    void workbookReadsBack() {
        TReportGrid grid = stockGrid();
        grid.Rows[1][2] = QStringLiteral("12.50");
        grid.Rows[2][2] = QStringLiteral("1.250");
        grid.Rows[3][2] = QStringLiteral("-3");
        grid.Rows[4][2] = QStringLiteral("=1+1");
        grid.Rows[5][2] = QStringLiteral("007");
        grid.Rows[6][2] = QStringLiteral("1 250.00");
        grid.Rows[7][2] = QStringLiteral("4601234567890123");
        grid.Rows[3][1] = QStringLiteral("   Гвозди ");
        QTemporaryDir dir;
        const QString path = ExportGridToExcel(grid, QStringLiteral("Остатки товаров"), 54, dir.path());
        QVERIFY(QFileInfo(path).fileName().startsWith(QStringLiteral("Остатки товаров ")));
        QCOMPARE(m_ui->openedUrls, QStringList{QUrl::fromLocalFile(path).toString()});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left

        SheetTable table;
        QString error;
        QVERIFY2(ReadFirstSheet(path, table, error), qPrintable(error));
        QCOMPARE(table.RowCount(), 12);
        QCOMPARE(table.ColCount(), 3);
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c) {
                const QString expected = r == 1 && c == 2   ? QStringLiteral("12.5")
                                         : r == 2 && c == 2 ? QStringLiteral("1.25")
                                                            : grid.Cells(c, r);
                QCOMPARE(table.Cell(r + 1, c + 1), expected);
            }
        QVERIFY(qAbs(table.ColumnWidth(2) - 46.3) < 0.02);
        QVERIFY(qAbs(table.ColumnWidth(3) - 14.81) < 0.15);
    }

    void workbookNeverHalfWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("нет такой папки/книга.xlsx"));
        QString error;
        QVERIFY(!WriteGridWorkbook(stockGrid(), 54, path, QStringLiteral("Книга"), error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(!QFile::exists(path));
    }

    void exportNamesNeverOverwrite() {
        QTemporaryDir dir;
        const QDateTime when(QDate(2026, 12, 9), QTime(14, 3, 59));
        const QString first =
            NewExportPath(dir.path(), QStringLiteral("Остатки товаров"), when, QStringLiteral("xlsx"));
        QCOMPARE(first, dir.filePath(QStringLiteral("Остатки товаров 2026-12-09 14-03.xlsx")));
        QVERIFY(QFile(first).open(QIODevice::WriteOnly));
        QCOMPARE(NewExportPath(dir.path(), QStringLiteral("Остатки товаров"), when, QStringLiteral("xlsx")),
                 dir.filePath(QStringLiteral("Остатки товаров 2026-12-09 14-03 (2).xlsx")));
        QCOMPARE(
            QFileInfo(NewExportPath(dir.path(), QStringLiteral("Долги: A/B"), when, QStringLiteral("xlsx")))
                .fileName(),
            QStringLiteral("Долги_ A_B 2026-12-09 14-03.xlsx"));
    }

private:
    ScriptedInteraction::State* m_ui = nullptr;
};

QTEST_GUILESS_MAIN(TestGridExport)
#include "test_grid_export.moc"
