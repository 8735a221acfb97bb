#pragma once

#include <QString>

namespace kovrel::server {

// Searches match a filter anywhere in a name, without regard to letter case. Names are stored
// with an upper-case twin (upname and the like, written with SearchKey), and the filter goes
// in as `upname LIKE ? ESCAPE '!'` bound to ContainsPattern(filter): the same on SQLite, whose
// upper() and LIKE only fold ASCII, and on PostgreSQL.
QString SearchKey(const QString& text);

// "%" + the filter's SearchKey with "%", "_" and "!" escaped + "%"; "%" alone for an empty
// filter, which matches everything.
QString ContainsPattern(const QString& filter);

} // namespace kovrel::server
