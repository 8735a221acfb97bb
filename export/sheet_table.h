#pragma once

#include <QHash>
#include <QString>

// The used range of a worksheet as texts, from A1 to its last used cell. Rows and columns
// count from 1 as the spreadsheet numbers them; a cell that holds nothing, or lies outside the
// range, reads as empty text. Only cells with text are stored, so a sheet whose last used cell
// lies far away costs no more than the cells it holds.
class SheetTable {
public:
    int RowCount() const { return m_rows; }
    int ColCount() const { return m_cols; }
    QString Cell(int row, int col) const;

    // Stores the text (nothing for an empty one) and widens the range to the cell.
    void SetCell(int row, int col, const QString& text);
    // Widens the range to a cell that is used without holding text (a formatted empty cell).
    void Extend(int row, int col);

    // A column's width as the spreadsheet shows it, in characters of its default font's digits;
    // 0 when the sheet leaves the column at the default width.
    double ColumnWidth(int col) const { return m_widths.value(col); }
    void SetColumnWidth(int col, double width) { m_widths.insert(col, width); }

    // The spreadsheet's limits: 1 048 576 rows of 16 384 columns.
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxCols = 16384;

private:
    static qint64 key(int row, int col) { return static_cast<qint64>(row) * (kMaxCols + 1) + col; }

    QHash<qint64, QString> m_cells;
    QHash<int, double> m_widths;
    int m_rows = 0;
    int m_cols = 0;
};
