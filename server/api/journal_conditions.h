#pragma once

#include "sql_conditions.h"

#include <initializer_list>

namespace kovrel::server {

class RequestContext;

// The conditions of a journal request: the period "dat_begin" to "dat_end", both days included,
// on the date column, and the search text "find_win" contained in any of the columns (upper-case
// search keys), when there is one.
SqlConditions JournalConditions(const RequestContext& ctx, const QString& dateColumn,
                                std::initializer_list<const char*> searchColumns);

} // namespace kovrel::server
