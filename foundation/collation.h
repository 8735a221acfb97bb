#pragma once

#include <QCollatorSortKey>
#include <QString>

namespace kovrel {

// Case-insensitive comparison of texts by the user's collation (Russian rules), as pages sort
// their keys. Sort keys agree with CollateCompare and compare much faster.
int CollateCompare(const QString& a, const QString& b);
QCollatorSortKey CollationSortKey(const QString& text);

} // namespace kovrel
