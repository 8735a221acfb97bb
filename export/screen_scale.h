#pragma once

#include <QSize>

// Grid column widths are pixels of the screen the grid was seen on; spreadsheets measure
// columns in their own units. The exports convert with one factor, the screen scale: screen
// height / screen width × the window's 96 pixels per inch (54 on a 1920 × 1080 screen).
double ScreenScale(const QSize& screen);

// The screen assumed where there is none (kovrel-cli): 1920 × 1080.
QSize DefaultScreenSize();

// A grid column's width in the workbook's character units: pixels / scale × 10.
double WorkbookColumnWidth(int pixels, double scale);
// A grid column's width in Calc's hundredths of a millimetre: the whole part of
// pixels / scale × 2540.
int CalcColumnWidth(int pixels, double scale);
