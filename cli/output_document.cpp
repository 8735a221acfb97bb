#include "output_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>

namespace {

QByteArray scalar(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray key(const QString& name) {
    return scalar(QJsonValue(name)) + ": ";
}

QByteArray object(const FieldValues& values) {
    QByteArray out = "{";
    bool first = true;
    for (const auto& [name, value] : values.Members()) {
        if (!first) out += ", ";
        first = false;
        out += key(name) + scalar(value);
    }
    return out + '}';
}

// An array with one item per line, indented under its key.
template <class Items, class Write>
QByteArray lines(const Items& items, Write write) {
    if (items.isEmpty()) return "[]";
    QByteArray out = "[\n";
    for (qsizetype i = 0; i < items.size(); ++i)
        out += "    " + write(items[i]) + (i + 1 < items.size() ? ",\n" : "\n");
    return out + "  ]";
}

QString cellText(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::String:
        return v.toString();
    default:
        return {};
    }
}

QString delimited(const QString& text, TextFormat format) {
    if (format == TextFormat::Tsv) {
        static const QRegularExpression breaks(QStringLiteral("[\t\r\n]+"));
        return QString(text).replace(breaks, QStringLiteral(" "));
    }
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!text.contains(special)) return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

QByteArray OutputDocument::ToJson() const {
    QByteArray out = "{\n";
    for (qsizetype i = 0; i < m_members.size(); ++i) {
        const auto& [name, member] = m_members[i];
        out += "  " + key(name);
        if (const auto* v = std::get_if<QJsonValue>(&member))
            out += scalar(*v);
        else if (const auto* o = std::get_if<FieldValues>(&member))
            out += object(*o);
        else if (const auto* records = std::get_if<QList<FieldValues>>(&member))
            out += lines(*records, object);
        else if (const auto* texts = std::get_if<QStringList>(&member))
            out += lines(*texts, [](const QString& s) { return scalar(QJsonValue(s)); });
        else
            out += lines(std::get<QList<QStringList>>(member),
                         [](const QStringList& row) { return scalar(QJsonArray::fromStringList(row)); });
        out += i + 1 < m_members.size() ? ",\n" : "\n";
    }
    return out + "}\n";
}

QByteArray ToDelimited(const QList<QStringList>& lines, TextFormat format) {
    const QChar separator = format == TextFormat::Tsv ? QLatin1Char('\t') : QLatin1Char(',');
    QByteArray out;
    for (const QStringList& line : lines) {
        QStringList cells;
        cells.reserve(line.size());
        for (const QString& cell : line)
            cells << delimited(cell, format);
        out += cells.join(separator).toUtf8();
        out += '\n';
    }
    return out;
}

QByteArray ToDelimited(const QStringList& columns, const QList<FieldValues>& rows, TextFormat format) {
    QList<QStringList> lines{columns};
    for (const FieldValues& row : rows) {
        QStringList cells;
        for (const QString& c : columns)
            cells << cellText(row.Value(c));
        lines << cells;
    }
    return ToDelimited(lines, format);
}
