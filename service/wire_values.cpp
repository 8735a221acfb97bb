#include "wire_values.h"

#include "money.h"
#include "number_text.h"

#include <QDate>
#include <QLocale>

namespace kovrel::wire {

QString Int(qint64 value) {
    return QString::number(value);
}

QString Flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString Date(TDateTime value) {
    return DateOf(value).toString(QStringLiteral("yyyy-MM-dd"));
}

QString Money(double value) {
    return kovrel::Money::FromDouble(value).ToText();
}

QString Pack(double value) {
    return FormatFixed(3, value);
}

QString Qty(double value) {
    return FormatQty(1, 3, value);
}

QString Search(const QString& text) {
    return QLocale(QLocale::Russian, QLocale::Russia).toUpper(text);
}

QString CodeOrAll(int code) {
    return code <= 0 ? QStringLiteral("-1") : QString::number(code);
}

} // namespace kovrel::wire
