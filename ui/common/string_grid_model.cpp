#include "string_grid_model.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

StringGridModel::StringGridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount() - m_fixedRows;
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_colCount;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const bool fixedCol = index.column() < m_fixedCols;
    switch (role) {
    case Qt::DisplayRole:
        return Cell(index.column(), index.row() + m_fixedRows);
    case Qt::BackgroundRole:
        if (fixedCol) return QApplication::palette().button();
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || m_fixedRows == 0) return {};
    if (role == Qt::DisplayRole) return Cell(section, 0);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Fixed cells cannot become the current cell, as in the classic grid.
    if (index.column() < m_fixedCols) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void StringGridModel::structureChanged(const std::function<void()>& change) {
    beginResetModel();
    m_order.clear();
    change();
    endResetModel();
}

void StringGridModel::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == RowCount()) return;
    structureChanged([&] {
        m_rows.resize(static_cast<size_t>(rows));
        // The fixed rows always leave at least one scrolling row, as in the classic grid.
        if (m_fixedRows >= rows) m_fixedRows = std::max(rows - 1, 0);
    });
}

void StringGridModel::SetColCount(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_colCount) return;
    structureChanged([&] {
        if (cols < m_colCount) {
            for (auto& row : m_rows)
                if (row.size() > cols) row.resize(cols);
        }
        m_colCount = cols;
        if (m_fixedCols >= cols) m_fixedCols = std::max(cols - 1, 0);
    });
}

void StringGridModel::SetFixedRows(int rows) {
    rows = std::clamp(rows, 0, std::min(1, std::max(RowCount() - 1, 0)));
    if (rows == m_fixedRows) return;
    structureChanged([&] { m_fixedRows = rows; });
}

void StringGridModel::SetFixedCols(int cols) {
    cols = std::clamp(cols, 0, std::max(m_colCount - 1, 0));
    if (cols == m_fixedCols) return;
    structureChanged([&] { m_fixedCols = cols; });
}

int StringGridModel::LoadedRow(int row) const {
    if (m_order.empty() || row < m_fixedRows || row >= RowCount()) return row;
    return m_fixedRows + m_order[static_cast<size_t>(row - m_fixedRows)];
}

void StringGridModel::SetOrder(std::vector<int> order) {
    if (!order.empty() && order.size() != static_cast<size_t>(rowCount())) return;
    Q_EMIT layoutAboutToBeChanged();
    m_order = std::move(order);
    Q_EMIT layoutChanged();
}

QString StringGridModel::Cell(int col, int row) const {
    if (row < 0 || row >= RowCount() || col < 0) return {};
    const QList<QString>& cells = m_rows[static_cast<size_t>(LoadedRow(row))];
    return col < cells.size() ? cells[col] : QString();
}

void StringGridModel::SetCell(int col, int row, const QString& text) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= m_colCount) return;
    QList<QString>& cells = m_rows[static_cast<size_t>(LoadedRow(row))];
    if (cells.size() <= col) {
        if (text.isEmpty()) return;
        cells.resize(col + 1);
    }
    cells[col] = text;
    announce(col, row);
}

void StringGridModel::announce(int col, int row) {
    if (m_updating > 0) return;
    if (row < m_fixedRows) {
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QModelIndex i = index(row - m_fixedRows, col);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

void StringGridModel::BeginUpdate() {
    ++m_updating;
}

void StringGridModel::EndUpdate() {
    if (m_updating == 0 || --m_updating > 0) return;
    if (m_colCount > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
    if (rowCount() > 0 && m_colCount > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, m_colCount - 1), {Qt::DisplayRole});
}
