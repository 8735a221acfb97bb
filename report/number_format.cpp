#include "number_format.h"

#include "number_text.h"

#include <QDate>
#include <QRegularExpression>

NumberFormat NumberFormat::Parse(const QString& picture) {
    static const QRegularExpression re(QStringLiteral("^%\\d*\\.(\\d+)n$"));
    const auto m = re.match(picture);
    return m.hasMatch() ? Fixed(m.captured(1).toInt()) : NumberFormat{};
}

NumberFormat NumberFormat::Fixed(int decimals) {
    NumberFormat f;
    f.decimals = f.maxDecimals = decimals;
    return f;
}

QString NumberFormat::format(double value) const {
    QString fixed = FormatFixed(std::max(decimals, maxDecimals), value);
    const bool negative = fixed.startsWith(QLatin1Char('-'));
    if (negative) fixed.remove(0, 1);
    const qsizetype dot = fixed.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? fixed : fixed.left(dot);
    QString fraction = dot < 0 ? QString() : fixed.mid(dot + 1);
    while (fraction.size() > decimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += thousandSeparator;
        grouped += whole.at(i);
    }
    if (!fraction.isEmpty()) grouped += decimalSeparator + fraction;
    return negative ? QLatin1Char('-') + grouped : grouped;
}

QString NumberFormat::text(const QVariant& value) const {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return format(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().date().toString(QStringLiteral("dd.MM.yyyy"));
    default:
        return value.toString();
    }
}
