#include "call_args.h"

#include "record_fields.h"
#include "usage_error.h"

#include <QJsonDocument>
#include <QJsonParseError>

CallArgs CallArgs::Parse(const QString& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        throw UsageError(QStringLiteral("ARGS_JSON is not valid JSON (%1 at offset %2)")
                             .arg(error.errorString())
                             .arg(error.offset));
    if (!doc.isObject()) throw UsageError(QStringLiteral("ARGS_JSON must be one JSON object"));
    return CallArgs(doc.object());
}

CallArgs::CallArgs(QJsonObject object)
    : m_object(std::move(object)) {}

std::optional<QJsonValue> CallArgs::take(const QString& name, bool hasDefault) {
    m_used.insert(name);
    if (m_object.contains(name)) return m_object.value(name);
    if (hasDefault) return std::nullopt;
    throw UsageError(QStringLiteral("missing parameter %1").arg(name));
}

QString CallArgs::Text(const QString& name, std::optional<QString> def) {
    const auto v = take(name, def.has_value());
    return v ? cli::ParseTextArg(*v, name) : *def;
}

int CallArgs::Int(const QString& name, std::optional<int> def) {
    const auto v = take(name, def.has_value());
    return v ? cli::ParseIntArg(*v, name) : *def;
}

int CallArgs::IntFlag(const QString& name) {
    const QJsonValue v = *take(name, false);
    if (v.isBool()) return v.toBool() ? 1 : 0;
    const int i = v.isDouble() ? cli::ParseIntArg(v, name) : -1;
    if (i != 0 && i != 1) throw UsageError(QStringLiteral("%1 must be true or false").arg(name));
    return i;
}

bool CallArgs::Bool(const QString& name, std::optional<bool> def) {
    const auto v = take(name, def.has_value());
    if (!v) return *def;
    if (!v->isBool()) throw UsageError(QStringLiteral("%1 must be true or false").arg(name));
    return v->toBool();
}

TDateTime CallArgs::Date(const QString& name, std::optional<TDateTime> def) {
    const auto v = take(name, def.has_value());
    return v ? cli::ParseDateArg(*v, name) : *def;
}

double CallArgs::Number(const QString& name) {
    return cli::ParseNumberArg(*take(name, false), name);
}

QJsonObject CallArgs::Object(const QString& name) {
    const QJsonValue v = *take(name, false);
    if (!v.isObject()) throw UsageError(QStringLiteral("%1 must be an object of record fields").arg(name));
    return v.toObject();
}

QJsonArray CallArgs::Array(const QString& name) {
    const QJsonValue v = *take(name, false);
    if (!v.isArray()) throw UsageError(QStringLiteral("%1 must be an array of records").arg(name));
    return v.toArray();
}

void CallArgs::CheckAllUsed(const QString& operation) const {
    for (auto it = m_object.begin(); it != m_object.end(); ++it)
        if (!m_used.contains(it.key()))
            throw UsageError(QStringLiteral("unknown parameter %1 for %2").arg(it.key(), operation));
}
