#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kovrel::server {

class Database;
class JsonWriter;

// Backups of an account's data. A backup is a JSON file (UTF-8):
//   {"format": "kovrel-backup", "version": 2, "schema": <schema version>, "account": <login>,
//    "created": <UTC time, ISO 8601>,
//    "tables": {"<table>": {"columns": [...], "rows": [[...], ...]}, ...},
//    "sha256": <hex SHA-256 of every byte before the "," that precedes this key>}
// holding every row of the account in every table of account data (IsAccountData; the
// account_id column itself left out), in primary-key order. Password hashes are never written,
// nor are the passwords mailed but not yet used, nor the addresses the logins sign in from.
// The checksum is last because the file is written as it is made; version 1 files have none.
//
// A backup for download waits in the database (backup_downloads), so that whichever server of
// a shared database the download reaches has it: under the SHA-256 of a random 128-bit token
// that only the administrator who asked learns (the table reveals no download address), its
// file in parts of kPartBytes. Taking it removes it in the same transaction, so of two
// downloads at once, on one server or two, only one gets the file. Backups not taken within
// kKeepHours are removed when the next one is made. The snapshot is first written to a file of
// this server's own (a read transaction cannot write), then stored, then the file goes.
class Backup {
public:
    Backup(Database& db, const QString& dataDir);

    // Writes the account's snapshot to the file, whole or not at all (FileError, StoreError):
    // call it inside a read transaction, whose snapshot makes the tables consistent with each
    // other.
    void Write(qint64 accountId, const QString& login, const QString& path);

    struct Made {
        QString token;
        QString fileName;
    };
    // Writes the account's snapshot for a one-time download; opens its own transactions.
    Made Create(qint64 accountId);

    struct Taken {
        QString fileName;
        QByteArray content;
    };
    // The backup of that token, removed from the database; nothing when there is none (never
    // made, already taken, expired, or not a token at all). Opens its own transaction.
    std::optional<Taken> Take(const QString& token);

    // Whether a table (one with an account_id column) holds account data that a backup keeps:
    // not the credentials and sign-in records that stay with the server.
    static bool IsAccountData(const QString& table);
    // The tables of account data in the database, sorted by name.
    static QStringList AccountTables(Database& db);

    static constexpr int kKeepHours = 24;
    static constexpr qsizetype kPartBytes = 1024 * 1024;
    static constexpr int kVersion = 2;
    // What the file ends with: `,"sha256":"` + 64 hex digits + `"}`.
    static constexpr QLatin1StringView kChecksumKey{",\"sha256\":\""};

private:
    QString folder() const;
    QString snapshot(qint64 accountId, const QString& name);
    void store(const QString& path, const QString& tokenHash, const QString& fileName);
    void removeExpired();

    Database& m_db;
    QString m_dataDir;
};

} // namespace kovrel::server
