#include "sheet_errors.h"

#include <QFileInfo>

namespace kovrel::sheet {

namespace {

QString name(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

QString NotWorkbookError(const QString& path) {
    return QStringLiteral("Файл «%1» не является книгой Excel (.xlsx, .xlsm или .xls).").arg(name(path));
}

QString UnreadableError(const QString& path, const QString& reason) {
    return QStringLiteral("Не удалось прочитать файл «%1»: %2.").arg(name(path), reason);
}

QString CorruptError(const QString& path, const QString& detail) {
    return QStringLiteral("Книга «%1» повреждена: %2.").arg(name(path), detail);
}

QString PasswordError(const QString& path) {
    return QStringLiteral(
               "Книга «%1» защищена паролем. Снимите пароль, сохраните книгу и загрузите ее снова.")
        .arg(name(path));
}

QString BinaryWorkbookError(const QString& path) {
    return QStringLiteral("Книга «%1» сохранена в двоичном формате .xlsb. Сохраните ее в формате .xlsx или "
                          ".xls и загрузите снова.")
        .arg(name(path));
}

QString NoSheetError(const QString& path) {
    return QStringLiteral("В книге «%1» нет ни одного листа.").arg(name(path));
}

} // namespace kovrel::sheet
