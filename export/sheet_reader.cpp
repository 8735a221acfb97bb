#include "sheet_reader.h"

#include "sheet_errors.h"
#include "xls_sheet_reader.h"
#include "xlsx_sheet_reader.h"

#include <QFile>

namespace {

enum class Container { Zip, Compound, Other };

Container containerOf(const QByteArray& head) {
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06")) return Container::Zip;
    if (head.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"))) return Container::Compound;
    return Container::Other;
}

template <class Reader>
bool readWith(const QString& path, SheetTable& table, QString& error) {
    Reader reader(path);
    if (reader.Read(table)) return true;
    error = reader.Error();
    return false;
}

} // namespace

bool ReadFirstSheet(const QString& path, SheetTable& table, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = kovrel::sheet::UnreadableError(path, file.errorString());
        return false;
    }
    const Container container = containerOf(file.read(8));
    file.close();
    switch (container) {
    case Container::Zip:
        return readWith<XlsxSheetReader>(path, table, error);
    case Container::Compound:
        return readWith<XlsSheetReader>(path, table, error);
    case Container::Other:
        break;
    }
    error = kovrel::sheet::NotWorkbookError(path);
    return false;
}
