#pragma once

#include "http_message.h"
#include "trusted_proxies.h"

#include <QHostAddress>
#include <QString>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>

struct MHD_Daemon;

namespace kovrel::server {

class BodyBudget;
class ConnectionTable;
class Listener;

// Limits of the HTTP layer, all of them applied before anyone is known.
//  - Bodies: each endpoint takes a body of at most its limit (BodyLimit). A larger announced
//    length is answered 413 before the body is read; a body sent without a length is cut off
//    with 413 as soon as it passes the limit, its bytes dropped. All bodies held at once share
//    `bodyMemoryBytes`, a client (ClientAddress::key) at most a quarter of it, or the largest
//    limit when that is more; a request that finds no room gets 503 with Retry-After.
//  - Time: a request's headers must arrive within `headerSeconds` and the whole request within
//    `requestSeconds` of the moment its connection may send it (opened, or the previous reply
//    sent), however steadily its bytes come; an idle kept-alive connection goes after
//    `headerSeconds` too.
//  - Connections: at most `maxConnectionsPerAddress` per client address, a few times that per
//    network (/24, /64), TotalConnections() in all; when the total is reached, the connection
//    that has waited longest for its headers is closed to let a new one in. A connection over
//    its address's or network's share waits up to kQueueWait in a queue of kQueueSize.
//  - Proxies: a trusted proxy's connections are bound by the total alone; each of its requests
//    counts as its X-Forwarded-For client's (TrustedProxies) for the bodies' memory and every
//    rule of the service above.
struct HttpLimits {
    unsigned threads = 4;
    unsigned maxConnections = 0; // 0: kConnectionsPerThread for each thread
    unsigned maxConnectionsPerAddress = 32;
    unsigned maxConnectionsPerNetwork = 0; // 0: kNetworkShare times the per-address limit
    unsigned headerSeconds = 10;
    unsigned requestSeconds = 60;
    // Headers and the read buffer of one connection. The library clears all of it for every
    // request on a kept connection, so it is no larger than requests need.
    size_t connectionMemoryBytes = 32 * 1024;
    unsigned connectionTimeoutSeconds = 60;      // a reply nobody reads
    qsizetype maxBodyBytes = 256 * 1024;         // every endpoint but the imports
    qsizetype maxImportBytes = 32 * 1024 * 1024; // a spreadsheet's lines in one request
    qsizetype bodyMemoryBytes = 128 * 1024 * 1024;
    TrustedProxies trustedProxies; // none: X-Forwarded-For is never believed

    static constexpr unsigned kConnectionsPerThread = 64;
    static constexpr unsigned kNetworkShare = 4;
    static constexpr unsigned kQueueSize = 64;
    static constexpr int kQueueWaitMs = 2000;
    // How long a client that found no room for its body is asked to wait.
    static constexpr int kBusyRetrySeconds = 2;

    unsigned TotalConnections() const {
        return maxConnections ? maxConnections : threads * kConnectionsPerThread;
    }
    unsigned ConnectionsPerNetwork() const {
        return maxConnectionsPerNetwork ? maxConnectionsPerNetwork : kNetworkShare * maxConnectionsPerAddress;
    }
    qsizetype BodyMemoryPerClient() const {
        return std::max(bodyMemoryBytes / 4, std::max(maxBodyBytes, maxImportBytes));
    }
};

// An HTTP/1.1 server on libmicrohttpd with its own thread pool, behind a listener of its own
// that decides which connections are served. Every complete request goes to the handler on one
// of the pool's threads; the handler must be thread-safe.
class HttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    // The largest body the endpoint at that path takes.
    using BodyLimit = std::function<qsizetype(const QString& path)>;

    HttpServer(Handler handler, BodyLimit bodyLimit, HttpLimits limits);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds and starts; port 0 picks a free port. False with Error() set when it cannot.
    bool Start(const QHostAddress& address, quint16 port);
    // The server is about to stop: every reply from now on ends its connection, so that kept
    // connections go and clients (a balancer) open their next ones elsewhere.
    void BeginDraining() { m_draining = true; }
    bool Draining() const { return m_draining; }
    // Requests whose headers have arrived and whose reply is not yet sent.
    unsigned RequestsInProgress();
    // Stops accepting, finishes the requests under way and joins the threads.
    void Stop();

    quint16 Port() const { return m_port; }
    QString Error() const { return m_error; }
    const HttpLimits& Limits() const { return m_limits; }

    // For the libmicrohttpd callbacks.
    struct Request;
    const Handler& RequestHandler() const { return m_handler; }
    qsizetype BodyLimitOf(const QString& path) const { return m_bodyLimit(path); }
    ConnectionTable& Connections() { return *m_connections; }
    BodyBudget& Budget() { return *m_budget; }

private:
    Handler m_handler;
    BodyLimit m_bodyLimit;
    HttpLimits m_limits;
    std::unique_ptr<BodyBudget> m_budget;
    std::unique_ptr<ConnectionTable> m_connections;
    std::unique_ptr<Listener> m_listener;
    std::atomic<Listener*> m_waker{nullptr}; // told when a connection goes
    std::atomic<bool> m_draining{false};
    MHD_Daemon* m_daemon = nullptr;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace kovrel::server
