#include "json_writer.h"

#include "row_cursor.h"

#include <QMetaType>

#include <algorithm>
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
    rawInt(value);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    if (!std::isfinite(value)) return Null();
    separate();
    rawNumber(value);
    return *this;
}

void JsonWriter::rawInt(qint64 value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, result.ptr - buffer);
}

void JsonWriter::rawNumber(double value) {
    if (value == 0) value = 0; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, result.ptr - buffer);
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

// Appending a run of bytes beyond the capacity would reallocate to the exact size; growing by
// doubling keeps a long reply's copying linear.
void JsonWriter::room(qsizetype bytes) {
    if (m_out.capacity() - m_out.size() < bytes)
        m_out.reserve(std::max(2 * m_out.size(), m_out.size() + bytes));
}

// Long replies are mostly plain text: runs without anything to escape are copied whole.
void JsonWriter::rawString(QByteArrayView utf8) {
    static const char hex[] = "0123456789abcdef";
    room(utf8.size() + 2);
    m_out.append('"');
    qsizetype copied = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        m_out.append(utf8.data() + copied, i - copied);
        copied = i + 1;
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
            m_out.append("\\u00");
            m_out.append(hex[c >> 4]);
            m_out.append(hex[c & 15]);
        }
    }
    m_out.append(utf8.data() + copied, utf8.size() - copied);
    m_out.append('"');
}

void JsonWriter::rawFiniteOrNull(double value) {
    if (std::isfinite(value))
        rawNumber(value);
    else
        m_out.append("null");
}

JsonWriter& JsonWriter::Value(const QVariant& v) {
    separate();
    rawValue(v);
    return *this;
}

void JsonWriter::rawValue(const QVariant& v) {
    switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
    case QMetaType::UnknownType:
        m_out.append("null");
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        rawInt(v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        rawFiniteOrNull(v.toDouble());
        break;
    default:
        rawString(v.toString().toUtf8());
    }
}

// A report can be tens of thousands of rows: each row is written as one run of its column
// prefixes ("{\"key\":", ",\"key\":") and values, without the per-value bookkeeping, each
// value straight from the database library's buffers.
JsonWriter& JsonWriter::Rows(RowCursor& rows) {
    QList<QByteArray> prefixes;
    for (int i = 0; i < rows.Columns(); ++i) {
        JsonWriter key;
        key.rawString(rows.ColumnName(i));
        prefixes.append((i == 0 ? QByteArray("{") : QByteArray(",")) + key.m_out + ':');
    }
    while (rows.Next()) {
        room(4096);
        separate();
        if (prefixes.isEmpty()) m_out.append('{');
        for (int i = 0; i < prefixes.size(); ++i) {
            m_out.append(prefixes[i]);
            switch (rows.KindAt(i)) {
            case RowCursor::Kind::Null:
                m_out.append("null");
                break;
            case RowCursor::Kind::Int:
                rawInt(rows.IntAt(i));
                break;
            case RowCursor::Kind::Number:
                rawFiniteOrNull(rows.NumberAt(i));
                break;
            case RowCursor::Kind::Text:
                rawString(rows.TextAt(i));
                break;
            }
        }
        m_out.append('}');
    }
    return *this;
}

QByteArray JsonWriter::Take() {
    m_first.clear();
    m_afterKey = false;
    return std::exchange(m_out, {});
}

QByteArray JsonArrayOfRows(Database& db, const BoundSql& statement) {
    const auto rows = RowCursor::Run(db, statement);
    JsonWriter w;
    w.BeginArray().Rows(*rows).EndArray();
    return w.Take();
}

} // namespace kovrel::server
