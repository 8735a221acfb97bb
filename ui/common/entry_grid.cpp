#include "entry_grid.h"

#include "string_grid.h"

void FillNumberedGrid(StringGrid& grid, const QStringList& headers, int entries,
                      const std::function<QStringList(int entry)>& cells) {
    StringGrid::UpdateLock lock(grid);
    grid.SetSortable(true);
    grid.ClearSort();
    grid.SetRowCount(entries + 1);
    grid.SetFixedRows(entries > 0 ? 1 : 0);
    grid.SetRowTexts(0, headers, 1);
    for (int i = 0; i < entries; ++i) {
        grid.SetCells(0, i + 1, QString::number(i + 1));
        grid.SetRowTexts(i + 1, cells(i), 1);
    }
}

int CurrentEntry(const StringGrid& grid, int entries) {
    const int entry = grid.LoadedRow(grid.Row()) - grid.FixedRows();
    return entry >= 0 && entry < entries ? entry : -1;
}
