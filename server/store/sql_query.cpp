#include "sql_query.h"

#include "sql_dialect.h"
#include "store_error.h"

#include <QSqlError>

namespace kovrel::server {

SqlQuery::SqlQuery(const QSqlDatabase& db, const SqlDialect& dialect, const QString& sql)
    : m_query(db)
    , m_dialect(dialect)
    , m_sql(sql) {
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql)) fail();
}

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
        m_dialect.IsRetryable(error));
}

} // namespace kovrel::server
