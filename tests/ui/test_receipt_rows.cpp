// Receipt rows from a sheet and their goods items from the catalog, without the service.
#include "receipt_rows.h"
#include "sheet_table.h"

#include <QTest>

namespace {

std::unique_ptr<TRecGood> catalogItem(int id, const QString& name, const QString& code,
                                      const QString& barCode) {
    auto g = std::make_unique<TRecGood>();
    g->ID = g->IDGoods = id;
    g->Name = name;
    g->Code = code;
    g->BarCode = barCode;
    return g;
}

} // namespace

class TestReceiptRows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsNeedANameAQuantityAndAPrice() {
        SheetTable sheet;
        sheet.SetCell(1, 1, QStringLiteral(" К-1 "));
        sheet.SetCell(1, 2, QStringLiteral("  Рис  "));
        sheet.SetCell(1, 3, QStringLiteral(" 1\u00a0234,5 "));
        sheet.SetCell(1, 4, QStringLiteral("12,30"));
        sheet.SetCell(1, 5, QStringLiteral(" 4600000000017 "));
        sheet.SetCell(2, 2, QStringLiteral("Без цены"));
        sheet.SetCell(2, 3, QStringLiteral("1"));
        sheet.SetCell(3, 2, QStringLiteral("Не числа"));
        sheet.SetCell(3, 3, QStringLiteral("много"));
        sheet.SetCell(3, 4, QStringLiteral("дорого"));
        sheet.SetCell(4, 2, QStringLiteral("Пробелы"));
        sheet.SetCell(4, 3, QStringLiteral("   "));
        sheet.SetCell(4, 4, QStringLiteral("1"));
        const auto rows = ReceiptRowsOf(sheet);
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0]->Code, QStringLiteral("К-1"));
        QCOMPARE(rows[0]->Name, QStringLiteral("Рис"));
        QCOMPARE(rows[0]->OstKol, 1234.5);
        QCOMPARE(rows[0]->ZCen, 12.3);
        QCOMPARE(rows[0]->BarCode, QStringLiteral("4600000000017"));
        QCOMPARE(rows[0]->IDGoods, 0);
        QCOMPARE(rows[0]->PCen, 0.0);
        QCOMPARE(rows[1]->Name, QStringLiteral("Не числа"));
        QCOMPARE(rows[1]->OstKol, 0.0);
        QCOMPARE(rows[1]->ZCen, 0.0);
    }

    // Code first, then barcode, then name; texts equal to the letter; the first entry wins.
    void rowsFindTheirGoodsItem() {
        RecordList<TRecGood> catalog;
        catalog.push_back(
            catalogItem(1, QStringLiteral("Чай"), QStringLiteral("C-1"), QStringLiteral("111")));
        catalog.push_back(
            catalogItem(2, QStringLiteral("Чай"), QStringLiteral("C-1"), QStringLiteral("222")));
        catalog.push_back(catalogItem(3, QStringLiteral("Кофе"), QString(), QStringLiteral("333")));
        catalog.push_back(catalogItem(4, QStringLiteral("Сахар"), QStringLiteral("c-4"), QString()));
        SheetTable sheet;
        const QList<QStringList> cells{
            {"C-1", "Другое имя", "1", "1", "333"}, // by code, the first of two
            {"C-404", "Кофе", "1", "1", "333"},     // the code matches nothing: by barcode
            {"", "Без кода", "1", "1", "222"},      // by barcode
            {"", "Кофе", "1", "1", ""},             // by name
            {"", "кофе", "1", "1", ""},             // letter case counts: none
            {"C-4", "Сахар ", "1", "1", "999"},     // code case counts; the name is trimmed: by name
        };
        for (int r = 0; r < cells.size(); ++r)
            for (int c = 0; c < cells[r].size(); ++c)
                sheet.SetCell(r + 1, c + 1, cells[r][c]);
        auto rows = ReceiptRowsOf(sheet);
        MatchReceiptRows(rows, catalog);
        QList<int> ids;
        for (const auto& row : rows)
            ids << row->IDGoods;
        QCOMPARE(ids, (QList<int>{1, 3, 2, 3, 0, 4}));
    }
};

QTEST_GUILESS_MAIN(TestReceiptRows)
#include "test_receipt_rows.moc"
