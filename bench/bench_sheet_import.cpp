// The receipt import's own work on a large supplier sheet: reading the first worksheet of an
// .xlsx, turning its rows into receipt rows, and matching them against a large catalog.
#include "receipt_rows.h"
#include "sheet_reader.h"
#include "sheet_table.h"
#include "xlsx_book.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRows = 50000;
constexpr int kCatalog = 20000;

void report(const char* step, qint64 ms, const QString& detail = {}) {
    std::printf("%-46s %7lld ms  %s\n", step, static_cast<long long>(ms), qPrintable(detail));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("delivery.xlsx"));
    {
        // A third of the rows carry a known code, a third a known barcode, the rest a name only.
        XlsxBook book(path);
        book.Sheet(QStringLiteral("Поставка"));
        for (int r = 1; r <= kRows; ++r) {
            const int item = r % kCatalog;
            const QString code = r % 3 == 0 ? QStringLiteral("C-%1").arg(item) : QString();
            const QString barCode =
                r % 3 == 1 ? QStringLiteral("46%1").arg(item, 11, 10, QLatin1Char('0')) : QString();
            book.Row(r, {code, QStringLiteral("Товар номер %1").arg(item), QString::number(r % 12 + 1),
                         QStringLiteral("%1,50").arg(r % 500), barCode});
        }
        if (!book.Close()) return 1;
    }
    std::printf("%d rows, %lld KB\n", kRows, static_cast<long long>(QFileInfo(path).size() / 1024));

    QElapsedTimer t;
    t.start();
    SheetTable sheet;
    QString error;
    if (!ReadFirstSheet(path, sheet, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    report("read the first worksheet", t.restart(),
           QStringLiteral("%1 x %2").arg(sheet.RowCount()).arg(sheet.ColCount()));
    RecordList<TRecGood> rows = ReceiptRowsOf(sheet);
    report("receipt rows from the sheet", t.restart(), QString::number(rows.size()));

    RecordList<TRecGood> catalog;
    for (int i = 0; i < kCatalog; ++i) {
        auto g = std::make_unique<TRecGood>();
        g->ID = g->IDGoods = i + 1;
        g->Name = QStringLiteral("Товар номер %1").arg(i);
        g->Code = QStringLiteral("C-%1").arg(i);
        g->BarCode = QStringLiteral("46%1").arg(i, 11, 10, QLatin1Char('0'));
        catalog.push_back(std::move(g));
    }
    t.restart();
    MatchReceiptRows(rows, catalog);
    int matched = 0;
    for (const auto& row : rows)
        matched += row->IDGoods > 0 ? 1 : 0;
    report("matched against the catalog", t.elapsed(),
           QStringLiteral("%1 of %2 rows, catalog %3").arg(matched).arg(rows.size()).arg(kCatalog));
    return 0;
}
