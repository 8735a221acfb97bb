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

#include <stdexcept>

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

// Tables of credentials rather than data stay on the server, like the hashes in the others.
bool keepTable(const QString& name) {
    return name != QLatin1String("pending_passwords");
}

// Columns worth keeping: the account is the file's own, hashes stay on the server.
bool keepColumn(const QString& name) {
    return name != QLatin1String("account_id") && !name.startsWith(QLatin1String("pass_hash"));
}

void writeOut(QFile& file, JsonWriter& w) {
    const QByteArray bytes = w.Drain();
    if (file.write(bytes) != bytes.size())
        throw std::runtime_error("backup file not written: " + file.errorString().toStdString());
}

} // namespace

Backup::Backup(Database& db, const QString& dataDir)
    : m_db(db)
    , m_dataDir(dataDir) {}

QString Backup::folder() const {
    return QDir(m_dataDir).filePath(QStringLiteral("backups"));
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
        throw std::runtime_error("backup folder not created");
    QFile file(QDir(part).filePath(made.fileName));
    try {
        if (!file.open(QIODevice::WriteOnly) || !MakePrivate(file))
            throw std::runtime_error("backup file not created");
        auto version =
            m_db.Query(QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version")).Run();
        JsonWriter w;
        w.BeginObject()
            .Field(QLatin1StringView("format"), QStringLiteral("kovrel-backup"))
            .Field(QLatin1StringView("version"), 1)
            .Field(QLatin1StringView("schema"), version.Next() ? version.Int(0) : 0)
            .Field(QLatin1StringView("account"), login)
            .Field(QLatin1StringView("created"), now.toString(Qt::ISODate));
        w.Key(QLatin1StringView("tables")).BeginObject();
        writeTables(accountId, w, file);
        w.EndObject().EndObject();
        writeOut(file, w);
        if (!file.flush()) throw std::runtime_error("backup file not written");
        file.close();
        if (!QDir().rename(part, root.filePath(storedName(made.token))))
            throw std::runtime_error("backup not put in place");
    } catch (...) {
        file.close();
        QDir(part).removeRecursively();
        throw;
    }
    return made;
}

void Backup::writeTables(qint64 accountId, JsonWriter& w, QFile& file) {
    QSqlDatabase connection = m_db.Connection();
    QStringList tables = connection.tables(QSql::Tables);
    tables.sort();
    for (const QString& table : tables) {
        const QSqlRecord record = connection.record(table);
        if (record.indexOf(QStringLiteral("account_id")) < 0 || !keepTable(table)) continue;
        QStringList columns;
        for (int i = 0; i < record.count(); ++i)
            if (keepColumn(record.fieldName(i))) columns << record.fieldName(i);
        QStringList order;
        const QSqlIndex key = connection.primaryIndex(table);
        for (int i = 0; i < key.count(); ++i)
            if (keepColumn(key.fieldName(i))) order << key.fieldName(i);
        if (order.isEmpty()) order = columns;
        auto q =
            m_db.Query(QStringLiteral("SELECT %1 FROM %2 WHERE account_id = ? ORDER BY %3")
                           .arg(columns.join(QStringLiteral(", ")), table, order.join(QStringLiteral(", "))))
                .Bind(accountId)
                .Run();
        w.Key(QLatin1StringView(table.toLatin1()))
            .BeginObject()
            .Key(QLatin1StringView("columns"))
            .BeginArray();
        for (const QString& c : columns)
            w.String(c);
        w.EndArray().Key(QLatin1StringView("rows")).BeginArray();
        for (int n = 1; q.Next(); ++n) {
            w.BeginArray();
            for (int i = 0; i < columns.size(); ++i)
                w.Value(q.Value(i));
            w.EndArray();
            if (n % 1000 == 0) writeOut(file, w);
        }
        w.EndArray().EndObject();
        writeOut(file, w);
    }
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
