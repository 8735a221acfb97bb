#pragma once

#include <QString>

// How a cell's value reads as text, the same whichever file format it came from: a number as
// the spreadsheet shows it in its general format (up to 15 significant digits, "." as the
// decimal separator), a date or time as its serial number (days since 1899-12-30, the time of
// day as the fraction).
namespace kovrel::sheet {

QString NumberText(double value);
// Text already written by a spreadsheet as a number ("2.5", "1E-3"); other text comes back as it is.
QString NumberText(const QString& stored);
// Reads "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS", "YYYY-MM-DDTHH:MM:SS" and "HH:MM:SS"; other text
// comes back as it is.
QString DateText(const QString& stored);

} // namespace kovrel::sheet
