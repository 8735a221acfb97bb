#pragma once

#include <QSqlQuery>
#include <QString>

#include <list>
#include <optional>
#include <utility>

struct sqlite3_stmt;

namespace kovrel::server {

// The prepared statements of one connection, kept for the next request that runs the same
// text: preparing costs more than running a short statement, and every request runs the same
// few (the account's data version, the sign-in's lookup). A statement in use is taken out, so
// two queries of one text at once each have their own. At most kMost are kept; the one used
// longest ago goes first.
class StatementCache {
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    std::optional<QSqlQuery> Take(const QString& sql);
    // A statement that has run: its result is let go and it waits for its next use.
    void Return(const QString& sql, QSqlQuery query);

    // The same for SQLite statements prepared without QtSql (RowCursor); null when none waits.
    sqlite3_stmt* TakeNative(const QString& sql);
    // The statement must have been reset.
    void ReturnNative(const QString& sql, sqlite3_stmt* statement);

    static constexpr std::size_t kMost = 64;

private:
    std::list<std::pair<QString, QSqlQuery>> m_kept;           // the latest returned first
    std::list<std::pair<QString, sqlite3_stmt*>> m_keptNative; // the same
};

} // namespace kovrel::server
