#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

namespace kovrel::server {

// A backup file (Backup) read back for a restore, or only checked.
struct BackupFile {
    int version = 0;
    int schema = 0;
    QString account;
    QString created;
    QJsonObject tables;

    // Whether the file is whole and unchanged, read without parsing it when it carries a
    // checksum (a file of version 1 is parsed instead). Nothing when it is; otherwise why not,
    // as a sentence.
    static std::optional<QString> Damage(const QString& path);
    // The file checked and parsed; nothing, with `error` set, when it is damaged or no backup.
    static std::optional<BackupFile> Read(const QString& path, QString* error);
};

} // namespace kovrel::server
