#pragma once

#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

// A flat object whose members keep their order: a record's fields, a report row, totals.
class FieldValues {
public:
    void Set(const QString& name, const QJsonValue& value);
    QJsonValue Value(const QString& name) const;
    bool Contains(const QString& name) const { return indexOf(name) >= 0; }

    const QList<QPair<QString, QJsonValue>>& Members() const { return m_members; }
    QStringList Names() const;

private:
    int indexOf(const QString& name) const;
    QList<QPair<QString, QJsonValue>> m_members;
};

// Records or report rows made one at a time as they are written, so that a long list is never
// held as values all at once.
struct FieldRows {
    qsizetype count = 0;
    std::function<FieldValues(qsizetype)> at;
};
