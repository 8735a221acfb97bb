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

QString HostAndPort(const QHostAddress& address, quint16 port) {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

} // namespace kovrel::server
