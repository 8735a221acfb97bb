#include "http_message.h"

namespace kovrel::server {

HttpResponse HttpResponse::Text(int status, const QString& text) {
    HttpResponse r;
    r.status = status;
    r.body = text.toUtf8();
    return r;
}

HttpResponse HttpResponse::Json(QByteArray json) {
    HttpResponse r;
    r.contentType = "application/json; charset=utf-8";
    r.body = std::move(json);
    return r;
}

} // namespace kovrel::server
