#include "xlsx_sheet_reader.h"

#include "sheet_cell_text.h"
#include "sheet_errors.h"
#include "sheet_table.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>

#include <algorithm>
#include <cmath>

namespace {

using kovrel::sheet::CorruptError;

// "B7" -> column 2, row 7. False for anything else, and for cells beyond the sheet's limits.
bool parseCellRef(QStringView ref, int& row, int& col) {
    qsizetype i = 0;
    qint64 c = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i) {
        const char16_t ch = ref[i].toUpper().unicode();
        if (ch < u'A' || ch > u'Z') return false;
        c = c * 26 + (ch - u'A' + 1);
        if (c > SheetTable::kMaxCols) return false;
    }
    if (i == 0 || i == ref.size()) return false;
    bool ok = false;
    const qint64 r = ref.mid(i).toLongLong(&ok);
    if (!ok || r < 1 || r > SheetTable::kMaxRows || !ref[i].isDigit()) return false;
    row = static_cast<int>(r);
    col = static_cast<int>(c);
    return true;
}

// Characters that XML cannot carry are written "_xHHHH_"; "_x005F_" stands for "_" itself.
QString decodeEscapes(const QString& text) {
    if (!text.contains(QLatin1String("_x"))) return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    auto it = escape.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += QChar(static_cast<char16_t>(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

// The text of a shared or inline string: its runs joined, phonetic hints left out. Reads up to
// the end of the element the reader stands on.
QString richText(QXmlStreamReader& xml) {
    const QString element = xml.name().toString();
    QString text;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                xml.skipCurrentElement();
            else if (xml.name() == u"t")
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (token == QXmlStreamReader::EndElement && xml.name() == element) {
            break;
        }
    }
    return decodeEscapes(text);
}

// The value of an attribute by its local name, whatever its namespace prefix.
QString attribute(const QXmlStreamReader& xml, QStringView localName) {
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == localName) return a.value().toString();
    return {};
}

// The folder of a part: "xl/workbook.xml" -> "xl"; the package itself is "".
QString folderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

QString relationshipsPartOf(const QString& sourcePart) {
    if (sourcePart.isEmpty()) return QStringLiteral("_rels/.rels");
    const QString folder = folderOf(sourcePart);
    const QString file = sourcePart.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + file +
           QStringLiteral(".rels");
}

// A relationship's target as a path inside the package; empty when it points outside it.
QString resolveTarget(const QString& sourcePart, const QString& target) {
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    QString path = decoded.startsWith(QLatin1Char('/')) ? decoded.mid(1)
                                                        : folderOf(sourcePart) + QLatin1Char('/') + decoded;
    path = QDir::cleanPath(path);
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path.startsWith(QLatin1String("..")) ? QString() : path;
}

} // namespace

XlsxSheetReader::XlsxSheetReader(const QString& path)
    : m_path(path)
    , m_zip(std::make_unique<QuaZip>(path)) {}

XlsxSheetReader::~XlsxSheetReader() = default;

bool XlsxSheetReader::corrupt(const QString& detail) {
    if (m_error.isEmpty()) m_error = CorruptError(m_path, detail);
    return false;
}

template <class Parse>
bool XlsxSheetReader::parsePart(const QString& part, Parse parse) {
    if (!m_zip->setCurrentFile(part, QuaZip::csInsensitive))
        return corrupt(QStringLiteral("нет части %1").arg(part));
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        return corrupt(
            QStringLiteral("часть %1 не распаковывается (код %2)").arg(part).arg(file.getZipError()));
    QXmlStreamReader xml(&file);
    if (!parse(xml)) return false;
    if (xml.hasError())
        return corrupt(
            QStringLiteral("часть %1, строка %2: %3").arg(part).arg(xml.lineNumber()).arg(xml.errorString()));
    file.close();
    if (file.getZipError() != UNZ_OK)
        return corrupt(QStringLiteral("часть %1 не сходится с контрольной суммой").arg(part));
    return true;
}

bool XlsxSheetReader::Read(SheetTable& table) {
    if (!m_zip->open(QuaZip::mdUnzip))
        return corrupt(QStringLiteral("архив не открывается (код %1)").arg(m_zip->getZipError()));
    QString workbook, sheet, sharedStrings;
    if (!findWorkbook(workbook) || !findFirstSheet(workbook, sheet, sharedStrings)) return false;
    if (!sharedStrings.isEmpty() && !readSharedStrings(sharedStrings)) return false;
    SheetTable read;
    if (!readSheet(sheet, read)) return false;
    table = std::move(read);
    return true;
}

bool XlsxSheetReader::readRelationships(const QString& sourcePart, Relationships& rels) {
    return parsePart(relationshipsPartOf(sourcePart), [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship") continue;
            if (attribute(xml, u"TargetMode") == QLatin1String("External")) continue;
            const QString type = attribute(xml, u"Type");
            rels.insert(attribute(xml, u"Id"), {type.mid(type.lastIndexOf(QLatin1Char('/')) + 1),
                                                resolveTarget(sourcePart, attribute(xml, u"Target"))});
        }
        return true;
    });
}

