#include "sql_conditions.h"

namespace kovrel::server {

SqlConditions& SqlConditions::Add(const QString& condition, const QVariantList& values) {
    m_conditions.append(condition);
    m_values.append(values);
    return *this;
}

QString SqlConditions::And() const {
    QString out;
    for (const QString& c : m_conditions)
        out += QStringLiteral(" AND ") + c;
    return out;
}

} // namespace kovrel::server
