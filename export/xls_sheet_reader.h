#pragma once

#include <QString>

class SheetTable;

// Reads the first worksheet of a binary Excel workbook (.xls, BIFF5 and BIFF8) through FreeXL.
// Cell texts as the Office Open XML reader gives them: numbers as kovrel::sheet::NumberText,
// dates and times as their serial number.
class XlsSheetReader {
public:
    explicit XlsSheetReader(const QString& path);

    // False with Error() set when the file cannot be read.
    bool Read(SheetTable& table);
    QString Error() const { return m_error; }

private:
    bool readCells(const void* handle, SheetTable& table);
    bool fail(int code);
    // An Office Open XML workbook saved with a password is a compound file too; FreeXL finds no
    // workbook in it.
    bool isEncryptedPackage() const;

    QString m_path;
    QString m_error;
};
