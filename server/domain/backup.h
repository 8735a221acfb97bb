#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;

namespace kovrel::server {

class Database;
class JsonWriter;

// Backups of an account's data, each downloadable once. A backup is a JSON file (UTF-8):
//   {"format": "kovrel-backup", "version": 1, "schema": <schema version>, "account": <login>,
//    "created": <UTC time, ISO 8601>,
//    "tables": {"<table>": {"columns": [...], "rows": [[...], ...]}, ...}}
// holding every row of the account in every table that has an account_id column (that column
// itself left out), in primary-key order. Password hashes are never written, nor are the
// passwords mailed but not yet used.
//
// Each file waits in its own folder under <data folder>/backups/, owner-only like the file,
// named by the SHA-256 of a random 128-bit token that only the administrator who asked learns:
// listing the folder reveals no download address. Taking it moves the folder away first, so of
// two downloads at once only one gets the file. Backups not taken within kKeepHours are removed
// when the next one is made.
class Backup {
public:
    Backup(Database& db, const QString& dataDir);

    struct Made {
        QString token;
        QString fileName;
    };
    // Writes the account's snapshot: call it inside a read transaction, whose snapshot makes
    // the tables consistent with each other. Throws StoreError or std::runtime_error.
    Made Create(qint64 accountId, const QString& login);

    struct Taken {
        QString fileName;
        QByteArray content;
    };
    // The backup of that token, removed from the disk; nothing when there is none (never
    // made, already taken, expired, or not a token at all).
    std::optional<Taken> Take(const QString& token);

    static constexpr int kKeepHours = 24;

private:
    QString folder() const;
    void removeExpired() const;
    void writeTables(qint64 accountId, JsonWriter& w, QFile& file);

    Database& m_db;
    QString m_dataDir;
};

} // namespace kovrel::server
