#pragma once

#include "date_time.h"

#include <QString>

// Pieces of the sort keys that pages order records by; parts are joined with "=".
namespace kovrel {

// Decimal text of an integer, no padding.
inline QString D(qint64 value) {
    return QString::number(value);
}
// Integer as 9 digits with leading zeros ("%9.9d").
QString Pad9(int value);
// The date part of a date-time as "yyyy-mm-dd".
QString DateKey(TDateTime value);
// Whole days from the date to 2100-01-01, 9 digits: newer dates give smaller keys.
QString DaysTo2100Key(TDateTime value);

} // namespace kovrel
