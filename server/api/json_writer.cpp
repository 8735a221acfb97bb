#include "json_writer.h"

#include "sql_query.h"

#include <QMetaType>

#include <charconv>
#include <cmath>

namespace kovrel::server {

void JsonWriter::separate() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_first.isEmpty()) return;
    if (!m_first.last()) m_out.append(',');
    m_first.last() = false;
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    m_out.append(bracket);
    m_first.append(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    m_out.append(bracket);
    m_first.removeLast();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    return open('[');
}

JsonWriter& JsonWriter::EndArray() {
    return close(']');
}

JsonWriter& JsonWriter::BeginObject() {
    return open('{');
}

JsonWriter& JsonWriter::EndObject() {
    return close('}');
}

JsonWriter& JsonWriter::Key(QLatin1StringView key) {
    separate();
    rawString(QByteArrayView(key.data(), key.size()));
    m_out.append(':');
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::Int(qint64 value) {
    separate();
    m_out.append(QByteArray::number(value));
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    if (!std::isfinite(value)) return Null();
    separate();
    if (value == 0) value = 0; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, result.ptr - buffer);
    return *this;
}

JsonWriter& JsonWriter::String(const QString& value) {
    separate();
    rawString(value.toUtf8());
    return *this;
}

JsonWriter& JsonWriter::Null() {
    separate();
    m_out.append("null");
    return *this;
}

void JsonWriter::rawString(QByteArrayView utf8) {
    static const char hex[] = "0123456789abcdef";
    m_out.append('"');
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            m_out.append("\\\"");
            break;
        case '\\':
            m_out.append("\\\\");
            break;
        case '\n':
            m_out.append("\\n");
            break;
        case '\r':
            m_out.append("\\r");
            break;
        case '\t':
            m_out.append("\\t");
            break;
        default:
            if (c < 0x20) {
                m_out.append("\\u00");
                m_out.append(hex[c >> 4]);
                m_out.append(hex[c & 15]);
            } else {
                m_out.append(ch);
            }
        }
    }
    m_out.append('"');
}

JsonWriter& JsonWriter::Value(const QVariant& v) {
    switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
    case QMetaType::UnknownType:
        return Null();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return Int(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return Number(v.toDouble());
    default:
        return String(v.toString());
    }
}

JsonWriter& JsonWriter::Rows(SqlQuery& query) {
    const QSqlRecord record = query.Record();
    QList<QByteArray> keys;
    for (int i = 0; i < record.count(); ++i)
        keys.append(record.fieldName(i).toUtf8());
    while (query.Next()) {
        BeginObject();
        for (int i = 0; i < keys.size(); ++i) {
            Key(QLatin1StringView(keys[i]));
            Value(query.Value(i));
        }
        EndObject();
    }
    return *this;
}

QByteArray JsonWriter::Take() {
    m_first.clear();
    m_afterKey = false;
    return std::exchange(m_out, {});
}

QByteArray JsonArrayOfRows(SqlQuery& query) {
    JsonWriter w;
    w.BeginArray().Rows(query).EndArray();
    return w.Take();
}

} // namespace kovrel::server
