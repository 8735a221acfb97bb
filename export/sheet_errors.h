#pragma once

#include <QString>

// What the user is told when a workbook cannot be read; each text names the file.
namespace kovrel::sheet {

QString NotWorkbookError(const QString& path);
QString UnreadableError(const QString& path, const QString& reason);
QString CorruptError(const QString& path, const QString& detail);
QString PasswordError(const QString& path);
QString BinaryWorkbookError(const QString& path);
QString NoSheetError(const QString& path);

} // namespace kovrel::sheet
