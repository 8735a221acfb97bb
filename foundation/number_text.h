#pragma once

#include <QString>

// The value as fixed point with `decimals` decimals, "." as separator, no grouping and "-"
// before negatives. The value is first written out to 18 significant digits; that expansion
// is cut after the last shown decimal and rounded up in magnitude when the first dropped digit
// is 5 or more (0.125 -> 0.13, but 1.005, stored just below, -> 1.00).
QString FormatFixed(int decimals, double value);

// Whole values without decimals, others with `decimals` decimals, left-padded with blanks to
// at least `width` characters.
QString FormatQty(int width, int decimals, double value);

// Trims blanks and control characters at both ends, turns "," into "." and removes no-break
// spaces (U+00A0), the digit grouping of Russian number texts.
QString NormalizeNumberText(const QString& text);

// Reads a typed number (optional sign, digits, one ".", optional exponent) after normalizing
// it; returns `def` when the text is not a number.
double ParseFloatDef(const QString& text, double def);
bool IsFloatText(const QString& text);

namespace kovrel {

// FormatFixed padded with leading blanks to `width` ("%8.3f"), separator as given.
QString FormatFixedWidth(int width, int decimals, double value, QChar decimalSeparator = QLatin1Char('.'));

// Values at most this far from zero count as zero in sums and balances.
constexpr double kZero = 1e-12;
inline bool IsZero(double value) {
    return value <= kZero && value >= -kZero;
}

} // namespace kovrel
