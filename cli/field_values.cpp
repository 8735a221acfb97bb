#include "field_values.h"

#include <QStringList>

void FieldValues::Set(const QString& name, const QJsonValue& value) {
    const int i = indexOf(name);
    if (i >= 0)
        m_members[i].second = value;
    else
        m_members.append({name, value});
}

QJsonValue FieldValues::Value(const QString& name) const {
    const int i = indexOf(name);
    return i >= 0 ? m_members[i].second : QJsonValue(QJsonValue::Undefined);
}

QStringList FieldValues::Names() const {
    QStringList names;
    for (const auto& m : m_members)
        names << m.first;
    return names;
}

int FieldValues::indexOf(const QString& name) const {
    for (int i = 0; i < m_members.size(); ++i)
        if (m_members[i].first == name) return i;
    return -1;
}
