#include "record_key.h"

#include <QDate>

namespace kovrel {

QString Pad9(int value) {
    // "%9.9d": at least nine digits, the sign in front of them.
    const QString digits =
        QString::number(qAbs(static_cast<qint64>(value))).rightJustified(9, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString DateKey(TDateTime value) {
    return DateOf(value).toString(QStringLiteral("yyyy-MM-dd"));
}

QString DaysTo2100Key(TDateTime value) {
    static const TDateTime y2100 = EncodeDate(2100, 1, 1);
    return Pad9(WholeDaysBetween(y2100, value));
}

} // namespace kovrel
