#include "json_reply.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

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

ReplyValue fromJson(const QJsonValue& v) {
    ReplyValue r;
    r.type = v.type();
    if (r.type == QJsonValue::Double) r.number = v.toDouble();
    if (r.type == QJsonValue::Bool) r.number = v.toBool() ? 1 : 0;
    if (r.type == QJsonValue::String) r.text = v.toString();
    return r;
}

// Reads a list of flat objects from UTF-8 bytes; gives up (false) at anything else, leaving
// that to the document parser, whose results on what it reads here are the same.
// With `each`, hands it every element as it is read (one element's fields held at a time);
// without, only checks the bytes and counts the elements.
class FlatReader {
public:
    using Each = std::function<void(const ReplyElement&)>;
    FlatReader(const QByteArray& bytes, const Each* each)
        : m_p(bytes.constData())
        , m_end(bytes.constData() + bytes.size())
        , m_each(each) {}

    qsizetype Count() const { return m_count; }

    bool Read() {
        // The reply text is trimmed of blanks and control characters; so are the bytes.
        while (m_p < m_end && static_cast<unsigned char>(*m_p) <= 32)
            ++m_p;
        while (m_end > m_p && static_cast<unsigned char>(m_end[-1]) <= 32)
            --m_end;
        if (!take('[')) return false;
        if (!take(']')) {
            do {
                if (!object()) return false;
            } while (take(','));
            if (!take(']')) return false;
        }
        blanks();
        return m_p == m_end;
    }

private:
    void blanks() {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }
    bool take(char c) {
        blanks();
        if (m_p == m_end || *m_p != c) return false;
        ++m_p;
        return true;
    }

    bool object() {
        m_fields.clear();
        if (!take('{')) return false;
        if (!take('}')) {
            do {
                ReplyField f;
                if (!key(f.key) || !take(':') || !value(f.value)) return false;
                for (const ReplyField& seen : m_fields)
                    if (seen.key == f.key) return false; // which one counts is the parser's choice
                m_fields.push_back(std::move(f));
            } while (take(','));
            if (!take('}')) return false;
        }
        ++m_count;
        if (m_each) (*m_each)(ReplyElement(m_fields.data(), m_fields.data() + m_fields.size()));
        return true;
    }

    // A string without escapes or control characters: its bytes, and whether they are ASCII.
    bool string(QByteArrayView& out, bool& ascii) {
        if (!take('"')) return false;
        const char* begin = m_p;
        unsigned char high = 0;
        while (m_p < m_end && *m_p != '"') {
            const auto c = static_cast<unsigned char>(*m_p);
            if (c < 0x20 || c == '\\') return false;
            high |= c;
            ++m_p;
        }
        if (m_p == m_end) return false;
        out = QByteArrayView(begin, m_p - begin);
        ascii = high < 0x80;
        ++m_p;
        return true;
    }

    bool key(QByteArrayView& out) {
        bool ascii = false;
        return string(out, ascii) && ascii;
    }

    bool value(ReplyValue& v) {
        blanks();
        if (m_p == m_end) return false;
        switch (*m_p) {
        case '"': {
            QByteArrayView bytes;
            bool ascii = false;
            if (!string(bytes, ascii)) return false;
            v.type = QJsonValue::String;
            if (ascii) {
                v.text = QString::fromLatin1(bytes);
                return true;
            }
            v.text = m_utf8.decode(bytes);
            return !m_utf8.hasError();
        }
        case 't':
            v.type = QJsonValue::Bool;
            v.number = 1;
            return word("true");
        case 'f':
            v.type = QJsonValue::Bool;
            return word("false");
        case 'n':
            v.type = QJsonValue::Null;
            return word("null");
        default:
            v.type = QJsonValue::Double;
            return number(v.number);
        }
    }

    bool word(std::string_view w) {
        if (m_end - m_p < static_cast<qsizetype>(w.size()) || std::string_view(m_p, w.size()) != w)
            return false;
        m_p += w.size();
        return true;
    }

