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

TReportGrid StockGridAllColumns(int goods) {
    const QStringList names{QStringLiteral("Масло подсолнечное рафинированное 0,9 л"),
                            QStringLiteral("Конфеты «Мишка косолапый» весовые 1 кг"),
                            QStringLiteral("Соль 1 кг"),
                            QStringLiteral("Стиральный порошок автомат 3 кг"),
                            QStringLiteral("Чай черный байховый 100 пакетиков"),
                            QStringLiteral("Вода питьевая негазированная 5 л")};
    QList<QStringList> rows{
        {QString(), QStringLiteral("Наименование"), QStringLiteral("Кол-во"), QStringLiteral("Упаковка"),
         QStringLiteral("Кол-во упак."), QStringLiteral("Закуп. цена"), QStringLiteral("Средняя закуп. цена"),
         QStringLiteral("Закуп. сумма"), QStringLiteral("Прод. цена"), QStringLiteral("Прод. сумма")}};
    for (int i = 1; i <= goods; ++i) {
        const int kol = 12 * i;
        const int zcen = 4000 + 137 * i; // kopecks
        rows << QStringList{QString::number(i),
                            names[(i - 1) % names.size()],
                            QString::number(kol),
                            QStringLiteral("12"),
                            QString::number(i),
                            QStringLiteral("%1.%2").arg(zcen / 100).arg(zcen % 100, 2, 10, QLatin1Char('0')),
                            QStringLiteral("%1.00").arg(zcen / 100),
                            QStringLiteral("%1.00").arg(kol * zcen / 100),
                            QStringLiteral("%1.00").arg(zcen / 100 * 2),
                            QStringLiteral("%1.00").arg(kol * zcen / 100 * 2)};
    }
    rows << QStringList{QString(),
                        QStringLiteral("Итого"),
                        QString::number(6 * goods * (goods + 1)),
                        QString(),
                        QString::number(goods * (goods + 1) / 2),
                        QString(),
                        QString(),
                        QStringLiteral("1234567.00"),
                        QString(),
                        QStringLiteral("2469134.00")};
    return GridOf(rows);
}
