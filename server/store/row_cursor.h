#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <memory>

namespace kovrel::server {

class Database;
struct BoundSql;

// The rows of one statement, read from the database library's own buffers: each value as the
// kind the database gave it, a text as the UTF-8 bytes the library holds, with no QVariant or
// QString in between. For the long row lists that replies are made of. Runs on the calling
// thread's connection, inside its transaction; a failure throws StoreError as SqlQuery does.
class RowCursor {
public:
    enum class Kind { Null, Int, Number, Text };

    // Runs the statement; SQLite steps it row by row, PostgreSQL fetches the rows in batches.
    static std::unique_ptr<RowCursor> Run(Database& db, const BoundSql& statement);

    virtual ~RowCursor() = default;
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    virtual int Columns() const = 0;
    virtual QByteArray ColumnName(int column) const = 0;
    // Moves to the next row (the first, at first); false after the last.
    virtual bool Next() = 0;
    // The current row's values; read each by the accessor of its kind.
    virtual Kind KindAt(int column) const = 0;
    virtual qint64 IntAt(int column) const = 0;
    virtual double NumberAt(int column) const = 0;
    virtual QByteArrayView TextAt(int column) const = 0;

protected:
    RowCursor() = default;

    // A value bound to a "?" as QtSql binds it: NULL for a null variant or a null text,
    // integers (true and false as 1 and 0) and numbers by value, anything else as its text.
    struct Parameter {
        Kind kind = Kind::Null;
        qint64 integer = 0;
        double number = 0;
        QByteArray text; // UTF-8; for PostgreSQL also the integer's and the number's text
    };
    static Parameter ParameterOf(const QVariant& value);
    // "[code] in: statement", the tail of a failure's message.
    static QString FailureText(const QString& error, const QString& code, const QString& sql);
};

} // namespace kovrel::server
