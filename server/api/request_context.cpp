#include "request_context.h"

#include "database.h"
#include "http_error.h"
#include "id_counter.h"
#include "json_writer.h"

namespace kovrel::server {

RequestContext::RequestContext(ServerServices& services, const HttpRequest& http, wire::ParsedForm form)
    : m_services(services)
    , m_http(http)
    , m_form(std::move(form)) {
    // Batch writes send thousands of fields; each is looked up by name. Of a name sent twice
    // the first copy counts, as in the parser's own Find: the client never repeats a name.
    m_fieldIndex.reserve(m_form.fields.size());
    for (qsizetype i = m_form.fields.size() - 1; i >= 0; --i)
        m_fieldIndex.insert(m_form.fields[i].name, i);
}

const wire::ParsedField* RequestContext::find(const QString& name) const {
    const auto it = m_fieldIndex.constFind(name);
    return it == m_fieldIndex.constEnd() ? nullptr : &m_form.fields[*it];
}

bool RequestContext::Has(const QString& name) const {
    return find(name) != nullptr;
}

const wire::ParsedField& RequestContext::required(const QString& name) const {
    const wire::ParsedField* f = find(name);
    if (!f) throw HttpError::BadRequest(QStringLiteral("Нет поля %1").arg(name));
    return *f;
}

QString RequestContext::Text(const QString& name) const {
    return required(name).value;
}

QString RequestContext::TextOr(const QString& name, const QString& fallback) const {
    const wire::ParsedField* f = find(name);
    return f ? f->value : fallback;
}

std::optional<int> RequestContext::parseInt(const QString& text) {
    const QString t = text.trimmed();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (!(c.isDigit() && c.unicode() < 0x80) && !(i == 0 && c == QLatin1Char('-') && t.size() > 1))
            return std::nullopt;
    }
    bool ok = false;
    const int v = t.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

std::optional<double> RequestContext::parseNumber(const QString& text) {
    const QString t = text.trimmed();
    int digits = 0;
    bool dot = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.unicode() >= '0' && c.unicode() <= '9')
            ++digits;
        else if (c == QLatin1Char('.') && !dot)
            dot = true;
        else if (!(i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))))
            return std::nullopt;
    }
    if (digits == 0 || digits > 30) return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

int RequestContext::Int(const QString& name) const {
    const auto v = parseInt(required(name).value);
    if (!v) throw HttpError::BadRequest(QStringLiteral("Поле %1 должно быть целым числом").arg(name));
    return *v;
}

int RequestContext::IntOr(const QString& name, int fallback) const {
    return Has(name) ? Int(name) : fallback;
}

double RequestContext::Number(const QString& name) const {
    const auto v = parseNumber(required(name).value);
    if (!v) throw HttpError::BadRequest(QStringLiteral("Поле %1 должно быть числом").arg(name));
    return *v;
}

double RequestContext::NumberOr(const QString& name, double fallback) const {
    return Has(name) ? Number(name) : fallback;
}

QDate RequestContext::Date(const QString& name) const {
    const QString t = required(name).value.trimmed();
    const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (t.size() != 10 || !d.isValid())
        throw HttpError::BadRequest(QStringLiteral("Поле %1 должно быть датой ГГГГ-ММ-ДД").arg(name));
    return d;
}

void RequestContext::SetIdentity(const Identity& identity) {
    m_identity = identity;
    m_rights.reset();
}

int RequestContext::RightValue(int code) const {
    if (!m_rights) {
        m_rights.emplace();
        auto q =
            Query(QStringLiteral("SELECT id_right, ur FROM user_rights WHERE account_id = ? AND id_user = ?"))
                .Bind(AccountId())
                .Bind(UserId())
                .Run();
        while (q.Next())
            m_rights->insert(q.Int(0), q.Int(1));
    }
    return m_rights->value(code, 0);
}

bool RequestContext::HasRight(int code) const {
    return IsAdmin() || RightValue(code) == 1;
}

void RequestContext::RequireRight(int code) const {
    if (!HasRight(code)) throw HttpError::Forbidden();
}

void RequestContext::RequireAdmin() const {
    if (!IsAdmin()) throw HttpError::Forbidden();
}

int RequestContext::StoreLevel(int storeId) const {
    if (IsAdmin()) return 1;
    auto q = Query(QStringLiteral(
                       "SELECT ur FROM store_rights WHERE account_id = ? AND id_store = ? AND id_user = ?"))
                 .Bind(AccountId())
                 .Bind(storeId)
                 .Bind(UserId())
                 .Run();
    return q.Next() ? q.Int(0) : 1;
}

SqlQuery RequestContext::Query(const QString& sql) const {
    return m_services.db.Query(sql);
}

HttpResponse RequestContext::Rows(const BoundSql& statement) const {
    return HttpResponse::Json(JsonArrayOfRows(m_services.db, statement));
}

void RequestContext::RequireRow(const QString& table, int id, const QString& reason) const {
    auto q = Query(QStringLiteral("SELECT 1 FROM %1 WHERE account_id = ? AND id = ?").arg(table))
                 .Bind(AccountId())
                 .Bind(id)
                 .Run();
    if (!q.Next()) throw HttpError::NotFound(reason);
}

int RequestContext::NextId(const QString& sequence) const {
    return kovrel::server::NextId(m_services.db, AccountId(), sequence);
}

} // namespace kovrel::server
