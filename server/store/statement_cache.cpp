#include "statement_cache.h"

#include <sqlite3.h>

namespace kovrel::server {

namespace {

// The statement of that text out of the list, or nothing.
template <class Statement>
std::optional<Statement> takeFrom(std::list<std::pair<QString, Statement>>& kept, const QString& sql) {
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it->first != sql) continue;
        std::optional<Statement> found(std::move(it->second));
        kept.erase(it);
        return found;
    }
    return std::nullopt;
}

} // namespace

StatementCache::~StatementCache() {
    for (const auto& [sql, statement] : m_keptNative)
        sqlite3_finalize(statement);
}

std::optional<QSqlQuery> StatementCache::Take(const QString& sql) {
    return takeFrom(m_kept, sql);
}

void StatementCache::Return(const QString& sql, QSqlQuery query) {
    query.finish();
    m_kept.emplace_front(sql, std::move(query));
    if (m_kept.size() > kMost) m_kept.pop_back();
}

sqlite3_stmt* StatementCache::TakeNative(const QString& sql) {
    return takeFrom(m_keptNative, sql).value_or(nullptr);
}

void StatementCache::ReturnNative(const QString& sql, sqlite3_stmt* statement) {
    m_keptNative.emplace_front(sql, statement);
    if (m_keptNative.size() <= kMost) return;
    sqlite3_finalize(m_keptNative.back().second);
    m_keptNative.pop_back();
}

} // namespace kovrel::server
