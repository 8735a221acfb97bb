#include "bound_sql.h"

#include "database.h"

namespace kovrel::server {

SqlQuery BoundSql::Run(Database& db) const {
    SqlQuery q = db.Query(sql);
    for (const QVariant& v : values)
        q.Bind(v);
    q.Run();
    return q;
}

namespace {

QString literal(const QVariant& v) {
    if (v.isNull()) return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(v.toLongLong());
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    default: {
        QString text = v.toString();
        return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
    }
    }
}

} // namespace

QString BoundSql::Inline() const {
    QString out;
    qsizetype next = 0;
    bool quoted = false;
    for (QChar c : sql) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (c == QLatin1Char('?') && !quoted && next < values.size())
            out += literal(values[next++]);
        else
            out += c;
    }
    return out;
}

} // namespace kovrel::server
