#include "output_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

char hexDigit(unsigned v) {
    return static_cast<char>(v < 10 ? '0' + v : 'a' + v - 10);
}

// Runs of characters that need no escape go out as UTF-8 in one piece.
void appendEscaped(QByteArray& out, QStringView text) {
    out += '"';
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    const char16_t* run = p;
    auto flush = [&](const char16_t* upTo) {
        if (upTo != run) out += QStringView(run, upTo).toUtf8();
    };
    while (p != end) {
        const char16_t c = *p;
        if (c >= 0x20 && c != '"' && c != '\\' && !QChar::isSurrogate(c)) {
            ++p;
            continue;
        }
        if (QChar::isHighSurrogate(c) && p + 1 != end && QChar::isLowSurrogate(p[1])) {
            p += 2;
            continue;
        }
        flush(p);
        out += '\\';
        switch (c) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case '\b':
            out += 'b';
            break;
        case '\f':
            out += 'f';
            break;
        case '\n':
            out += 'n';
            break;
        case '\r':
            out += 'r';
            break;
        case '\t':
            out += 't';
            break;
        default: // other control characters and lone surrogates
            out += 'u';
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hexDigit((c >> shift) & 0xf);
        }
        run = ++p;
    }
    flush(p);
    out += '"';
}

void appendKey(QByteArray& out, const QString& name) {
    appendEscaped(out, name);
    out += ": ";
}

void appendObject(QByteArray& out, const FieldValues& values) {
    out += '{';
    bool first = true;
    for (const auto& [name, value] : values.Members()) {
        if (!first) out += ", ";
        first = false;
        appendKey(out, name);
        AppendJson(out, value);
    }
    out += '}';
}

// An array with one item per line, indented under its key.
template <class Write>
void appendLines(QByteArray& out, qsizetype count, Write write) {
    if (count == 0) {
        out += "[]";
        return;
    }
    out += "[\n";
    for (qsizetype i = 0; i < count; ++i) {
        out += "    ";
        write(i);
        out += i + 1 < count ? ",\n" : "\n";
    }
    out += "  ]";
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

void AppendJson(QByteArray& out, const QJsonValue& value) {
    constexpr double kWholeExactly = 9007199254740992.0; // 2^53
    switch (value.type()) {
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        return;
    case QJsonValue::Double:
        if (const double d = value.toDouble(); std::trunc(d) == d && std::abs(d) <= kWholeExactly)
            out += QByteArray::number(static_cast<qint64>(d)); // a whole number is kept as one
        else if (std::isfinite(d))
            out += QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
        else
            out += "null";
        return;
    case QJsonValue::String:
        appendEscaped(out, value.toString());
        return;
    case QJsonValue::Array:
    case QJsonValue::Object: {
        const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        out += QByteArrayView(array).sliced(1, array.size() - 2);
        return;
    }
    default:
        out += "null";
    }
}

QByteArray OutputDocument::ToJson() const {
    QByteArray json;
    Write([&](QByteArrayView piece) { json += piece; });
    return json;
}

void OutputDocument::Write(const std::function<void(QByteArrayView)>& sink) const {
    constexpr qsizetype kPiece = 64 * 1024;
    QByteArray out = "{\n";
    auto handOver = [&] {
        if (out.size() < kPiece) return;
        sink(out);
        out.resize(0); // keeps its capacity
    };
    for (qsizetype i = 0; i < m_members.size(); ++i) {
        const auto& [name, member] = m_members[i];
        out += "  ";
        appendKey(out, name);
        if (const auto* v = std::get_if<QJsonValue>(&member))
            AppendJson(out, *v);
        else if (const auto* o = std::get_if<FieldValues>(&member))
            appendObject(out, *o);
        else if (const auto* records = std::get_if<FieldRows>(&member))
            appendLines(out, records->count, [&](qsizetype r) {
                appendObject(out, records->at(r));
                handOver();
            });
        else if (const auto* texts = std::get_if<QStringList>(&member))
            appendLines(out, texts->size(), [&](qsizetype t) { appendEscaped(out, (*texts)[t]); });
        else {
            const auto& rows = std::get<QList<QStringList>>(member);
            appendLines(out, rows.size(), [&](qsizetype r) {
                out += '[';
                for (qsizetype c = 0; c < rows[r].size(); ++c) {
                    if (c) out += ',';
                    appendEscaped(out, rows[r][c]);
                }
                out += ']';
            });
        }
        out += i + 1 < m_members.size() ? ",\n" : "\n";
        handOver();
    }
    out += "}\n";
    sink(out);
}

namespace {

void appendLine(QByteArray& out, const QStringList& cells, TextFormat format) {
    const char separator = format == TextFormat::Tsv ? '\t' : ',';
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c) out += separator;
        out += delimited(cells[c], format).toUtf8();
    }
    out += '\n';
}

} // namespace

QByteArray ToDelimited(const QList<QStringList>& lines, TextFormat format) {
    QByteArray out;
    for (const QStringList& line : lines)
        appendLine(out, line, format);
    return out;
}

QByteArray ToDelimited(const QStringList& columns, const FieldRows& rows, TextFormat format) {
    QByteArray out;
    appendLine(out, columns, format);
    QStringList cells;
    for (qsizetype r = 0; r < rows.count; ++r) {
        const FieldValues row = rows.at(r);
        cells.clear();
        for (const QString& c : columns)
            cells << cellText(row.Value(c));
        appendLine(out, cells, format);
    }
    return out;
}
