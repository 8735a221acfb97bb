#pragma once

#include "http_message.h"

#include <QHash>
#include <QString>

#include <functional>

namespace kovrel::server {

class RequestContext;

// How the dispatcher wraps a handler.
enum class Access {
    Read,  // one read-only transaction: every statement sees the same snapshot
    Write, // one write transaction, the account's writes serialized; rolled back on any error
    None,  // no transaction: the handler opens what it needs itself, or touches no table
};

enum class Auth {
    Required, // the four authentication fields; a wrong password ends the request with 401
    SignIn,   // the four fields are read and the identity attached, but never refused
    None,     // no authentication fields at all (only "/create-db.php")
};

// Whether a Read route's reply may be reused (ReplyCache) until the account's data changes.
enum class Cache {
    Reuse, // the reply is a function of the account's data, the person and the fields
    Never, // it is not (a fresh token, a file written): every request runs the handler
};

// How large a body the route takes (HttpLimits says how many bytes each is).
enum class BodySize {
    Form,   // a form of the client's: a few fields, a note, a list of rights
    Import, // a spreadsheet's lines in one request
};

using Handler = std::function<HttpResponse(RequestContext&)>;

struct Route {
    QString path; // a path ending in "/" serves every path below it (e.g. one-time downloads)
    Access access = Access::Read;
    Auth auth = Auth::Required;
    Handler handler;
    // The client posts multipart forms; a GET route (a download opened in a browser) gets no
    // form and must be Auth::None.
    QByteArray method = "POST";
    Cache cache = Cache::Reuse;
    BodySize body = BodySize::Form;
};

// Path → route. Every endpoint family registers its routes from its own file in server/api/.
// An exact path wins over a folder route ("/backup/") above it.
class EndpointRegistry {
public:
    // A second route for one path replaces the first.
    void Add(Route route);
    void Add(const QString& path, Access access, Handler handler) {
        Add({path, access, Auth::Required, std::move(handler)});
    }
    const Route* Find(const QString& path) const;
    QStringList Paths() const;

private:
    QHash<QString, Route> m_routes;
};

} // namespace kovrel::server
