#include "backup.h"

#include "database.h"
#include "json_writer.h"
#include "private_files.h"

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

Backup::Made Backup::Create(qint64 accountId, const QString& login) {
    removeExpired();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Made made{newToken(),
              QStringLiteral("kovrel-backup-%1.json").arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss")))};
    // Written beside its final place and moved there whole, so nobody takes half a file.
    const QDir root(folder());
    const QString part = root.filePath(storedName(made.token) + QStringLiteral(".part"));
    if (!MakePrivateFolder(m_dataDir) || !MakePrivateFolder(root.path()) || !MakePrivateFolder(part))
        throw FileError(QStringLiteral("cannot create the backup folder %1").arg(part), false);
    try {
        Write(accountId, login, QDir(part).filePath(made.fileName));
        if (!QDir().rename(part, root.filePath(storedName(made.token))))
            throw FileError(QStringLiteral("cannot put the backup %1 in place").arg(part), false);
    } catch (...) {
        QDir(part).removeRecursively();
        throw;
    }
    return made;
}

std::optional<Backup::Taken> Backup::Take(const QString& token) {
    if (!isToken(token)) return std::nullopt;
    const QDir root(folder());
    // The move is atomic: a second download at the same moment finds nothing to move.
    const QString stored = storedName(token);
    const QString taken = root.filePath(QStringLiteral("%1.taken-%2").arg(stored, newToken()));
    if (!QDir().rename(root.filePath(stored), taken)) return std::nullopt;
    QDir dir(taken);
    std::optional<Taken> out;
    const QStringList files = dir.entryList(QDir::Files);
    if (files.size() == 1) {
        QFile file(dir.filePath(files.first()));
        if (file.open(QIODevice::ReadOnly)) out = Taken{files.first(), file.readAll()};
    }
    dir.removeRecursively();
    return out;
}

void Backup::removeExpired() const {
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-3600LL * kKeepHours);
    const QDir root(folder());
    for (const QFileInfo& info : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (info.lastModified().toUTC() < limit) QDir(info.filePath()).removeRecursively();
}

} // namespace kovrel::server
