#pragma once

#include <QByteArray>
#include <QString>

// What a load run measured.
struct LoadResult {
    qint64 requests = 0; // completed with status 200
    qint64 failures = 0; // other statuses and broken connections
    double seconds = 0;
    double p50Ms = 0;
    double p99Ms = 0;
    qint64 replyBytes = 0; // body of the last reply

    double PerSecond() const { return seconds > 0 ? requests / seconds : 0; }
};

// A closed-loop HTTP/1.1 load: each client keeps one connection open and sends the same request
// again as soon as the reply's last byte has arrived, for the given time. The request is sent
// as given, byte for byte, so the service and a static file server can be measured alike.
class LoadDriver {
public:
    LoadDriver(QString host, quint16 port, QByteArray request)
        : m_host(std::move(host))
        , m_port(port)
        , m_request(std::move(request)) {}

    // With `fresh`, the first "00000000" of the request is replaced by a running number in every
    // request, so that no two requests are alike (the service cannot reuse a reply). With
    // `connectionPerRequest`, each request goes on a new connection, closed after its reply.
    LoadResult Run(int clients, double seconds, bool fresh = false, bool connectionPerRequest = false) const;
    // One request on a fresh connection: the reply's status and body.
    QPair<int, QByteArray> Once() const;

    // A keep-alive request of the given method, path and body.
    static QByteArray Request(const QByteArray& method, const QByteArray& path, const QByteArray& hostPort,
                              const QByteArray& contentType = {}, const QByteArray& body = {});

private:
    int connectSocket() const;

    QString m_host;
    quint16 m_port;
    QByteArray m_request;
};
