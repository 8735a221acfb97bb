#include "restore.h"

#include "accounts.h"
#include "backup.h"
#include "backup_file.h"
#include "database.h"
#include "schema_migrations.h"
#include "transaction.h"

#include <QJsonArray>
#include <QMap>
#include <QSet>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace kovrel::server {

namespace {

// The account's number in the scratch database.
constexpr qint64 kScratchAccount = 1;

// A reference of a table's rows to the rows of a table (its own, maybe), as SQLite reports it.
struct Reference {
    QString table;
    QStringList from;
    QStringList to;
};

QList<Reference> referencesOf(Database& db, const QString& table) {
    auto q = db.Query(QStringLiteral("SELECT id, \"table\", \"from\", \"to\" FROM pragma_foreign_key_list(?) "
                                     "ORDER BY id, seq"))
                 .Bind(table)
                 .Run();
    QList<Reference> out;
    int last = -1;
    while (q.Next()) {
        if (q.Int(0) != last) out.append({q.Text(1), {}, {}});
        last = q.Int(0);
        out.last().from << q.Text(2);
        out.last().to << q.Text(3);
    }
    return out;
}

QStringList columnsOf(Database& db, const QString& table) {
    const QSqlRecord record = db.Connection().record(table);
    QStringList out;
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i) != QLatin1String("account_id")) out << record.fieldName(i);
    return out;
}

