#include "number_format.h"

#include "number_text.h"

#include <QDate>
#include <QRegularExpression>

NumberFormat NumberFormat::Parse(const QString& picture, QChar decimalSeparator) {
    static const QRegularExpression re(QStringLiteral("^%\\d*\\.(\\d+)n$"));
    NumberFormat f;
    f.decimalSeparator = decimalSeparator;
    const auto m = re.match(picture);
    if (m.hasMatch()) f.decimals = m.captured(1).toInt();
    return f;
}

QString NumberFormat::format(double value) const {
    if (decimals < 0) return QString::number(value, 'g', 15).replace(QLatin1Char('.'), plainSeparator);
    QString fixed = FormatFixed(decimals, value);
    const bool negative = fixed.startsWith(QLatin1Char('-'));
    if (negative) fixed.remove(0, 1);
    const qsizetype dot = fixed.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? fixed : fixed.left(dot);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += thousandSeparator;
        grouped += whole.at(i);
    }
    if (dot >= 0) grouped += decimalSeparator + fixed.mid(dot + 1);
    return negative ? QLatin1Char('-') + grouped : grouped;
}

QString NumberFormat::text(const QVariant& value) const {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return format(value.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return decimals < 0 ? value.toString() : format(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().date().toString(QStringLiteral("dd.MM.yyyy"));
    default:
        return value.toString();
    }
}
