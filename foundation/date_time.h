#pragma once

#include <QDateTime>
#include <QString>

struct TFormatSettings;

// Dates travel through the program as doubles counting days since 1899-12-30 00:00 local time,
// the fraction being the time of day; 0 stands for a missing or unreadable date.
using TDateTime = double;

namespace kovrel {

TDateTime ToDateTime(const QDateTime& dt);
TDateTime ToDateTime(QDate date);
QDateTime FromDateTime(TDateTime value);
QDate DateOf(TDateTime value);

TDateTime Now();
// Today at midnight.
TDateTime Today();
// The value with the time of day removed.
TDateTime DateOnly(TDateTime value);
TDateTime EncodeDate(int year, int month, int day);

// Absolute difference of two moments, truncated to whole days.
int WholeDaysBetween(TDateTime a, TDateTime b);

// Formats with the classic picture letters: yyyy yy mmmm mmm mm m dd d hh h nn n ss s zzz
// (letters are case-insensitive, so "dd.MM.yy" and "dd.mm.yy" mean the same); anything else
// is copied. Month names and separators come from the settings.
QString FormatDateTime(const QString& picture, TDateTime value, const TFormatSettings& fs);

// Reads "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss" (separators of the wire settings). Returns false
// when the text is not such a date, including impossible ones like 0000-00-00.
bool TryParseWireDate(const QString& text, TDateTime& value);

} // namespace kovrel
