#include "backup.h"

#include "database.h"
#include "json_writer.h"
#include "private_files.h"
#include "transaction.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlIndex>
#include <QSqlRecord>

#include <functional>

namespace kovrel::server {

namespace {

QString newToken() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

bool isToken(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{32}$"));
    return pattern.match(text).hasMatch();
}

// The name a backup waits under: whoever can list the folder learns nothing he could download.
QString storedName(const QString& token) {
    return QString::fromLatin1(
        QCryptographicHash::hash(token.toLatin1(), QCryptographicHash::Sha256).toHex());
}

// Columns worth keeping: the account is the file's own, hashes stay on the server.
bool keepColumn(const QString& name) {
    return name != QLatin1String("account_id") && !name.startsWith(QLatin1String("pass_hash"));
}

// The file as it is written: every byte goes into the checksum too.
class ChecksummedFile {
public:
    explicit ChecksummedFile(const QString& path)
        : m_file(path) {}
    void Put(JsonWriter& w) {
        const QByteArray bytes = w.Drain();
        m_sum.addData(bytes);
        m_file.Write(bytes);
    }
    // The checksum of everything so far, the object closed, and the file in place.
    void Finish(JsonWriter& w) {
        Put(w);
        w.Field(QLatin1StringView("sha256"), QString::fromLatin1(m_sum.result().toHex())).EndObject();
        m_file.Write(w.Take());
        m_file.Commit();
    }

private:
    PrivateFileWriter m_file;
    QCryptographicHash m_sum{QCryptographicHash::Sha256};
};

// One table's columns and rows of the account.
void writeTable(Database& db, const QString& table, qint64 accountId, JsonWriter& w,
                const std::function<void()>& flush) {
    QSqlDatabase connection = db.Connection();
    const QSqlRecord record = connection.record(table);
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        if (keepColumn(record.fieldName(i))) columns << record.fieldName(i);
    QStringList order;
    const QSqlIndex key = connection.primaryIndex(table);
    for (int i = 0; i < key.count(); ++i)
        if (keepColumn(key.fieldName(i))) order << key.fieldName(i);
    if (order.isEmpty()) order = columns;
    auto q = db.Query(QStringLiteral("SELECT %1 FROM %2 WHERE account_id = ? ORDER BY %3")
                          .arg(columns.join(QStringLiteral(", ")), table, order.join(QStringLiteral(", "))))
                 .Bind(accountId)
                 .Run();
    w.Key(QLatin1StringView(table.toLatin1())).BeginObject().Key(QLatin1StringView("columns")).BeginArray();
    for (const QString& c : columns)
        w.String(c);
    w.EndArray().Key(QLatin1StringView("rows")).BeginArray();
    for (int n = 1; q.Next(); ++n) {
        w.BeginArray();
        for (int i = 0; i < columns.size(); ++i)
            w.Value(q.Value(i));
        w.EndArray();
        if (n % 1000 == 0) flush();
    }
    w.EndArray().EndObject();
    flush();
}

} // namespace

Backup::Backup(Database& db, const QString& dataDir)
    : m_db(db)
    , m_dataDir(dataDir) {}

bool Backup::IsAccountData(const QString& table) {
    return table != QLatin1String("pending_passwords") && table != QLatin1String("known_addresses");
}

QStringList Backup::AccountTables(Database& db) {
    QSqlDatabase connection = db.Connection();
    QStringList out;
    for (const QString& table : connection.tables(QSql::Tables))
        if (IsAccountData(table) && connection.record(table).indexOf(QStringLiteral("account_id")) >= 0)
            out << table;
    out.sort();
    return out;
}

QString Backup::folder() const {
    return QDir(m_dataDir).filePath(QStringLiteral("backups"));
}

void Backup::Write(qint64 accountId, const QString& login, const QString& path) {
    ChecksummedFile file(path);
    auto version = m_db.Query(QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version")).Run();
    JsonWriter w;
    w.BeginObject()
        .Field(QLatin1StringView("format"), QStringLiteral("kovrel-backup"))
        .Field(QLatin1StringView("version"), kVersion)
        .Field(QLatin1StringView("schema"), version.Next() ? version.Int(0) : 0)
        .Field(QLatin1StringView("account"), login)
        .Field(QLatin1StringView("created"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    w.Key(QLatin1StringView("tables")).BeginObject();
    for (const QString& table : AccountTables(m_db))
        writeTable(m_db, table, accountId, w, [&] { file.Put(w); });
    w.EndObject();
    file.Finish(w);
}

Backup::Made Backup::Create(qint64 accountId) {
    removeExpired();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Made made{newToken(),
              QStringLiteral("kovrel-backup-%1.json").arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss")))};
    const QString path = snapshot(accountId, storedName(made.token));
    try {
        store(path, storedName(made.token), made.fileName);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    QFile::remove(path);
    return made;
}

// The account's snapshot in a file of the server's own, taken in one read transaction.
QString Backup::snapshot(qint64 accountId, const QString& name) {
    const QDir root(folder());
    if (!MakePrivateFolder(m_dataDir) || !MakePrivateFolder(root.path()))
        throw FileError(QStringLiteral("cannot create the backup folder %1").arg(root.path()), false);
    const QString path = root.filePath(name + QStringLiteral(".json"));
    Transaction read(m_db, Transaction::Mode::Read);
    auto login = m_db.Query(QStringLiteral("SELECT login FROM accounts WHERE id = ?")).Bind(accountId).Run();
    const QString account = login.Next() ? login.Text(0) : QString();
    Write(accountId, account, path);
    read.Commit();
    return path;
}

// The file into the database, whole or not at all.
void Backup::store(const QString& path, const QString& tokenHash, const QString& fileName) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("cannot read the backup %1").arg(path), false);
    Transaction write(m_db, Transaction::Mode::Write);
    const qint64 expires = QDateTime::currentMSecsSinceEpoch() + 3600LL * 1000 * kKeepHours;
    m_db.Query(QStringLiteral(
                   "INSERT INTO backup_downloads (token_hash, file_name, expires_ms) VALUES (?, ?, ?)"))
        .BindText(tokenHash)
        .BindText(fileName)
        .Bind(expires)
        .Run();
    for (int part = 0; !file.atEnd(); ++part) {
        const QByteArray bytes = file.read(kPartBytes);
        if (bytes.isEmpty() && !file.atEnd())
            throw FileError(QStringLiteral("cannot read the backup %1").arg(path), false);
        m_db.Query(QStringLiteral(
                       "INSERT INTO backup_download_parts (token_hash, part, bytes) VALUES (?, ?, ?)"))
            .BindText(tokenHash)
            .Bind(part)
            .Bind(bytes)
            .Run();
    }
    write.Commit();
}

std::optional<Backup::Taken> Backup::Take(const QString& token) {
    if (!isToken(token)) return std::nullopt;
    const QString stored = storedName(token);
    Transaction tx(m_db, Transaction::Mode::Write);
    auto head =
        m_db.Query(QStringLiteral("SELECT file_name, expires_ms FROM backup_downloads WHERE token_hash = ?"))
            .BindText(stored)
            .Run();
    if (!head.Next()) return std::nullopt;
    const bool expired = head.Int64(1) < QDateTime::currentMSecsSinceEpoch();
    Taken taken{head.Text(0), {}};
    if (!expired) {
        auto parts = m_db.Query(QStringLiteral("SELECT bytes FROM backup_download_parts WHERE token_hash = ? "
                                               "ORDER BY part"))
                         .BindText(stored)
                         .Run();
        while (parts.Next())
            taken.content.append(parts.Value(0).toByteArray());
    }
    // Of two downloads at once only one removes it: the other then finds nothing to remove,
    // having waited for the first one's transaction (PostgreSQL) or the write lock (SQLite).
    const int removed = m_db.Query(QStringLiteral("DELETE FROM backup_downloads WHERE token_hash = ?"))
                            .BindText(stored)
                            .Run()
                            .RowsAffected();
    tx.Commit();
    if (removed != 1 || expired) return std::nullopt;
    return taken;
}

void Backup::removeExpired() {
    m_db.Query(QStringLiteral("DELETE FROM backup_downloads WHERE expires_ms < ?"))
        .Bind(QDateTime::currentMSecsSinceEpoch())
        .Run();
    // Snapshots of a server that stopped while it stored them, and the backups an older
    // version kept on the disk.
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-3600LL * kKeepHours);
    const QDir root(folder());
    for (const QFileInfo& info : root.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (info.lastModified().toUTC() < limit) {
            if (info.isDir())
                QDir(info.filePath()).removeRecursively();
            else
                QFile::remove(info.filePath());
        }
}

} // namespace kovrel::server
