#pragma once

#include "bound_sql.h"
#include "http_message.h"
#include "identity.h"
#include "server_services.h"
#include "sql_query.h"
#include "wire/multipart_parser.h"

#include <QDate>
#include <QHash>
#include <QString>

#include <optional>

namespace kovrel::server {

// Everything a handler needs about one request: its fields with typed access, who sent it and
// what that person may do, and the database. Field readers throw HttpError 400 with a reason
// naming the field; rights checks throw 403. Handlers run inside the transaction that the
// dispatcher opened for their route, on the calling thread's connection.
class RequestContext {
public:
    RequestContext(ServerServices& services, const HttpRequest& http, wire::ParsedForm form);

    // ---- Fields (of a name sent more than once, the first) ------------------------------------
    bool Has(const QString& name) const;
    // The field's text; 400 when the field is missing.
    QString Text(const QString& name) const;
    QString TextOr(const QString& name, const QString& fallback = {}) const;
    // A decimal integer ("-" allowed) that fits 32 bits; 400 when missing or not one.
    int Int(const QString& name) const;
    int IntOr(const QString& name, int fallback) const;
    // A decimal number with "." ("12.50", "-1", "2.500"); 400 when missing or not one.
    double Number(const QString& name) const;
    double NumberOr(const QString& name, double fallback) const;
    // A date "yyyy-mm-dd"; 400 when missing or not a real date.
    QDate Date(const QString& name) const;
    const wire::ParsedForm& Form() const { return m_form; }
    const HttpRequest& Http() const { return m_http; }

    // ---- Who -------------------------------------------------------------------------------
    const Identity& Who() const { return m_identity; }
    void SetIdentity(const Identity& identity);
    qint64 AccountId() const { return m_identity.accountId; }
    bool IsAdmin() const { return m_identity.IsAdmin(); }
    int UserId() const { return m_identity.userId; }

    // ---- Rights (the administrator may do everything) --------------------------------------
    // The stored value of a function right of the signed-in user, 0 when never set.
    int RightValue(int code) const;
    // A permission: the administrator, or a value of 1.
    bool HasRight(int code) const;
    void RequireRight(int code) const;
    void RequireAdmin() const;
    // Access to a store: 0 none, 1 full, 2 limited; full for the administrator and where no
    // level was ever stored.
    int StoreLevel(int storeId) const;

    // ---- Database --------------------------------------------------------------------------
    ServerServices& Services() const { return m_services; }
    SqlQuery Query(const QString& sql) const;
    // The reply of a list: the statement's rows as a JSON array, read straight from the database.
    HttpResponse Rows(const BoundSql& statement) const;
    HttpResponse Rows(const QString& sql, const QVariantList& values) const {
        return Rows(BoundSql{sql, values});
    }
    // The next number of a per-account sequence (IdSequence) of this account.
    int NextId(const QString& sequence) const;
    // Ends the request with 404 and the reason unless the table (a name from the code, never
    // from the request) holds a row of this account with that id: an ID of another account
    // or one never given is refused the same way, revealing nothing.
    void RequireRow(const QString& table, int id, const QString& reason) const;

private:
    const wire::ParsedField* find(const QString& name) const;
    const wire::ParsedField& required(const QString& name) const;
    static std::optional<int> parseInt(const QString& text);
    static std::optional<double> parseNumber(const QString& text);

    ServerServices& m_services;
    const HttpRequest& m_http;
    wire::ParsedForm m_form;
    QHash<QString, qsizetype> m_fieldIndex;
    Identity m_identity;
    mutable std::optional<QHash<int, int>> m_rights;
};

} // namespace kovrel::server
