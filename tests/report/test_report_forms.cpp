// The report pages' printed reports, prepared from hand-made grids and control values: which
// template, which title, which table on which page. The golden dumps pin the whole layout.
#include "format_settings.h"
#include "golden_dump.h"
#include "prepared_table.h"
#include "report_grids.h"
#include "report_print.h"
#include "report_titles.h"
#include "report_writer.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSep = QStringLiteral("\r");

ReportControls stockControls(int orientation = 0) {
    ReportControls c;
    c.set(QStringLiteral("ComBoxStore"), QStringLiteral("Главный склад"));
    c.set(QStringLiteral("CBoxZero"), true);
    c.set(QStringLiteral("EdOstName"), QStringLiteral("  мол "));
    c.set(QStringLiteral("ComBoxPrintOst"), orientation);
    return c;
}

PreparedReport print(ReportPrint::Kind kind, const TReportGrid& grid, const ReportControls& controls) {
    const PrepareResult result = ReportPrint::prepare(kind, grid, controls);
    if (!result) qFatal("%s", qPrintable(result.error));
    return *result.report;
}

TReportGrid moveGoodGrid(int rows) {
    QList<QStringList> g{
        {QStringLiteral("Дата"), QStringLiteral("Поставщик/покупатель"), QStringLiteral("Кол-во приход"),
         QStringLiteral("Кол-во расход"), QStringLiteral("Кол-во остаток")},
        {QString(), QStringLiteral("Начальный остаток"), QString(), QString(), QStringLiteral("4")}};
    for (int i = 1; i <= rows; ++i)
        g << QStringList{QStringLiteral("0%1.03.24").arg(i), QStringLiteral("ООО Ромашка док. № %1").arg(i),
                         QString::number(i * 2), QString(), QString::number(4 + i * (i + 1))};
    g << QStringList{QString(), QStringLiteral("Итого"), QString::number(rows * (rows + 1)),
                     QStringLiteral("0"), QString::number(4 + rows * (rows + 1))};
    return GridOf(g);
}

TReportGrid dolgGrid(bool firstGroup) {
    if (firstGroup)
        return GridOf(
            {{QString(), QStringLiteral("Поставщик/покупатель/счет"), QStringLiteral("Долг (нам должны)"),
              QStringLiteral("Аванс (мы должны)")},
             {QStringLiteral("1"), QStringLiteral("ООО Ромашка"), QStringLiteral("1500.00"), QString()},
             {QStringLiteral("2"), QStringLiteral("ИП Лютиков"), QString(), QStringLiteral("250.50")},
             {QString(), QStringLiteral("Итого"), QStringLiteral("1500.00"), QStringLiteral("250.50")}});
    return GridOf({{QString(), QStringLiteral("Поставщик/покупатель/счет"), QStringLiteral("Остаток")},
                   {QStringLiteral("1"), QStringLiteral("Аренда"), QStringLiteral("-12000.00")},
                   {QString(), QStringLiteral("Итого"), QStringLiteral("-12000.00")}});
}

void compareGolden(const PreparedReport& report, const QString& name) {
    CompareGolden(report, QStringLiteral(KOVREL_REPORT_GOLDEN_DIR), name);
}

} // namespace

class TestReportForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { BuildFormatSettings(); }

    void stockBalanceTable() {
        const TReportGrid grid = StockGrid(3);
        const PreparedReport r = print(ReportPrint::Ost, grid, stockControls());
        QCOMPARE(r.name, QStringLiteral("FROst"));
        QCOMPARE(r.pages.size(), 1);
        const QList<QStringList> table = PreparedTable(r.pages[0]);
        QCOMPARE(table.size(), 5);
        QCOMPARE(table, grid.Rows);
        QVERIFY(table[0][0].isEmpty());
        QCOMPARE(table[4][1], QStringLiteral("Итого"));
        QVERIFY(r.pageLines(0).contains(QStringLiteral("Страница 1 из 1")));
    }

    void titles() {
        QCOMPARE(ReportTitles::text(QStringLiteral("ost"), stockControls()).split(kSep),
                 (QStringList{QStringLiteral("Остатки товаров"), QStringLiteral("склад: Главный склад"),
                              QStringLiteral("включая нулевые остатки"),
                              QStringLiteral("фильтр по наименованию: мол"), QString()}));
        ReportControls plain = stockControls();
        plain.set(QStringLiteral("CBoxZero"), false);
        plain.set(QStringLiteral("EdOstName"), QStringLiteral("   "));
        QCOMPARE(ReportTitles::text(QStringLiteral("ost"), plain),
                 QStringLiteral("Остатки товаров\rсклад: Главный склад\r"));

        // The printed title: its lines, then the line holding a blank.
        const PreparedReport r = print(ReportPrint::Ost, StockGrid(1), stockControls());
        QCOMPARE(
            r.pages[0].texts.first().lines,
            (QStringList{QStringLiteral("Остатки товаров"), QStringLiteral("склад: Главный склад"),
                         QStringLiteral("включая нулевые остатки"),
                         QStringLiteral("фильтр по наименованию: мол"), QString(), QStringLiteral(" ")}));

        ReportControls c;
        c.set(QStringLiteral("DTPBeginRSS"), QDate(2024, 3, 1));
        c.set(QStringLiteral("DTPEndRSS"), QStringLiteral("2024-03-31"));
        c.set(QStringLiteral("ComBoxStoreRSS"), QStringLiteral("(все)"));
        c.set(QStringLiteral("SelKlientNameRSS"), QString());
        c.set(QStringLiteral("ComBoxManagerRSS"), QStringLiteral("Петров"));
        c.set(QStringLiteral("EdNameRSS"), QStringLiteral("сыр"));
        QCOMPARE(ReportTitles::text(QStringLiteral("sale_st"), c),
                 QStringLiteral("Структура продаж \rc 01.03.24 по 31.03.24\rсклад: (все)\rпокупатель: \r"
                                "менеджер: Петров\rфильтр по наименованию: сыр\r"));
        QCOMPARE(ReportTitles::text(QStringLiteral("sale_st"), c).at(18), QLatin1Char('c'));
        c.set(QStringLiteral("DTPRepDolg"), kovrel::EncodeDate(2024, 12, 31));
        c.set(QStringLiteral("ComBoxManagerRepDolg"), QStringLiteral("(все)"));
        QCOMPARE(ReportTitles::text(QStringLiteral("dolg"), c),
                 QStringLiteral("Долги и остатки денег на 31.12.24\rменеджер: (все)\r"));
    }

    void orientationEveryTime() {
        const TReportGrid grid = StockGrid(3);
        QCOMPARE(print(ReportPrint::Ost, grid, stockControls(1)).pages[0].size, QSizeF(297, 210));
        QCOMPARE(print(ReportPrint::Ost, grid, stockControls(0)).pages[0].size, QSizeF(210, 297));
        QCOMPARE(print(ReportPrint::SaleSt, grid, stockControls(1)).pages[0].size, QSizeF(210, 297));
    }

    void longReportCountsPages() {
        const PreparedReport r = print(ReportPrint::Ost, StockGrid(150), stockControls());
        const int n = static_cast<int>(r.pages.size());
        QVERIFY(n >= 3);
        for (int p = 1; p <= n; ++p)
            QVERIFY(r.pageLines(p - 1).contains(QStringLiteral("Страница %1 из %2").arg(p).arg(n)));
        int rows = 0;
        for (const PreparedPage& page : r.pages)
            rows += static_cast<int>(PreparedTable(page).size());
        QCOMPARE(rows, 152);
    }

    // The stock balance with every column, in landscape: the names wrap so that all columns
    // stand on each page, and every page has the headings; the goods run on in their order.
    void wideStockBalanceInLandscape() {
        const TReportGrid grid = StockGridAllColumns(60);
        const PreparedReport r = print(ReportPrint::Ost, grid, stockControls(1));
        QVERIFY(r.pages.size() >= 3);
        QList<QStringList> rows;
        for (const PreparedPage& page : r.pages) {
            const QList<QStringList> table = PreparedTable(page);
            QCOMPARE(table[0], grid.Rows[0]);
            for (QStringList row : table.mid(1)) {
                row[1].replace(QLatin1Char('\n'), QLatin1Char(' ')); // a wrapped name
                rows << row;
            }
        }
        QCOMPARE(rows, grid.Rows.mid(1));
    }

    void movementCard() {
        const PreparedReport r = print(ReportPrint::MoveGood, moveGoodGrid(3), {});
        QCOMPARE(r.name, QStringLiteral("FRMoveGood"));
        const QList<QStringList> table = PreparedTable(r.pages[0]);
        QCOMPARE(table.size(), 6); // the captions and five data lines
        QCOMPARE(table[0], (QStringList{QStringLiteral("Дата"), QStringLiteral("Поставщик/покупатель"),
                                        QStringLiteral("Кол-во приход"), QStringLiteral("Кол-во расход"),
                                        QStringLiteral("Остаток")}));
        QCOMPARE(table[1][1], QStringLiteral("Начальный остаток"));
        QCOMPARE(table[5][1], QStringLiteral("Итого"));
        QCOMPARE(table[5][4], QStringLiteral("16"));
    }

    void templateChoice() {
        ReportControls c;
        c.set(QStringLiteral("SelKlientGr"), 2);
        PreparedReport r = print(ReportPrint::MoveKlient, moveGoodGrid(1), c);
        QCOMPARE(r.name, QStringLiteral("FRMoveKlient2"));
        QCOMPARE(
            PreparedTable(r.pages[0])[0].mid(2),
            (QStringList{QStringLiteral("Расход"), QStringLiteral("Приход"), QStringLiteral("Остаток")}));
        c.set(QStringLiteral("SelKlientGr"), 1);
        QCOMPARE(print(ReportPrint::MoveKlient, moveGoodGrid(1), c).name, QStringLiteral("FRMoveKlient"));

        c.set(QStringLiteral("ComBoxGrRepDolg"), 2); // "Накладные расходы"
        r = print(ReportPrint::Dolg, dolgGrid(false), c);
        QCOMPARE(r.name, QStringLiteral("FRDolg2"));
        QCOMPARE(PreparedTable(r.pages[0]),
                 (QList<QStringList>{{QStringLiteral("Поставщик/покупатель/счет"), QStringLiteral("Остаток")},
                                     {QStringLiteral("Аренда"), QStringLiteral("-12000.00")},
                                     {QStringLiteral("Итого"), QStringLiteral("-12000.00")}}));
        c.set(QStringLiteral("ComBoxGrRepDolg"), 0);
        QCOMPARE(print(ReportPrint::Dolg, dolgGrid(true), c).name, QStringLiteral("FRDolg"));
    }

    void emptyReports() {
        const TReportGrid empty =
            GridOf({{QString(), QStringLiteral("Наименование"), QStringLiteral("Кол-во")},
                    {QString(), QStringLiteral("Итого"), QStringLiteral("0")}});
        PreparedReport r = print(ReportPrint::Ost, empty, stockControls());
        QCOMPARE(r.pages[0].texts.first().lines.first(), QStringLiteral("Остатки товаров"));
        QCOMPARE(PreparedTable(r.pages[0]), empty.Rows);

        r = print(ReportPrint::MoveGood, moveGoodGrid(0), {});
        const QList<QStringList> table = PreparedTable(r.pages[0]);
        QCOMPARE(table.size(), 3);
        QCOMPARE(table[1][1], QStringLiteral("Начальный остаток"));
        QCOMPARE(table[2][1], QStringLiteral("Итого"));
    }

    void goldenDumps() {
        compareGolden(print(ReportPrint::Ost, StockGrid(3), stockControls()), QStringLiteral("FROst"));
        ReportControls c;
        c.set(QStringLiteral("SelKlientGr"), 2);
        c.set(QStringLiteral("SelKlientNameRMK"), QStringLiteral("Касса"));
        c.set(QStringLiteral("DTPBeginRMK"), QDate(2024, 3, 1));
        c.set(QStringLiteral("DTPEndRMK"), QDate(2024, 3, 31));
        compareGolden(print(ReportPrint::MoveKlient, moveGoodGrid(3), c), QStringLiteral("FRMoveKlient2"));
        c.set(QStringLiteral("ComBoxGrRepDolg"), 0);
        c.set(QStringLiteral("DTPRepDolg"), QDate(2024, 3, 31));
        c.set(QStringLiteral("ComBoxManagerRepDolg"), QStringLiteral("(все)"));
        compareGolden(print(ReportPrint::Dolg, dolgGrid(true), c), QStringLiteral("FRDolg"));

        // Twelve periods do not fit beside each other: the columns continue on pages 2 and 3,
        // each beside the row numbers and the periods.
        QList<QStringList> wide{{QString(), QStringLiteral("Период")}};
        for (int m = 1; m <= 12; ++m)
            wide[0] << QStringLiteral("Прод.сумма %1.2024").arg(m, 2, 10, QLatin1Char('0'));
        for (const QString& row : {QStringLiteral("1"), QString()}) {
            wide << QStringList{row, row.isEmpty() ? QStringLiteral("Итого") : QStringLiteral("01.2024")};
            for (int m = 1; m <= 12; ++m)
                wide.last() << QStringLiteral("%1.00").arg(m * 1000);
        }
        c.set(QStringLiteral("ComBoxDetalRSD"), QStringLiteral("месяц"));
        c.set(QStringLiteral("DTPBeginRSD"), QDate(2024, 1, 1));
        c.set(QStringLiteral("DTPEndRSD"), QDate(2025, 1, 1));
        c.set(QStringLiteral("ComBoxStoreRSD"), QStringLiteral("(все)"));
        const PreparedReport dynam = print(ReportPrint::SaleDynam, GridOf(wide), c);
        QCOMPARE(dynam.pages.size(), 3);
        compareGolden(dynam, QStringLiteral("FRSaleDynam-wide"));

        compareGolden(print(ReportPrint::Ost, StockGridAllColumns(30), stockControls(1)),
                      QStringLiteral("FROst-landscape-all-columns"));
    }

    void pdfAndPng() {
        QTemporaryDir dir;
        const PreparedReport r = print(ReportPrint::Ost, StockGrid(60), stockControls());
        const QString pdf = dir.filePath(QStringLiteral("ost.pdf"));
        QCOMPARE(ReportWriter::writePdf(r, pdf), QString());
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        qsizetype at = 0;
        for (const QString& expected :
             {QStringLiteral("Остатки товаров"), QStringLiteral("склад: Главный склад"),
              QStringLiteral("Наименование"), QStringLiteral("Товар 1 "), QStringLiteral("Товар 60"),
              QStringLiteral("Итого"), QStringLiteral("Страница %1 из %1").arg(r.pages.size())}) {
            const qsizetype found = out.indexOf(expected, at);
            QVERIFY2(found >= 0, qPrintable(expected));
            at = found;
        }

        const QString bad = dir.filePath(QStringLiteral("missing/ost.pdf"));
        QVERIFY(!ReportWriter::writePdf(r, bad).isEmpty());
        QVERIFY(!QFile::exists(bad));

        QCOMPARE(ReportWriter::writePngs(r, dir.filePath(QStringLiteral("png"))), QString());
        const QImage first(dir.filePath(QStringLiteral("png/") + ReportWriter::pngName(r, 0)));
        QCOMPARE(first.size(), QSize(1240, 1754));
        QVERIFY(QFile::exists(
            dir.filePath(QStringLiteral("png/") + ReportWriter::pngName(r, int(r.pages.size()) - 1))));
    }
};

QTEST_MAIN(TestReportForms)
#include "test_report_forms.moc"
