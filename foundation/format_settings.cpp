#include "format_settings.h"

TFormatSettings DisplayFormat = TFormatSettings::FromLocale(QLocale(QLocale::Russian, QLocale::Russia));
TFormatSettings WireFormat = DisplayFormat;

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale) {
    TFormatSettings fs;
    fs.DecimalSeparator = locale.decimalPoint().at(0);
    fs.ThousandSeparator = locale.groupSeparator().isEmpty() ? QChar() : locale.groupSeparator().at(0);
    fs.DateSeparator = QLatin1Char('.');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
    fs.LongDateFormat = QStringLiteral("d mmmm yyyy");
    fs.ShortTimeFormat = QStringLiteral("h:nn");
    fs.LongTimeFormat = QStringLiteral("h:nn:ss");
    for (int m = 1; m <= 12; ++m) {
        fs.ShortMonthNames << locale.standaloneMonthName(m, QLocale::ShortFormat);
        fs.LongMonthNames << locale.standaloneMonthName(m, QLocale::LongFormat);
    }
    return fs;
}

void BuildFormatSettings() {
    const TFormatSettings ru = TFormatSettings::FromLocale(QLocale(QLocale::Russian, QLocale::Russia));

    DisplayFormat = ru;
    DisplayFormat.DecimalSeparator = QLatin1Char('.');
    DisplayFormat.DateSeparator = QLatin1Char('.');
    DisplayFormat.TimeSeparator = QLatin1Char(':');
    DisplayFormat.ShortDateFormat = QStringLiteral("dd.MM.yy");
    DisplayFormat.LongDateFormat = QStringLiteral("dd.MM.yyyy");
    DisplayFormat.ShortTimeFormat = QStringLiteral("HH:mm:ss");
    DisplayFormat.LongTimeFormat = QStringLiteral("HH:mm:ss");

    WireFormat = ru;
    WireFormat.DecimalSeparator = QLatin1Char('.');
    WireFormat.DateSeparator = QLatin1Char('-');
    WireFormat.TimeSeparator = QLatin1Char(':');
    WireFormat.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    WireFormat.LongDateFormat = QStringLiteral("yyyy-mm-dd");
    WireFormat.ShortTimeFormat = QStringLiteral("hh:nn:ss");
    WireFormat.LongTimeFormat = QStringLiteral("hh:nn:ss");
}
