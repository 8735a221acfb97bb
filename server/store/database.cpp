#include "database.h"

#include "private_files.h"
#include "statement_cache.h"
#include "store_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>

#include <map>
#include <memory>

namespace kovrel::server {

std::atomic<int> Database::s_instances{0};

namespace {

// The connections that the current thread opened, by database instance, each with the
// statements prepared on it; closed and removed when the thread ends (a worker of the HTTP
// pool) or the database is destroyed (main thread).
struct ThreadConnection {
    QString name;
    std::shared_ptr<StatementCache> statements = std::make_shared<StatementCache>();
};

struct ThreadConnections {
    std::map<int, ThreadConnection> open;
    ~ThreadConnections() {
        for (auto& [instance, connection] : open)
            drop(connection);
    }
    // The statements go first: a connection closes only once nothing is prepared on it.
    static void drop(ThreadConnection& connection) {
        connection.statements.reset();
        {
            QSqlDatabase db = QSqlDatabase::database(connection.name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection.name);
    }
};

thread_local ThreadConnections t_connections;

} // namespace

std::optional<DatabaseAddress> DatabaseAddress::Parse(const QString& text, QString* error) {
    DatabaseAddress a;
    if (text.startsWith(QLatin1String("sqlite:"))) {
        a.kind = SqlDialect::Kind::Sqlite;
        a.path = text.mid(7);
        if (!a.path.isEmpty()) return a;
    } else if (text.startsWith(QLatin1String("postgresql://")) ||
               text.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(text, QUrl::StrictMode);
        a.kind = SqlDialect::Kind::Postgres;
        a.host = url.host();
        a.port = url.port(5432);
        a.user = url.userName();
        a.password = url.password();
        a.name = url.path().mid(1);
        if (url.isValid() && !a.host.isEmpty() && !a.name.isEmpty()) return a;
    }
    if (error)
        *error = QStringLiteral("--db expects sqlite:PATH or postgresql://user@host:port/dbname, not \"%1\"")
                     .arg(text);
    return std::nullopt;
}

QString DatabaseAddress::Describe() const {
    if (kind == SqlDialect::Kind::Sqlite) return QStringLiteral("sqlite:") + path;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(name);
}

Database::Database(DatabaseAddress address)
    : m_address(std::move(address))
    , m_dialect(m_address.kind)
    , m_instance(++s_instances) {}

Database::~Database() {
    auto it = t_connections.open.find(m_instance);
    if (it == t_connections.open.end()) return;
    ThreadConnections::drop(it->second);
    t_connections.open.erase(it);
}

bool Database::Open() {
    try {
        if (m_dialect.IsSqlite()) {
            // The file holds every account's data: owner-only, and so are the journals that
            // SQLite makes beside it with the file's own mode.
            const QString folder = QFileInfo(m_address.path).absolutePath();
            if (!QFileInfo::exists(folder)) MakePrivateFolder(folder);
            if (!MakePrivateFile(m_address.path, {QStringLiteral("-wal"), QStringLiteral("-shm")}))
                throw StoreError(QStringLiteral("cannot create %1 owner-only").arg(m_address.path), false);
        }
        Connection();
        if (m_dialect.IsSqlite()) {
            // WAL lets readers go on while one writer works; it is a property of the file.
            auto q = Query(QStringLiteral("PRAGMA journal_mode=WAL")).Run();
            if (!q.Next() || q.Text(0).compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
                throw StoreError(QStringLiteral("cannot switch the database to WAL mode"), false);
        }
        return true;
    } catch (const StoreError& e) {
        m_error = e.Message();
        return false;
    }
}

QSqlDatabase Database::Connection() {
    return threadConnection().first;
}

SqlQuery Database::Query(const QString& sql) {
    auto [db, statements] = threadConnection();
    return SqlQuery(db, m_dialect, sql, statements);
}

Database::NativeConnection Database::Native() {
    auto [db, statements] = threadConnection();
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || !handle.constData())
        throw StoreError(QStringLiteral("the database driver gives no handle"), false);
    return {*static_cast<void* const*>(handle.constData()), statements};
}

std::pair<QSqlDatabase, std::weak_ptr<StatementCache>> Database::threadConnection() {
    auto it = t_connections.open.find(m_instance);
    if (it != t_connections.open.end()) {
        QSqlDatabase db = QSqlDatabase::database(it->second.name, false);
        // A connection the database server dropped (a restart) is opened afresh, so that the
        // service goes on as soon as the database is back.
        if (db.isOpen() && !m_dialect.IsConnectionLost(db.driver())) return {db, it->second.statements};
        ThreadConnections::drop(it->second);
        t_connections.open.erase(it);
    }
    const QString name = QStringLiteral("kovrel-%1-%2")
                             .arg(m_instance)
                             .arg(reinterpret_cast<quintptr>(QThread::currentThreadId()), 0, 16);
    QSqlDatabase db = openConnection(name);
    it = t_connections.open.emplace(m_instance, ThreadConnection{name}).first;
    return {db, it->second.statements};
}

QSqlDatabase Database::openConnection(const QString& name) {
    const bool sqlite = m_dialect.IsSqlite();
    QSqlDatabase db =
        QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
    if (sqlite) {
        db.setDatabaseName(m_address.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    } else {
        db.setHostName(m_address.host);
        db.setPort(m_address.port);
        db.setUserName(m_address.user);
        db.setPassword(m_address.password);
        db.setDatabaseName(m_address.name);
        // A database server that does not answer is given up on soon: the request gets 503
        // rather than waiting for the system's TCP timeout.
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds));
    }
    if (!sqlite) db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble); // SUM() of integers is NUMERIC
    if (!db.open()) {
        const QString why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw StoreError(QStringLiteral("cannot open %1: %2").arg(m_address.Describe(), why), false, false,
                         !sqlite);
    }
    if (sqlite) {
        // Per connection: enforce references, and let no commit be answered before it is on
        // the disk, so that a power cut cannot take back what a client was told was stored.
        SqlQuery(db, m_dialect, QStringLiteral("PRAGMA foreign_keys=ON")).Run();
        SqlQuery(db, m_dialect, QStringLiteral("PRAGMA synchronous=FULL")).Run();
    } else {
        // Notices ("already exists, skipping") are not worth a line in the log.
        QSqlQuery(db).exec(QStringLiteral("SET client_min_messages TO WARNING"));
    }
    return db;
}

void Database::Exec(const QString& sql) {
    // Not prepared: PostgreSQL cannot prepare DDL or transaction control.
    QSqlQuery q(Connection());
    if (!q.exec(sql)) {
        const QSqlError error = q.lastError();
        throw StoreError(
            QStringLiteral("%1 [%2] in: %3").arg(error.text(), error.nativeErrorCode(), sql.simplified()),
            m_dialect.IsRetryable(error), m_dialect.IsDiskFull(error),
            m_dialect.IsConnectionLost(q.driver()));
    }
}

} // namespace kovrel::server
