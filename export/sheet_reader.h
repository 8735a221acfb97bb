#pragma once

#include <QString>

class SheetTable;

// Reads the used range of the first worksheet of a workbook file: Office Open XML (.xlsx,
// .xlsm) or the binary format (.xls), told apart by the file's content rather than its name.
// On failure the table is left as it was and `error` holds a text for the user that names the
// file and what is wrong with it (not a workbook, damaged, protected by a password, …).
bool ReadFirstSheet(const QString& path, SheetTable& table, QString& error);