QStringList keyOf(Database& db, const QString& table) {
    auto q = db.Query(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"))
                 .Bind(table)
                 .Run();
    QStringList out;
    while (q.Next())
        if (q.Text(0) != QLatin1String("account_id")) out << q.Text(0);
    return out;
}

// The tables in an order in which every table comes after those its rows refer to.
QStringList loadOrder(Database& scratch) {
    const QStringList tables = Backup::AccountTables(scratch);
    QHash<QString, QSet<QString>> needs;
    for (const QString& t : tables)
        for (const Reference& r : referencesOf(scratch, t))
            if (r.table != t && tables.contains(r.table)) needs[t].insert(r.table);
    QStringList order;
    while (order.size() < tables.size()) {
        const qsizetype before = order.size();
        for (const QString& t : tables)
            if (!order.contains(t) && std::all_of(needs[t].cbegin(), needs[t].cend(),
                                                  [&](const QString& n) { return order.contains(n); }))
                order << t;
        if (order.size() == before)
            throw RestoreError(QStringLiteral("the tables refer to each other in a circle"));
    }
    return order;
}

QString placeholders(qsizetype n) {
    QStringList marks;
    for (qsizetype i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

// The backup's rows in the scratch database, whose schema is the backup's own.
void loadScratch(Database& scratch, const BackupFile& backup) {
    scratch.Exec(QStringLiteral("PRAGMA foreign_keys=OFF")); // checked once all is in
    Transaction tx(scratch, Transaction::Mode::Write);
    scratch
        .Query(QStringLiteral("INSERT INTO accounts (id, login, login_key, created_at) VALUES (?, ?, ?, ?)"))
        .Bind(kScratchAccount)
        .Bind(backup.account)
        .Bind(Accounts::LoginKey(backup.account))
        .Bind(backup.created)
        .Run();
    const QStringList known = Backup::AccountTables(scratch);
    for (auto it = backup.tables.constBegin(); it != backup.tables.constEnd(); ++it) {
        const QString table = it.key();
        if (!known.contains(table))
            throw RestoreError(
                QStringLiteral("damaged: schema %1 has no table %2").arg(backup.schema).arg(table));
        QStringList columns;
        for (const QJsonValue& c : it.value().toObject().value(QLatin1String("columns")).toArray())
            columns << c.toString();
        const QStringList real = columnsOf(scratch, table);
        for (const QString& c : columns)
            if (!real.contains(c))
                throw RestoreError(QStringLiteral("damaged: table %1 has no column \"%2\"").arg(table, c));
        const QString sql = QStringLiteral("INSERT INTO %1 (account_id, %2) VALUES (?, %3)")
                                .arg(table, columns.join(QStringLiteral(", ")), placeholders(columns.size()));
        for (const QJsonValue& row : it.value().toObject().value(QLatin1String("rows")).toArray()) {
            const QJsonArray values = row.toArray();
            if (values.size() != columns.size())
                throw RestoreError(QStringLiteral("damaged: a row of %1 has %2 values for %3 columns")
                                       .arg(table)
                                       .arg(values.size())
                                       .arg(columns.size()));
            SqlQuery q = scratch.Query(sql);
            q.Bind(kScratchAccount);
            for (const QJsonValue& v : values)
                q.Bind(v.toVariant());
            q.Run();
        }
    }
    tx.Commit();
}

void checkReferences(Database& scratch) {
    auto q = scratch.Query(QStringLiteral("SELECT \"table\" FROM pragma_foreign_key_check")).Run();
    if (q.Next())
        throw RestoreError(
            QStringLiteral("damaged: a row of %1 refers to a row that the backup does not hold")
                .arg(q.Text(0)));
}

bool holdsData(Database& db, qint64 accountId) {
    for (const QString& table : Backup::AccountTables(db)) {
        if (table == QLatin1String("id_counters")) continue;
        // A new account's own entries: manager 1 and goods category 1.
        const bool seeded = table == QLatin1String("klients") || table == QLatin1String("grnames");
        auto q = db.Query(QStringLiteral("SELECT 1 FROM %1 WHERE account_id = ?%2")
                              .arg(table, seeded ? QStringLiteral(" AND id <> 1") : QString()))
                     .Bind(accountId)
                     .Run();
        if (q.Next()) return true;
    }
    return false;
}

// One table's rows from the scratch database into the account, in the order of their key, as
// the backup holds them (and, for most tables, as they were first written: sums over them come
// out the same). A reference of a table to its own rows (a counterparty's manager) first points
// at the row itself and is set once every row is in, so that the rows may come in any order.
class TableCopy {
public:
    TableCopy(Database& scratch, Database& db, const QString& table, qint64 accountId)
        : m_scratch(scratch)
        , m_db(db)
        , m_table(table)
        , m_account(accountId)
        , m_columns(columnsOf(scratch, table))
        , m_key(keyOf(scratch, table)) {
        for (const Reference& r : referencesOf(scratch, table))
            for (qsizetype i = 0; r.table == table && i < r.from.size(); ++i)
                if (r.from[i] != QLatin1String("account_id"))
                    m_selfFirst.insert(m_columns.indexOf(r.from[i]), m_columns.indexOf(r.to[i]));
    }

    qint64 Run() {
        const QString insert =
            QStringLiteral("INSERT INTO %1 (account_id, %2) VALUES (?, %3)")
                .arg(m_table, m_columns.join(QStringLiteral(", ")), placeholders(m_columns.size()));
        auto rows = m_scratch
                        .Query(QStringLiteral("SELECT %1 FROM %2 WHERE account_id = ? ORDER BY %3")
                                   .arg(m_columns.join(QStringLiteral(", ")), m_table,
                                        (m_key.isEmpty() ? m_columns : m_key).join(QStringLiteral(", "))))
                        .Bind(kScratchAccount)
                        .Run();
        qint64 count = 0;
        for (; rows.Next(); ++count) {
            SqlQuery q = m_db.Query(insert);
            q.Bind(m_account);
            bool later = false;
            for (int i = 0; i < m_columns.size(); ++i) {
                const int first = m_selfFirst.value(i, i);
                q.Bind(rows.Value(first));
                later = later || rows.Value(first) != rows.Value(i);
            }
            q.Run();
            if (later) m_later << rowOf(rows);
        }
        for (const QVariantList& row : m_later)
            setSelfReferences(row);
        return count;
    }

private:
    static QVariantList rowOf(const SqlQuery& q) {
        QVariantList row;
        for (int i = 0; i < q.Record().count(); ++i)
            row << q.Value(i);
        return row;
    }

    void setSelfReferences(const QVariantList& row) {
        QStringList set;
        QStringList where{QStringLiteral("account_id = ?")};
        for (auto it = m_selfFirst.cbegin(); it != m_selfFirst.cend(); ++it)
            set << m_columns[it.key()] + QStringLiteral(" = ?");
        for (const QString& k : m_key)
            where << k + QStringLiteral(" = ?");
        SqlQuery q = m_db.Query(
            QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                .arg(m_table, set.join(QStringLiteral(", ")), where.join(QStringLiteral(" AND "))));
        for (auto it = m_selfFirst.cbegin(); it != m_selfFirst.cend(); ++it)
            q.Bind(row[it.key()]);
        q.Bind(m_account);
        for (const QString& k : m_key)
            q.Bind(row[m_columns.indexOf(k)]);
        q.Run();
    }

    Database& m_scratch;
    Database& m_db;
    const QString m_table;
    const qint64 m_account;
    const QStringList m_columns;
    const QStringList m_key;
    QMap<int, int> m_selfFirst; // column → the column of the same row it takes at first
    QList<QVariantList> m_later;
};

} // namespace

Restore::Result Restore::Run(const BackupFile& backup, const QString& login) {
    const int current = AllMigrations().back().version;
    if (backup.schema > current)
        throw RestoreError(
            QStringLiteral("made by a newer kovrel-server (schema %1; this one knows up to %2)")
                .arg(backup.schema)
                .arg(current));
    QTemporaryDir folder;
    if (!folder.isValid()) throw RestoreError(QStringLiteral("no temporary folder for the scratch database"));
    DatabaseAddress scratchFile;
    scratchFile.path = folder.filePath(QStringLiteral("scratch.sqlite"));
    Database scratch(scratchFile);
    if (!scratch.Open()) throw RestoreError(scratch.Error());
    std::vector<Migration> older;
    for (const Migration& m : AllMigrations())
        if (m.version <= backup.schema) older.push_back(m);
    ApplyMigrations(scratch, older);
    loadScratch(scratch, backup);
    ApplyMigrations(scratch);
    checkReferences(scratch);
    const QStringList order = loadOrder(scratch);

    Transaction tx(m_db, Transaction::Mode::Write);
    const qint64 account = m_accounts.EnsureAccount(login, QString());
    // Locks the account's row: the account's writes on running servers wait for the restore.
    m_db.Query(QStringLiteral("UPDATE accounts SET data_version = data_version + 1 WHERE id = ?"))
        .Bind(account)
        .Run();
    if (holdsData(m_db, account))
        throw RestoreError(
            QStringLiteral("account %1 holds data already; restore into a new account").arg(login));
    for (auto it = order.crbegin(); it != order.crend(); ++it)
        m_db.Query(QStringLiteral("DELETE FROM %1 WHERE account_id = ?").arg(*it)).Bind(account).Run();
    Result result;
    for (const QString& table : order)
        result.rows += TableCopy(scratch, m_db, table, account).Run();
    result.mailed = m_accounts.IssueRestoredPasswords(account);
    tx.Commit();
    return result;
}

} // namespace kovrel::server
