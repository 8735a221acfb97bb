#pragma once

#include <QString>

#include <optional>

// What a spreadsheet export makes of a grid cell's text: a number when the text is one in the
// program's own formats (optional "-", digits without grouping or leading zeros, "." and
// decimals: "12", "-3", "12.50", "1.250"; blanks around it allowed), kept with its number of
// decimals for the display format; any other text stays text. Texts with more than 15
// significant digits (long codes) stay text, since a spreadsheet would round them.
struct GridNumber {
    double value = 0;
    int decimals = 0;
};
std::optional<GridNumber> ProgramNumber(const QString& text);

// The text without the blanks and control characters at both ends.
QString TrimCellText(const QString& text);
