#pragma once

#include "field_values.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

// The one JSON object a command prints: members in the order added, a record per line.
class OutputDocument {
public:
    void Add(const QString& key, const QJsonValue& value) { m_members.append({key, value}); }
    void Add(const QString& key, const FieldValues& object) { m_members.append({key, object}); }
    void Add(const QString& key, const FieldRows& records) { m_members.append({key, records}); }
    void Add(const QString& key, const QStringList& lines) { m_members.append({key, lines}); }
    // Rows of texts, a row per line as an array.
    void Add(const QString& key, const QList<QStringList>& rows) { m_members.append({key, rows}); }

    QByteArray ToJson() const;
    // The same text handed to `sink` in pieces as it is made: a long list is never held whole.
    void Write(const std::function<void(QByteArrayView)>& sink) const;

private:
    using Member = std::variant<QJsonValue, FieldValues, FieldRows, QStringList, QList<QStringList>>;
    QList<QPair<QString, Member>> m_members;
};

// A JSON value written as QJsonDocument writes it in compact form.
void AppendJson(QByteArray& out, const QJsonValue& value);

// Rows as text: a header line of column names, then one line per row. Tab-separated values
// replace tabs and line breaks inside a value by blanks; comma-separated values quote a value
// holding a comma, a quote or a line break (RFC 4180).
enum class TextFormat { Tsv, Csv };
QByteArray ToDelimited(const QStringList& columns, const FieldRows& rows, TextFormat format);
// Lines of texts, the same way, without a header line of their own.
QByteArray ToDelimited(const QList<QStringList>& lines, TextFormat format);
