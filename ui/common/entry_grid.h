#pragma once

#include <QStringList>

#include <functional>

class StringGrid;

// A grid that lists entries under a heading row: the headings from column 1 on, and row i + 1
// showing entry i, numbered in column 0. The heading row is fixed only when there are entries,
// so an empty list shows the headings alone. The user may sort the rows by a column's heading;
// each fill puts them back in the entries' order.
void FillNumberedGrid(StringGrid& grid, const QStringList& headers, int entries,
                      const std::function<QStringList(int entry)>& cells);

// The entry that the grid's current row shows, however the rows are sorted, or -1 when it
// shows none.
int CurrentEntry(const StringGrid& grid, int entries);
