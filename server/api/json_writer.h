#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

namespace kovrel::server {

class Database;
class RowCursor;
struct BoundSql;

// Writes JSON straight into bytes (UTF-8, compact): faster than building a document for long
// lists, and numbers come out in their shortest exact form (12.5, 3, 0.1).
class JsonWriter {
public:
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& Key(QLatin1StringView key);

    JsonWriter& Int(qint64 value);
    // Non-finite values have no JSON form and are written as null.
    JsonWriter& Number(double value);
    JsonWriter& String(const QString& value);
    JsonWriter& Null();
    // A database value: integers, numbers and texts by its type, null for NULL.
    JsonWriter& Value(const QVariant& value);

    template <class T>
    JsonWriter& Field(QLatin1StringView key, const T& value) {
        Key(key);
        return Put(value);
    }
    JsonWriter& Put(int value) { return Int(value); }
    JsonWriter& Put(qint64 value) { return Int(value); }
    JsonWriter& Put(double value) { return Number(value); }
    JsonWriter& Put(const QString& value) { return String(value); }

    // Appends every remaining row as an object whose keys are the column names (use AS "name"
    // for the exact case): integers, numbers and texts by the value's kind, null for NULL.
    JsonWriter& Rows(RowCursor& rows);

    QByteArray Take();
    // The bytes written so far, handed out while the open containers stay open: a long
    // document goes to a file in pieces.
    QByteArray Drain() { return std::exchange(m_out, {}); }

private:
    void separate();
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void room(qsizetype bytes);
    void rawString(QByteArrayView utf8);
    void rawInt(qint64 value);
    void rawNumber(double value);
    void rawFiniteOrNull(double value);
    void rawValue(const QVariant& value);

    QByteArray m_out;
    QList<bool> m_first; // per open container: nothing written in it yet
    bool m_afterKey = false;
};

// A whole reply array of the rows of a statement.
QByteArray JsonArrayOfRows(Database& db, const BoundSql& statement);

} // namespace kovrel::server
