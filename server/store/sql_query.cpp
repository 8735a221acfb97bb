#include "sql_query.h"

#include "sql_dialect.h"
#include "statement_cache.h"
#include "store_error.h"

#include <QSqlDriver>
#include <QSqlError>

#include <utility>

namespace kovrel::server {

namespace {

QSqlQuery takeOrNew(const std::weak_ptr<StatementCache>& cache, const QString& sql, const QSqlDatabase& db,
                    bool& reused) {
    if (const auto c = cache.lock()) {
        if (auto kept = c->Take(sql)) {
            reused = true;
            return std::move(*kept);
        }
    }
    return QSqlQuery(db);
}

} // namespace

SqlQuery::SqlQuery(const QSqlDatabase& db, const SqlDialect& dialect, const QString& sql,
                   std::weak_ptr<StatementCache> cache)
    : m_query(takeOrNew(cache, sql, db, m_reused))
    , m_dialect(dialect)
    , m_sql(sql)
    , m_cache(std::move(cache)) {
    if (m_reused) return;
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql)) fail();
}

SqlQuery::~SqlQuery() {
    const auto c = m_cache.lock(); // none once moved from
    // A statement that failed may have failed with its connection: it is not run again.
    if (c && !m_query.lastError().isValid()) c->Return(m_sql, std::move(m_query));
}

SqlQuery::SqlQuery(SqlQuery&& other) noexcept
    : m_reused(other.m_reused)
    , m_query(std::move(other.m_query))
    , m_dialect(other.m_dialect)
    , m_sql(std::move(other.m_sql))
    , m_cache(std::exchange(other.m_cache, {})) {}

SqlQuery& SqlQuery::Bind(const QVariant& value) & {
    m_query.addBindValue(value);
    return *this;
}

SqlQuery& SqlQuery::BindText(const QString& value) & {
    m_query.addBindValue(value.isNull() ? QString(QLatin1String("")) : value);
    return *this;
}

SqlQuery& SqlQuery::Run() & {
    if (!m_query.exec()) fail();
    return *this;
}

void SqlQuery::fail() const {
    const QSqlError error = m_query.lastError();
    throw StoreError(
        QStringLiteral("%1 [%2] in: %3").arg(error.text(), error.nativeErrorCode(), m_sql.simplified()),
        m_dialect.IsRetryable(error), m_dialect.IsDiskFull(error),
        m_dialect.IsConnectionLost(m_query.driver()));
}

} // namespace kovrel::server
