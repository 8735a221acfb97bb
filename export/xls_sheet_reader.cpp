#include "xls_sheet_reader.h"

#include "sheet_cell_text.h"
#include "sheet_errors.h"
#include "sheet_table.h"

#include <QFile>

#include <freexl.h>

namespace {

// Closes the workbook however reading ends (FreeXL wants that after a failed open, too).
class FreeXlHandle {
public:
    ~FreeXlHandle() {
        if (handle) freexl_close(handle);
    }
    const void* handle = nullptr;
};

QString reasonOf(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("файл не найден");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("недостаточно памяти");
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("кодировка текста в книге не поддерживается");
    default:
        return QStringLiteral("ошибка FreeXL %1").arg(code);
    }
}

QString cellText(const FreeXL_CellValue& v) {
    using namespace kovrel::sheet;
    switch (v.type) {
    case FREEXL_CELL_INT:
        return QString::number(v.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return NumberText(v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QString::fromUtf8(v.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return DateText(QString::fromLatin1(v.value.text_value));
    default:
        return {};
    }
}

} // namespace

XlsSheetReader::XlsSheetReader(const QString& path)
    : m_path(path) {}

bool XlsSheetReader::Read(SheetTable& table) {
    FreeXlHandle xls;
    const int opened = freexl_open(QFile::encodeName(m_path).constData(), &xls.handle);
    if (opened != FREEXL_OK) return fail(opened);
    // FreeXL opens an encrypted workbook without a handle, as it cannot read on.
    unsigned int protection = 0;
    if (!xls.handle || (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK &&
                        protection == FREEXL_BIFF_OBFUSCATED)) {
        m_error = kovrel::sheet::PasswordError(m_path);
        return false;
    }
    unsigned int sheets = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
        m_error = kovrel::sheet::NoSheetError(m_path);
        return false;
    }
    SheetTable read;
    if (!readCells(xls.handle, read)) return false;
    table = std::move(read);
    return true;
}

bool XlsSheetReader::readCells(const void* handle, SheetTable& table) {
    int code = freexl_select_active_worksheet(handle, 0);
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (code == FREEXL_OK) code = freexl_worksheet_dimensions(handle, &rows, &cols);
    if (code != FREEXL_OK) return fail(code);
    if (rows > static_cast<unsigned>(SheetTable::kMaxRows) || cols > SheetTable::kMaxCols)
        return fail(FREEXL_ILLEGAL_CELL_ROW_COL);
    if (rows > 0 && cols > 0) table.Extend(static_cast<int>(rows), cols);
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue value;
            code = freexl_get_cell_value(handle, r, c, &value);
            if (code != FREEXL_OK) return fail(code);
            table.SetCell(static_cast<int>(r) + 1, c + 1, cellText(value));
        }
    }
    return true;
}

bool XlsSheetReader::fail(int code) {
    using namespace kovrel::sheet;
    if (code == FREEXL_BIFF_WORKBOOK_NOT_FOUND && isEncryptedPackage())
        m_error = PasswordError(m_path);
    else if (code == FREEXL_FILE_NOT_FOUND || code == FREEXL_INSUFFICIENT_MEMORY ||
             code == FREEXL_UNSUPPORTED_CHARSET)
        m_error = UnreadableError(m_path, reasonOf(code));
    else if (code == FREEXL_BIFF_WORKBOOK_NOT_FOUND)
        m_error = NotWorkbookError(m_path);
    else
        m_error = CorruptError(m_path, reasonOf(code));
    return false;
}

bool XlsSheetReader::isEncryptedPackage() const {
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    // The stream's name in the compound file's directory, in UTF-16LE.
    QByteArray name;
    for (const char ch : QByteArrayLiteral("EncryptedPackage"))
        name.append(ch).append('\0');
    return f.readAll().contains(name);
}
