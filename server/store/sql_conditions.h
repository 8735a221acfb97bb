#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace kovrel::server {

// The optional conditions of a query, each with the values of its "?" marks, gathered in the
// order they are written: filters that a request may or may not set.
class SqlConditions {
public:
    SqlConditions& Add(const QString& condition, const QVariantList& values = {});
    // " AND c1 AND c2 …", or empty.
    QString And() const;
    const QVariantList& Values() const { return m_values; }

private:
    QStringList m_conditions;
    QVariantList m_values;
};

} // namespace kovrel::server
