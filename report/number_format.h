#pragma once

#include <QChar>
#include <QString>
#include <QVariant>

// How a text element prints the numbers its variables yield: "%2.2n" is two decimals with digit
// grouping, "%2.3n" three. The separators are the element's own, so a form can print a comma
// where the system would print something else. Values that are not numbers pass unchanged.
struct NumberFormat {
    int decimals = -1; // -1: numbers print as plain numbers
    QChar decimalSeparator = QLatin1Char(',');
    QChar plainSeparator = QLatin1Char('.'); // of plain numbers
    QChar thousandSeparator = QChar(0x00A0);

    // Reads "%W.Dn"; an unknown picture prints plain numbers.
    static NumberFormat Parse(const QString& picture, QChar decimalSeparator = QLatin1Char(','));

    QString format(double value) const;
    // Numbers per the picture; dates as "dd.MM.yyyy"; everything else as its text.
    QString text(const QVariant& value) const;
};
