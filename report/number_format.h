#pragma once

#include <QChar>
#include <QString>
#include <QVariant>

// How a text element prints the numbers its variables yield, the same on every system: a
// decimal comma and a blank (no-break, so a number never breaks between lines) between digit
// groups. A number has at least `decimals` and at most `maxDecimals` decimals, rounded half up
// in its last shown place: "%2.2n" is money (1 234,50), the default a quantity or a pack
// (3; 2,5; 0,042). Integers print as they are (document numbers are never grouped); values
// that are not numbers pass unchanged.
struct NumberFormat {
    int decimals = 0;
    int maxDecimals = 3;
    QChar decimalSeparator = QLatin1Char(',');
    QChar thousandSeparator = QChar(0x00A0);

    // Reads "%W.Dn" (exactly D decimals); another picture keeps the default.
    static NumberFormat Parse(const QString& picture);
    // Exactly `decimals` decimals.
    static NumberFormat Fixed(int decimals);

    QString format(double value) const;
    // Numbers per the picture; dates as "dd.MM.yyyy"; everything else as its text.
    QString text(const QVariant& value) const;
};
