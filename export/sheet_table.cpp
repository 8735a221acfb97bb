#include "sheet_table.h"

#include <algorithm>

QString SheetTable::Cell(int row, int col) const {
    return m_cells.value(key(row, col));
}

void SheetTable::SetCell(int row, int col, const QString& text) {
    Extend(row, col);
    if (!text.isEmpty()) m_cells.insert(key(row, col), text);
}

void SheetTable::Extend(int row, int col) {
    m_rows = std::max(m_rows, row);
    m_cols = std::max(m_cols, col);
}
