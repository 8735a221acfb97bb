#include "row_cursor.h"

#include "bound_sql.h"
#include "database.h"
#include "postgres_rows.h"
#include "sqlite_rows.h"

#include <array>
#include <charconv>

namespace kovrel::server {

std::unique_ptr<RowCursor> RowCursor::Run(Database& db, const BoundSql& statement) {
    if (db.Dialect().IsSqlite()) return std::make_unique<SqliteRows>(db, statement);
    return std::make_unique<PostgresRows>(db, statement);
}

RowCursor::Parameter RowCursor::ParameterOf(const QVariant& value) {
    Parameter p;
    switch (value.isNull() ? QMetaType::UnknownType : value.typeId()) {
    case QMetaType::UnknownType:
        return p;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        p.kind = Kind::Int;
        p.integer = value.toLongLong();
        p.text = QByteArray::number(p.integer);
        return p;
    case QMetaType::Double:
    case QMetaType::Float: {
        p.kind = Kind::Number;
        p.number = value.toDouble();
        std::array<char, 32> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), p.number).ptr;
        p.text = QByteArray(digits.data(), end - digits.data());
        return p;
    }
    case QMetaType::QString:
        if (static_cast<const QString*>(value.constData())->isNull()) return p;
        break;
    case QMetaType::QByteArray:
        if (static_cast<const QByteArray*>(value.constData())->isNull()) return p;
        break;
    default:
        break;
    }
    p.kind = Kind::Text;
    p.text = value.toString().toUtf8();
    return p;
}

QString RowCursor::FailureText(const QString& error, const QString& code, const QString& sql) {
    return QStringLiteral("%1 [%2] in: %3").arg(error, code, sql.simplified());
}

} // namespace kovrel::server
