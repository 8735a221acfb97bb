#include "upd_export.h"

#include "upd_builder.h"
#include "upd_xml.h"

#include <QDir>
#include <QTemporaryFile>
#include <QUuid>

#include <sys/stat.h>

namespace {

// A file made by the program gets the permissions the user's umask gives new files.
QFileDevice::Permissions newFilePermissions() {
    const mode_t mask = umask(0);
    umask(mask);
    QFileDevice::Permissions p;
    const std::pair<mode_t, QFileDevice::Permission> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner}, {S_IWUSR, QFileDevice::WriteOwner},
        {S_IRGRP, QFileDevice::ReadGroup}, {S_IWGRP, QFileDevice::WriteGroup},
        {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther}};
    for (const auto& [bit, permission] : bits)
        if (!(mask & bit)) p |= permission;
    return p;
}

// Writes the bytes under a temporary name in the folder, then gives the file its name, which
// fails rather than replace a file of that name. Empty on success, else why not.
QString writeNewFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QDir dir(folder);
    if (!dir.exists()) return QStringLiteral("папки «%1» нет").arg(QDir::toNativeSeparators(folder));
    const QString path = dir.filePath(name);
    if (QFileInfo::exists(path))
        return QStringLiteral("файл «%1» уже есть").arg(QDir::toNativeSeparators(path));
    QTemporaryFile file(dir.filePath(QStringLiteral(".upd-XXXXXX.part")));
    if (!file.open())
        return QStringLiteral("в папку «%1» нельзя записать файл: %2").arg(folder, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("файл не записан: %1").arg(file.errorString());
    file.setPermissions(newFilePermissions());
    // Renamed, the file is no longer temporary: it must outlive this object.
    const QString part = file.fileName();
    file.setAutoRemove(false);
    if (!file.rename(path)) {
        QFile::remove(part);
        return QStringLiteral("файл «%1» не записан: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return {};
}

} // namespace

TUpdExport TUpdExport::Write(const TDocPrintData& data, const QString& folder,
                             std::optional<TUpdStatus> status) {
    TUpdExport result;
    const TUpdBuilder upd(data, status);
    if (!upd.Ok()) {
        result.failure = upd.Failure();
        return result;
    }
    const TUpdXml xml(upd.Document(), QUuid::createUuid().toString(QUuid::WithoutBraces),
                      QDateTime::currentDateTime());
    result.failure = writeNewFile(folder, xml.FileName(), xml.Bytes());
    if (!result.failure.isEmpty()) {
        result.failure[0] = result.failure[0].toUpper();
        return result;
    }
    result.path = QDir(folder).filePath(xml.FileName());
    result.lost = xml.LostTexts();
    return result;
}

QString TUpdExport::LostMessage(int documentNumber) const {
    if (lost.isEmpty()) return {};
    return QStringLiteral("УПД по накладной № %1: знаки, которых нет в кодировке windows-1251, записаны как "
                          "«?» (%2)")
        .arg(documentNumber)
        .arg(lost.join(QStringLiteral(", ")));
}
