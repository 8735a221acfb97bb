#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class QuaZip;
class QXmlStreamReader;
class SheetTable;

// Reads the first worksheet of an Office Open XML workbook (.xlsx, .xlsm): the package's
// relationships lead from the workbook to its first worksheet and its shared strings; the
// sheet's cells are read as they stream out of the archive. Cell texts: shared and inline
// strings as written (rich text runs joined, phonetic hints left out), numbers as
// kovrel::sheet::NumberText, dates as their serial number, formulas as their last result.
class XlsxSheetReader {
public:
    explicit XlsxSheetReader(const QString& path);
    ~XlsxSheetReader();
    XlsxSheetReader(const XlsxSheetReader&) = delete;
    XlsxSheetReader& operator=(const XlsxSheetReader&) = delete;

    // False with Error() set when the file is not a workbook this reader understands.
    bool Read(SheetTable& table);
    QString Error() const { return m_error; }

private:
    struct Relationship {
        QString type;   // the last segment of the relationship type: "worksheet", "sharedStrings", …
        QString target; // the part it leads to, as a path inside the package
    };
    using Relationships = QHash<QString, Relationship>; // by Id

    bool readRelationships(const QString& sourcePart, Relationships& rels);
    bool findWorkbook(QString& workbookPart);
    bool findFirstSheet(const QString& workbookPart, QString& sheetPart, QString& sharedStringsPart);
    bool readSharedStrings(const QString& part);
    bool readSheet(const QString& part, SheetTable& table);
    static void readColumnWidths(const QXmlStreamReader& xml, SheetTable& table);
    bool readCell(QXmlStreamReader& xml, const QString& type, int row, int col, SheetTable& table);
    QString cellText(const QString& type, const QString& value, const QString& inlineText, bool& ok) const;

    // Opens a part and runs `parse` over its XML; false when the part is missing or malformed.
    template <class Parse>
    bool parsePart(const QString& part, Parse parse);
    bool corrupt(const QString& detail);

    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
    QStringList m_shared;
    QString m_error;
};
