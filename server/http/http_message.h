#pragma once

#include "client_address.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>

namespace kovrel::server {

// One HTTP request as the service sees it: the body is complete when a handler runs.
struct HttpRequest {
    QByteArray method;
    QString path; // without the query string
    QByteArray contentType;
    ClientAddress client; // who sent it
    QHostAddress local;   // the server's address that the connection reached, and its port
    quint16 localPort = 0;
    QByteArray body;
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "text/plain; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers; // extra headers, e.g. Content-Disposition

    static HttpResponse Text(int status, const QString& text);
    static HttpResponse Json(QByteArray json);
    // 413: the body is larger than its endpoint takes.
    static HttpResponse TooLarge();
    // 503 with Retry-After: no room for the request now.
    static HttpResponse Busy(int retryAfterSeconds);
};

// The reply as bytes on the wire, with "Connection: close": for a connection that the server
// answers and lets go by itself, outside the HTTP library.
QByteArray ClosingReply(const HttpResponse& reply);

// "ADDR:PORT", with an IPv6 address in brackets, as a URL writes it.
QString HostAndPort(const QHostAddress& address, quint16 port);

} // namespace kovrel::server
