#include "doc_formats.h"

#include <QLocale>

namespace {

NumberFormat picture(int decimals, QChar separator) {
    return NumberFormat::Parse(QStringLiteral("%2.%1n").arg(decimals), separator);
}

QChar systemSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

} // namespace

NumberFormat DocFormats::Sum(int decimals) {
    return picture(decimals, QLatin1Char(','));
}

NumberFormat DocFormats::Price(int decimals) {
    return picture(decimals, systemSeparator());
}

NumberFormat DocFormats::Plain() {
    NumberFormat f;
    f.plainSeparator = systemSeparator();
    return f;
}
