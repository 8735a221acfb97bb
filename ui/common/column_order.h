#pragma once

#include <QString>

#include <vector>

// The order in which a list's rows stand when sorted by one column's texts. A column whose
// filled cells are all dates (dd.MM.yy or dd.MM.yyyy) sorts by date, one whose filled cells are
// all numbers sorts by value, any other by the Russian collation ignoring letter case. Empty
// cells come first (last when descending). The sort is stable in both directions: rows whose
// values are equal keep the order in which they were loaded, and no row is ever dropped.
// Returns the loaded positions of the rows in their new order.
std::vector<int> ColumnOrder(const std::vector<QString>& texts, bool descending);
