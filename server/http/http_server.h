#pragma once

#include "http_message.h"

#include <QHostAddress>
#include <QString>

#include <functional>
#include <memory>

struct MHD_Daemon;

namespace kovrel::server {

class RequestDeadlines;

// Limits of the HTTP layer. A body beyond maxBodyBytes is refused with 413 as soon as its
// length is announced; sent in chunks, it is read to its end without being kept (within the
// request's time) and then refused the same way. A request (headers and body)
// must arrive within requestSeconds of the moment its connection may send it (opened, or the
// previous reply sent), however steadily its bytes come; an address holds at most
// maxConnectionsPerAddress connections, so that one client cannot take the server's
// TotalConnections() for itself.
struct HttpLimits {
    unsigned threads = 4;
    unsigned maxConnections = 0; // 0: kConnectionsPerThread for each thread
    unsigned maxConnectionsPerAddress = 32;
    unsigned requestSeconds = 60;
    // Headers and the read buffer of one connection. The library clears all of it for every
    // request on a kept connection, so it is no larger than requests need.
    size_t connectionMemoryBytes = 32 * 1024;
    unsigned connectionTimeoutSeconds = 60; // an idle connection, or a reply nobody reads
    qsizetype maxBodyBytes = 32 * 1024 * 1024;

    // Each worker thread serves its share of the connections, all of them at once.
    static constexpr unsigned kConnectionsPerThread = 64;
    unsigned TotalConnections() const {
        return maxConnections ? maxConnections : threads * kConnectionsPerThread;
    }
};

// An HTTP/1.1 server on libmicrohttpd with its own thread pool. Every complete request goes to
// the handler on one of the pool's threads; the handler must be thread-safe.
class HttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    HttpServer(Handler handler, HttpLimits limits);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds and starts; port 0 picks a free port. False with Error() set when it cannot.
    bool Start(const QHostAddress& address, quint16 port);
    // Stops accepting, finishes the requests under way and joins the threads.
    void Stop();

    quint16 Port() const { return m_port; }
    QString Error() const { return m_error; }
    const HttpLimits& Limits() const { return m_limits; }

    // Called by the libmicrohttpd callbacks.
    struct Connection;
    struct Request;
    const Handler& RequestHandler() const { return m_handler; }
    RequestDeadlines& Deadlines() { return *m_deadlines; }

private:
    Handler m_handler;
    HttpLimits m_limits;
    std::unique_ptr<RequestDeadlines> m_deadlines;
    MHD_Daemon* m_daemon = nullptr;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace kovrel::server
