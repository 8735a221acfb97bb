#pragma once

#include <QByteArray>
#include <QString>

// The text in Windows-1251, the code page of Russian Windows that spreadsheets there read text
// files in. A character the code page cannot hold becomes one "?".
QByteArray ToWindows1251(const QString& text);
// True when the code page holds every character of the text.
bool FitsWindows1251(const QString& text);
