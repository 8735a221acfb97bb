#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

// The text matrix behind a StringGrid. Grid rows below the fixed rows are the model's rows; the
// fixed row (at most one) is shown as the view's header. Columns are the same in both.
class StringGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ColCount() const { return m_colCount; }
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }
    void SetRowCount(int rows);
    void SetColCount(int cols);
    void SetFixedRows(int rows);
    void SetFixedCols(int cols);

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);

    // Between these, cell writes announce nothing; the end announces every cell at once.
    void BeginUpdate();
    void EndUpdate();

    // The rows below the fixed rows shown in another order: `order` lists, for each of them from
    // the top, the row as loaded (counted from the first row below the fixed rows). Cells()
    // and SetCell() address rows as shown. Any change of shape, and an empty order, return to
    // the loaded order.
    void SetOrder(std::vector<int> order);
    bool Reordered() const { return !m_order.empty(); }
    // The row as loaded that grid row `row` shows.
    int LoadedRow(int row) const;

private:
    void announce(int col, int row);
    void structureChanged(const std::function<void()>& change);

    std::vector<QList<QString>> m_rows; // a row holds only as many cells as were written
    std::vector<int> m_order;           // empty while the rows stand as loaded
    int m_colCount = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_updating = 0;
};
