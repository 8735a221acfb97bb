#include "cross_tab_data.h"

namespace {
qint64 cellKey(int row, int col) {
    return (qint64(row) << 32) | quint32(col);
}
} // namespace

int CrossTabData::indexOf(QHash<QString, int>& index, QStringList& keys, const QVariant& key) {
    const QString k = key.toString();
    auto it = index.find(k);
    if (it != index.end()) return *it;
    keys << k;
    return *index.insert(k, static_cast<int>(keys.size()) - 1);
}

void CrossTabData::addValue(const QVariant& rowKey, const QVariant& colKey, const QString& text) {
    const int row = indexOf(m_rowIndex, m_rowKeys, rowKey);
    const int col = indexOf(m_colIndex, m_colKeys, colKey);
    m_cells.insert(cellKey(row, col), text);
}

QString CrossTabData::cell(int row, int col) const {
    return m_cells.value(cellKey(row, col));
}