bool XlsxSheetReader::findWorkbook(QString& workbookPart) {
    Relationships rels;
    if (!m_zip->setCurrentFile(relationshipsPartOf(QString()), QuaZip::csInsensitive)) {
        m_error = kovrel::sheet::NotWorkbookError(m_path);
        return false;
    }
    if (!readRelationships(QString(), rels)) return false;
    for (const Relationship& r : std::as_const(rels))
        if (r.type == QLatin1String("officeDocument")) workbookPart = r.target;
    if (workbookPart.isEmpty()) {
        m_error = kovrel::sheet::NotWorkbookError(m_path);
        return false;
    }
    if (!workbookPart.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
        m_error = kovrel::sheet::BinaryWorkbookError(m_path);
        return false;
    }
    return true;
}

// The first sheet in the workbook's order that is a worksheet (chart sheets do not count).
bool XlsxSheetReader::findFirstSheet(const QString& workbookPart, QString& sheetPart,
                                     QString& sharedStringsPart) {
    Relationships rels;
    if (!readRelationships(workbookPart, rels)) return false;
    QStringList sheetIds;
    const bool parsed = parsePart(workbookPart, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
                sheetIds << attribute(xml, u"id");
        return true;
    });
    if (!parsed) return false;
    for (const QString& id : std::as_const(sheetIds)) {
        const Relationship r = rels.value(id);
        if (r.type == QLatin1String("worksheet") && !r.target.isEmpty()) {
            sheetPart = r.target;
            break;
        }
    }
    for (const Relationship& r : std::as_const(rels))
        if (r.type == QLatin1String("sharedStrings")) sharedStringsPart = r.target;
    if (sheetPart.isEmpty()) {
        m_error = kovrel::sheet::NoSheetError(m_path);
        return false;
    }
    return true;
}

bool XlsxSheetReader::readSharedStrings(const QString& part) {
    return parsePart(part, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
                m_shared << richText(xml);
        return true;
    });
}

// Rows and cells may leave out their references; they then follow the previous ones.
bool XlsxSheetReader::readSheet(const QString& part, SheetTable& table) {
    return parsePart(part, [&](QXmlStreamReader& xml) {
        int row = 0;
        int col = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == u"row") {
                const QString r = attribute(xml, u"r");
                bool ok = true;
                row = r.isEmpty() ? row + 1 : r.toInt(&ok);
                if (!ok || row < 1 || row > SheetTable::kMaxRows)
                    return corrupt(QStringLiteral("неверный номер строки «%1»").arg(r));
                col = 0;
            } else if (xml.name() == u"col") {
                readColumnWidths(xml, table);
            } else if (xml.name() == u"c") {
                const QXmlStreamAttributes attributes = xml.attributes();
                const QString ref = attributes.value(QLatin1String("r")).toString();
                if (ref.isEmpty()) {
                    row = std::max(row, 1);
                    if (++col > SheetTable::kMaxCols)
                        return corrupt(QStringLiteral("слишком много столбцов"));
                } else if (!parseCellRef(ref, row, col)) {
                    return corrupt(QStringLiteral("неверная ссылка на ячейку «%1»").arg(ref));
                }
                if (!readCell(xml, attributes.value(QLatin1String("t")).toString(), row, col, table))
                    return false;
            }
        }
        return true;
    });
}

// A file's column width counts the 5 pixels of cell padding too, at 7 pixels per digit of the
// default font; the spreadsheet shows the width without them, to two decimals.
void XlsxSheetReader::readColumnWidths(const QXmlStreamReader& xml, SheetTable& table) {
    const double width = attribute(xml, u"width").toDouble();
    const int first = attribute(xml, u"min").toInt();
    const int last = std::min(attribute(xml, u"max").toInt(), SheetTable::kMaxCols);
    if (width <= 0 || first < 1) return;
    const double pixels = std::floor(width * 7 + 0.5);
    const double shown = std::max(0.0, std::round((pixels - 5) / 7 * 100) / 100);
    for (int col = first; col <= last; ++col)
        table.SetColumnWidth(col, shown);
}

bool XlsxSheetReader::readCell(QXmlStreamReader& xml, const QString& type, int row, int col,
                               SheetTable& table) {
    QString value;
    QString inlineText;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"c") break;
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"v")
            value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == u"is")
            inlineText = richText(xml);
        else
            xml.skipCurrentElement();
    }
    bool ok = true;
    const QString text = cellText(type, value, inlineText, ok);
    if (!ok) return corrupt(QStringLiteral("ячейка ссылается на несуществующую строку «%1»").arg(value));
    table.SetCell(row, col, text);
    return true;
}

QString XlsxSheetReader::cellText(const QString& type, const QString& value, const QString& inlineText,
                                  bool& ok) const {
    using namespace kovrel::sheet;
    if (type == QLatin1String("s")) {
        const int index = value.trimmed().toInt(&ok);
        ok = ok && index >= 0 && index < m_shared.size();
        return ok ? m_shared.at(index) : QString();
    }
    if (type == QLatin1String("inlineStr")) return inlineText;
    if (type == QLatin1String("str") || type == QLatin1String("e")) return decodeEscapes(value);
    if (type == QLatin1String("b"))
        return value.isEmpty()               ? value
               : value == QLatin1String("1") ? QStringLiteral("TRUE")
                                             : QStringLiteral("FALSE");
    if (type == QLatin1String("d")) return DateText(value);
    return value.isEmpty() ? value : NumberText(value);
}
