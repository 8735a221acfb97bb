#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// The cells of a cross-tab as fed: keys keep the order of their first appearance.
class CrossTabData {
public:
    void addValue(const QVariant& rowKey, const QVariant& colKey, const QString& text);

    int rowCount() const { return static_cast<int>(m_rowKeys.size()); }
    int colCount() const { return static_cast<int>(m_colKeys.size()); }
    // Empty for a cell that was never fed.
    QString cell(int row, int col) const;

private:
    static int indexOf(QHash<QString, int>& index, QStringList& keys, const QVariant& key);

    QStringList m_rowKeys;
    QStringList m_colKeys;
    QHash<QString, int> m_rowIndex;
    QHash<QString, int> m_colIndex;
    QHash<qint64, QString> m_cells;
};
