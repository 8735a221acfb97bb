#include "journal_conditions.h"

#include "entry_checks.h"
#include "request_context.h"
#include "search_text.h"

namespace kovrel::server {

SqlConditions JournalConditions(const RequestContext& ctx, const QString& dateColumn,
                                std::initializer_list<const char*> searchColumns) {
    SqlConditions where;
    where.Add(QStringLiteral("%1 >= ? AND %1 <= ?").arg(dateColumn),
              {ctx.Date(QStringLiteral("dat_begin")).toString(Qt::ISODate),
               ctx.Date(QStringLiteral("dat_end")).toString(Qt::ISODate)});
    const QString pattern = ContainsPattern(ctx.TextOr(QStringLiteral("find_win")));
    if (pattern != QLatin1String("%")) {
        QVariantList patterns;
        for (size_t i = 0; i < searchColumns.size(); ++i)
            patterns.append(pattern);
        where.Add(SearchCondition(searchColumns), patterns);
    }
    return where;
}

} // namespace kovrel::server
