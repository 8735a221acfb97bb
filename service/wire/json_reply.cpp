#include "json_reply.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

namespace kovrel::wire {

namespace {

bool g_relaxedNulls = false;

QJsonDocument parse(const QString& text) {
    g_relaxedNulls = true;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        throw ReplyError(
            QStringLiteral("Invalid JSON at offset %1: %2").arg(error.offset).arg(error.errorString()));
    return doc;
}

QString describe(QLatin1StringView key) {
    return QStringLiteral("\"%1\"").arg(key);
}

int truncateToInt(double v, QLatin1StringView key) {
    if (!std::isfinite(v) || v >= 2147483648.0 || v <= -2147483649.0)
        throw ReplyError(QStringLiteral("Value of %1 is not a 32-bit integer").arg(describe(key)));
    return static_cast<int>(std::trunc(v));
}

// Decimal reading of a reply string: "." as separator, surrounding blanks allowed.
bool readDecimal(const QString& s, double& out) {
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    out = v;
    return true;
}

} // namespace

bool RelaxedNulls() {
    return g_relaxedNulls;
}

QJsonArray ParseArray(const QString& text) {
    const QJsonDocument doc = parse(text);
    if (!doc.isArray()) throw ReplyError(QStringLiteral("JSON array expected"));
    return doc.array();
}

QJsonObject ParseObject(const QString& text) {
    const QJsonDocument doc = parse(text);
    if (!doc.isObject()) throw ReplyError(QStringLiteral("JSON object expected"));
    return doc.object();
}

ReplyElement::ReplyElement(const QJsonValue& element) {
    if (!element.isObject()) throw ReplyError(QStringLiteral("JSON object expected as array element"));
    m_object = element.toObject();
}

int ReplyElement::Int(QLatin1StringView key) const {
    const QJsonValue v = m_object.value(key);
    switch (v.type()) {
    case QJsonValue::Undefined:
        return 0;
    case QJsonValue::Null:
        if (g_relaxedNulls) return 0;
        break;
    case QJsonValue::Bool:
        return v.toBool() ? 1 : 0;
    case QJsonValue::Double:
        return truncateToInt(v.toDouble(), key);
    case QJsonValue::String: {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (ok) return i;
        double d = 0;
        if (readDecimal(v.toString(), d)) return truncateToInt(d, key);
        break;
    }
    default:
        break;
    }
    throw ReplyError(QStringLiteral("Value of %1 is not an integer").arg(describe(key)));
}

double ReplyElement::Float(QLatin1StringView key) const {
    const QJsonValue v = m_object.value(key);
    switch (v.type()) {
    case QJsonValue::Undefined:
        return 0;
    case QJsonValue::Null:
        if (g_relaxedNulls) return 0;
        break;
    case QJsonValue::Double:
        return v.toDouble();
    case QJsonValue::String: {
        double d = 0;
        if (readDecimal(v.toString(), d)) return d;
        throw ReplyError(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
    }
    default:
        break;
    }
    throw ReplyError(QStringLiteral("Value of %1 is not a number").arg(describe(key)));
}

QString ReplyElement::Text(QLatin1StringView key) const {
    const QJsonValue v = m_object.value(key);
    switch (v.type()) {
    case QJsonValue::Undefined:
        return {};
    case QJsonValue::Null:
        if (g_relaxedNulls) return {};
        break;
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        break;
    }
    throw ReplyError(QStringLiteral("Value of %1 is not a text").arg(describe(key)));
}

TDateTime ReplyElement::Date(QLatin1StringView key, TDateTime def) const {
    const QJsonValue v = m_object.value(key);
    if (!v.isString()) return def;
    TDateTime value = def;
    return TryParseWireDate(v.toString(), value) ? value : def;
}

} // namespace kovrel::wire
