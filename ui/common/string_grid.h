#pragma once

#include <QTableView>

class StringGridModel;

// A grid of texts in the manner of the classic string grid: rows and columns addressed by
// number from the top left, row 0 a header row when it is fixed, fixed columns drawn like the
// header and never current, a current cell, columns the user may resize, no editing. Built on a
// text matrix model, so 100 000 rows cost no more than their texts.
//
// Cells(col, row) counts rows from the top of the grid, fixed rows included. Writes between
// BeginUpdate and EndUpdate are announced once at the end; loaders filling many rows use that.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    int RowCount() const;
    void SetRowCount(int rows);
    int ColCount() const;
    void SetColCount(int cols);
    // 0 or 1; always fewer than the rows.
    int FixedRows() const;
    void SetFixedRows(int rows);
    int FixedCols() const;
    void SetFixedCols(int cols);

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    // Writes texts into one row from column `fromCol` on.
    void SetRowTexts(int row, const QStringList& texts, int fromCol = 0);

    int ColWidths(int col) const;
    // The width, or more when the column's heading (row 0) needs it; a column is widened
    // likewise whenever its heading is written or the grid changes shape. Widths the user drags
    // are his.
    void SetColWidths(int col, int width);
    void SetColWidthsList(std::initializer_list<int> widths);
    int DefaultColWidth() const { return m_defaultColWidth; }
    // Also applies to columns added later; widths the user dragged stay until the column goes.
    void SetDefaultColWidth(int width);

    // The current cell in grid coordinates; Row() is at least FixedRows().
    int Row() const;
    void SetRow(int row);
    int Col() const;
    void SetCol(int col);

    void BeginUpdate();
    void EndUpdate();

    // Lists whose rows may be put in another order: a click on a column's heading sorts the
    // rows below the fixed row by that column (see ColumnOrder), a second click the other way
    // round. The current cell stays on the row it was on. Cells() and Row() address rows as
    // shown; LoadedRow() says which row as loaded a shown row is. A change of shape or
    // ClearSort() puts the rows back in the order they were loaded.
    void SetSortable(bool sortable);
    void SortByColumn(int col, Qt::SortOrder order);
    void ClearSort();
    // The column the rows are sorted by, or -1 while they stand as loaded.
    int SortColumn() const;
    int LoadedRow(int row) const;

    // RAII form of BeginUpdate/EndUpdate.
    class UpdateLock {
    public:
        explicit UpdateLock(StringGrid& grid)
            : m_grid(grid) {
            m_grid.BeginUpdate();
        }
        ~UpdateLock() { m_grid.EndUpdate(); }
        UpdateLock(const UpdateLock&) = delete;
        UpdateLock& operator=(const UpdateLock&) = delete;

    private:
        StringGrid& m_grid;
    };

Q_SIGNALS:
    // A double click on a cell below the fixed row.
    void DblClick();

private:
    // Runs a change of the grid's shape, keeping the current cell where it was when it still
    // exists (as the classic grid does) and the header shown only for a fixed row.
    template <class Change>
    void reshape(Change change);
    void placeCurrent(int col, int row);
    void fitHeading(int col);
    void headingClicked(int col);
    void showSortColumn(int col);

    StringGridModel* m_model;
    int m_defaultColWidth = 64;
    int m_row = 0;
    int m_col = 0;
    int m_sortCol = -1; // while the rows are sorted
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
