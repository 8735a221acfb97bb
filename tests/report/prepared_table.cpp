#include "prepared_table.h"

#include <QMap>

QString TextIn(const PreparedPage& page, const QRectF& rect) {
    for (const PreparedText& t : page.texts)
        if (rect.adjusted(-0.01, -0.01, 0.01, 0.01).contains(t.rect.center()))
            return t.lines.join(QLatin1Char('\n'));
    return {};
}

QList<QStringList> PreparedTable(const PreparedPage& page) {
    QMap<qint64, QMap<qint64, QString>> rows; // top, left in hundredths of a millimetre
    for (const PreparedFrame& f : page.frames)
        rows[qRound64(f.rect.top() * 100)][qRound64(f.rect.left() * 100)] = TextIn(page, f.rect);
    QList<QStringList> table;
    for (const auto& row : rows)
        table << QStringList(row.values());
    return table;
}
