#pragma once

#include "date_time.h"

#include <QString>

// How values are written into request fields.
namespace kovrel::wire {

// Identifier, code, kind or integer flag: decimal, "-" for negatives.
QString Int(qint64 value);
// Boolean flag: "1" or "0".
QString Flag(bool value);
// Date without the time of day: "yyyy-mm-dd".
QString Date(TDateTime value);
// Money, price, VAT rate: two decimals, halves up from the number as typed (2.675 is 2.68).
QString Money(double value);
// Pack size: three decimals.
QString Pack(double value);
// Quantity: whole values without decimals, others with three.
QString Qty(double value);
// Search text: upper-cased by the locale's rules.
QString Search(const QString& text);
// Report codes: the identifier, or "-1" (all) when it is 0 or less.
QString CodeOrAll(int code);

} // namespace kovrel::wire
