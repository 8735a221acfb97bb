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

HttpResponse HttpResponse::TooLarge() {
    return Text(413, QStringLiteral("Слишком большой запрос"));
}

HttpResponse HttpResponse::Busy(int retryAfterSeconds) {
    HttpResponse r = Text(503, QStringLiteral("Сервер занят, повторите запрос"));
    r.headers.append({"Retry-After", QByteArray::number(retryAfterSeconds)});
    return r;
}

QByteArray ClosingReply(const HttpResponse& reply) {
    const char* phrase = reply.status == 413   ? "Content Too Large"
                         : reply.status == 503 ? "Service Unavailable"
                                               : "Error";
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + phrase + "\r\n";
    out += "Content-Type: " + reply.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    for (const auto& [name, value] : reply.headers)
        out += name + ": " + value + "\r\n";
    out += "Connection: close\r\n\r\n";
    return out + reply.body;
}

QString HostAndPort(const QHostAddress& address, quint16 port) {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

} // namespace kovrel::server
