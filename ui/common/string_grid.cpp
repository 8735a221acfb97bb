#include "string_grid.h"

#include "column_order.h"
#include "string_grid_model.h"

#include <QHeaderView>

#include <algorithm>

StringGrid::StringGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new StringGridModel(this)) {
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumSectionSize(12);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultSectionSize(m_defaultColWidth);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->hide();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &StringGrid::headingClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { Q_EMIT DblClick(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return; // a reset; reshape() puts the current cell back
        if (i.column() < FixedCols()) {
            // Fixed cells never become current: the row follows, the column stays.
            placeCurrent(m_col, i.row() + FixedRows());
            return;
        }
        m_row = i.row() + FixedRows();
        m_col = i.column();
    });
}

template <class Change>
void StringGrid::reshape(Change change) {
    const int row = Row();
    const int col = Col();
    QList<int> widths;
    for (int c = 0; c < ColCount(); ++c)
        widths << horizontalHeader()->sectionSize(c);
    change();
    for (int c = 0; c < ColCount(); ++c) {
        horizontalHeader()->resizeSection(c, c < widths.size() ? widths[c] : m_defaultColWidth);
        fitHeading(c);
    }
    horizontalHeader()->setVisible(FixedRows() > 0);
    if (!m_model->Reordered()) showSortColumn(-1);
    placeCurrent(col, row);
}

// A heading is never cut: its column is at least as wide as the heading needs, in the header
// when the row is fixed, as the first row of cells when it is not (a list with no entries).
void StringGrid::fitHeading(int col) {
    if (RowCount() == 0 || Cells(col, 0).isEmpty()) return;
    const int needed = FixedRows() > 0 ? horizontalHeader()->sectionSizeHint(col)
                                       : sizeHintForIndex(m_model->index(0, col)).width();
    if (horizontalHeader()->sectionSize(col) < needed) horizontalHeader()->resizeSection(col, needed);
}

void StringGrid::placeCurrent(int col, int row) {
    m_row = std::clamp(row, FixedRows(), std::max(RowCount() - 1, FixedRows()));
    m_col = std::clamp(col, FixedCols(), std::max(ColCount() - 1, FixedCols()));
    const QModelIndex i = m_model->index(m_row - FixedRows(), m_col);
    if (i.isValid()) {
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clearCurrentIndex();
    }
}

int StringGrid::RowCount() const {
    return m_model->RowCount();
}
void StringGrid::SetRowCount(int rows) {
    reshape([&] { m_model->SetRowCount(rows); });
}
int StringGrid::ColCount() const {
    return m_model->ColCount();
}
void StringGrid::SetColCount(int cols) {
    reshape([&] { m_model->SetColCount(cols); });
}
int StringGrid::FixedRows() const {
    return m_model->FixedRows();
}
void StringGrid::SetFixedRows(int rows) {
    reshape([&] { m_model->SetFixedRows(rows); });
}
int StringGrid::FixedCols() const {
    return m_model->FixedCols();
}
void StringGrid::SetFixedCols(int cols) {
    reshape([&] { m_model->SetFixedCols(cols); });
}

QString StringGrid::Cells(int col, int row) const {
    return m_model->Cell(col, row);
}
void StringGrid::SetCells(int col, int row, const QString& text) {
    m_model->SetCell(col, row, text);
    if (row == 0) fitHeading(col);
}
void StringGrid::SetRowTexts(int row, const QStringList& texts, int fromCol) {
    for (int i = 0; i < texts.size(); ++i)
        SetCells(fromCol + i, row, texts[i]);
}

int StringGrid::ColWidths(int col) const {
    return horizontalHeader()->sectionSize(col);
}
void StringGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= ColCount()) return;
    horizontalHeader()->resizeSection(col, width);
    fitHeading(col);
}
void StringGrid::SetColWidthsList(std::initializer_list<int> widths) {
    int c = 0;
    for (int w : widths)
        SetColWidths(c++, w);
}
void StringGrid::SetDefaultColWidth(int width) {
    m_defaultColWidth = width;
    horizontalHeader()->setDefaultSectionSize(width);
}

int StringGrid::Row() const {
    return m_row;
}
void StringGrid::SetRow(int row) {
    placeCurrent(m_col, row);
}
int StringGrid::Col() const {
    return m_col;
}
void StringGrid::SetCol(int col) {
    placeCurrent(col, m_row);
}

void StringGrid::BeginUpdate() {
    m_model->BeginUpdate();
}
void StringGrid::EndUpdate() {
    m_model->EndUpdate();
}

void StringGrid::SetSortable(bool sortable) {
    horizontalHeader()->setSectionsClickable(sortable);
}

void StringGrid::headingClicked(int col) {
    const bool again = m_sortCol == col && m_sortOrder == Qt::AscendingOrder;
    SortByColumn(col, again ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// The header flips its indicator on a click by itself; the grid's own state decides.
void StringGrid::showSortColumn(int col) {
    m_sortCol = col;
    horizontalHeader()->setSortIndicatorShown(col >= 0);
    if (col >= 0) horizontalHeader()->setSortIndicator(col, m_sortOrder);
}

void StringGrid::SortByColumn(int col, Qt::SortOrder order) {
    if (col < 0 || col >= ColCount() || FixedRows() == 0) return;
    const int shown = RowCount() - FixedRows();
    // The column's texts in the order the rows were loaded.
    std::vector<QString> texts(static_cast<size_t>(shown));
    for (int r = 0; r < shown; ++r) {
        const int loaded = LoadedRow(r + FixedRows()) - FixedRows();
        texts[static_cast<size_t>(loaded)] = Cells(col, r + FixedRows());
    }
    const int current = LoadedRow(Row()) - FixedRows();
    std::vector<int> sorted = ColumnOrder(texts, order == Qt::DescendingOrder);
    int currentRow = Row();
    for (int r = 0; r < shown; ++r)
        if (sorted[static_cast<size_t>(r)] == current) currentRow = r + FixedRows();
    m_model->SetOrder(std::move(sorted));
    m_sortOrder = order;
    showSortColumn(col);
    placeCurrent(m_col, currentRow);
}

void StringGrid::ClearSort() {
    if (m_model->Reordered()) {
        const int current = LoadedRow(Row());
        m_model->SetOrder({});
        placeCurrent(m_col, current);
    }
    showSortColumn(-1);
}

int StringGrid::SortColumn() const {
    return m_sortCol;
}

int StringGrid::LoadedRow(int row) const {
    return m_model->LoadedRow(row);
}