    static bool digit(char c) { return c >= '0' && c <= '9'; }
    const char* digits(const char* p) const {
        while (p < m_end && digit(*p))
            ++p;
        return p;
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?; whole numbers as 64-bit integers first,
    // as the document parser keeps them.
    bool number(double& out) {
        const char* begin = m_p;
        const char* p = begin;
        if (p < m_end && *p == '-') ++p;
        if (p == m_end || !digit(*p)) return false;
        p = *p == '0' ? p + 1 : digits(p);
        bool whole = true;
        if (p < m_end && *p == '.') {
            if (p + 1 == m_end || !digit(p[1])) return false;
            p = digits(p + 1);
            whole = false;
        }
        if (p < m_end && (*p == 'e' || *p == 'E')) {
            ++p;
            if (p < m_end && (*p == '+' || *p == '-')) ++p;
            if (p == m_end || !digit(*p)) return false;
            p = digits(p);
            whole = false;
        }
        m_p = p;
        if (whole) {
            long long n = 0;
            const auto r = std::from_chars(begin, p, n);
            out = static_cast<double>(n);
            return r.ec == std::errc() && r.ptr == p;
        }
        const auto r = std::from_chars(begin, p, out);
        return r.ec == std::errc() && r.ptr == p && std::isfinite(out) && !(out == 0 && std::signbit(out));
    }

    const char* m_p;
    const char* m_end;
    const Each* m_each;
    std::vector<ReplyField> m_fields; // of the element being read
    qsizetype m_count = 0;
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

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

const ReplyField* ReplyElement::find(QLatin1StringView key) const {
    const QByteArrayView k(key.data(), key.size());
    for (const ReplyField* f = m_first; f != m_last; ++f)
        if (f->key == k) return f;
    return nullptr;
}

ReplyValue ReplyElement::value(QLatin1StringView key) const {
    if (!m_first) return fromJson(m_object.value(key));
    const ReplyField* f = find(key);
    return f ? f->value : ReplyValue{};
}

int ReplyElement::Int(QLatin1StringView key) const {
    const ReplyValue v = value(key);
    switch (v.type) {
    case QJsonValue::Undefined:
        return 0;
    case QJsonValue::Null:
        if (g_relaxedNulls) return 0;
        break;
    case QJsonValue::Bool:
        return v.number != 0 ? 1 : 0;
    case QJsonValue::Double:
        return truncateToInt(v.number, key);
    case QJsonValue::String: {
        bool ok = false;
        const int i = v.text.trimmed().toInt(&ok);
        if (ok) return i;
        double d = 0;
        if (readDecimal(v.text, d)) return truncateToInt(d, key);
        break;
    }
    default:
        break;
    }
    throw ReplyError(QStringLiteral("Value of %1 is not an integer").arg(describe(key)));
}

double ReplyElement::Float(QLatin1StringView key) const {
    const ReplyValue v = value(key);
    switch (v.type) {
    case QJsonValue::Undefined:
        return 0;
    case QJsonValue::Null:
        if (g_relaxedNulls) return 0;
        break;
    case QJsonValue::Double:
        return v.number;
    case QJsonValue::String: {
        double d = 0;
        if (readDecimal(v.text, d)) return d;
        throw ReplyError(QStringLiteral("'%1' is not a valid floating point value").arg(v.text));
    }
    default:
        break;
    }
    throw ReplyError(QStringLiteral("Value of %1 is not a number").arg(describe(key)));
}

QString ReplyElement::Text(QLatin1StringView key) const {
    const ReplyValue v = value(key);
    switch (v.type) {
    case QJsonValue::Undefined:
        return {};
    case QJsonValue::Null:
        if (g_relaxedNulls) return {};
        break;
    case QJsonValue::String:
        return v.text;
    case QJsonValue::Double:
        return QString::number(v.number, 'g', QLocale::FloatingPointShortest);
    case QJsonValue::Bool:
        return v.number != 0 ? QStringLiteral("true") : QStringLiteral("false");
    default:
        break;
    }
    throw ReplyError(QStringLiteral("Value of %1 is not a text").arg(describe(key)));
}

TDateTime ReplyElement::Date(QLatin1StringView key, TDateTime def) const {
    const ReplyValue v = value(key);
    if (v.type != QJsonValue::String) return def;
    TDateTime date = def;
    return TryParseWireDate(v.text, date) ? date : def;
}

ReplyArray::ReplyArray(const QByteArray& utf8)
    : m_bytes(utf8) {
    g_relaxedNulls = true;
    if (!m_bytes.isEmpty()) {
        FlatReader check(m_bytes, nullptr);
        m_flat = check.Read();
        m_count = check.Count();
    }
    if (m_flat) return;
    m_array = ParseArray(QString::fromUtf8(m_bytes));
    m_count = m_array.size();
}

void ReplyArray::ForEach(const std::function<void(const ReplyElement&)>& each) const {
    if (m_flat) {
        FlatReader(m_bytes, &each).Read();
        return;
    }
    for (const QJsonValue& v : m_array)
        each(ReplyElement(v));
}

} // namespace kovrel::wire
