#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

// A set of number and date formats, taken from a locale with some fields overridden.
// Date and time pictures use the letters understood by kovrel::FormatDateTime.
struct TFormatSettings {
    QChar DecimalSeparator;
    QChar ThousandSeparator;
    QChar DateSeparator;
    QChar TimeSeparator;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QStringList ShortMonthNames; // 12 entries, January first
    QStringList LongMonthNames;

    static TFormatSettings FromLocale(const QLocale& locale);
};

// Number texts and dates shown to the user.
extern TFormatSettings DisplayFormat;
// Dates read from service replies.
extern TFormatSettings WireFormat;

// Builds both instances from the Russian (Russia) locale with their overrides.
void BuildFormatSettings();
