#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <memory>

// A loopback HTTP server that records every request byte for byte and answers with scripted
// replies, so tests can check exactly what the client puts on the wire.
class CaptureServer {
public:
    struct Request {
        QByteArray raw; // everything received for this request, headers and body
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
        QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
    };
    struct Response {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray contentType = "text/html; charset=UTF-8";
        QByteArray body = "[]";
        QList<QPair<QByteArray, QByteArray>> headers;
        int stallMs = 0; // wait this long before answering
    };

    CaptureServer();
    ~CaptureServer();
    CaptureServer(const CaptureServer&) = delete;
    CaptureServer& operator=(const CaptureServer&) = delete;

    QString Url() const;
    int Port() const;

    // Replies are used in order; when none are queued the default reply answers.
    void Enqueue(const Response& response);
    void Enqueue(const QByteArray& body, int status = 200);
    void SetDefault(const Response& response);

    QList<Request> Requests() const;
    Request Last() const;
    int Count() const;
    void Clear();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
