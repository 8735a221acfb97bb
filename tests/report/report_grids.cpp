#include "report_grids.h"

TReportGrid GridOf(const QList<QStringList>& rows) {
    TReportGrid g;
    g.Rows = rows;
    g.Widths = QList<int>(rows.value(0).size(), 70);
    g.FixedRows = rows.size() > 2 ? 1 : 0;
    g.FixedCols = 1;
    return g;
}

TReportGrid StockGrid(int goods) {
    QList<QStringList> rows{
        {QString(), QStringLiteral("Наименование"), QStringLiteral("Кол-во"), QStringLiteral("Прод. цена")}};
    for (int i = 1; i <= goods; ++i)
        rows << QStringList{QString::number(i), QStringLiteral("Товар %1").arg(i), QString::number(i),
                            QStringLiteral("%1.50").arg(i * 10)};
    rows << QStringList{QString(), QStringLiteral("Итого"), QString::number(goods * (goods + 1) / 2),
                        QString()};
    return GridOf(rows);
}
