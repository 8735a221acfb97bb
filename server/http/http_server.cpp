#include "http_server.h"

#include "body_budget.h"
#include "connection_table.h"
#include "listener.h"

#include <microhttpd.h>
#include <strings.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdlib>

namespace kovrel::server {

// One request while its body arrives.
struct HttpServer::Request {
    HttpRequest request;
    ConnectionTable::Connection* connection = nullptr;
    qsizetype limit = 0;
    qsizetype reserved = 0; // of the body budget
    bool lengthKnown = false;
    bool answered = false; // replied before the body was read; the library then closes
    bool cut = false;      // replied in the middle of the body, outside the library
    qsizetype drained = 0; // bytes that came after the cut
};

namespace {

// After a body was cut off, what the client still sends is read and dropped for a moment, so
// that it reads the reply before the connection ends; no more than this much, no longer.
constexpr qsizetype kDrainBytes = 1024 * 1024;
constexpr std::chrono::milliseconds kDrainTime{2000};

void releaseBody(void* body) {
    delete static_cast<QByteArray*>(body);
}

// The reply's bytes go out as they are, without a copy: the library holds a reference to them
// (a reused reply is shared with the reply cache) until the last byte has been sent.
MHD_Result queue(MHD_Connection* connection, const HttpResponse& reply, bool close = false) {
    auto* body = new QByteArray(reply.body);
    MHD_Response* response = MHD_create_response_from_buffer_with_free_callback_cls(
        static_cast<size_t>(body->size()), const_cast<char*>(body->constData()), &releaseBody, body);
    if (!response) {
        delete body;
        return MHD_NO;
    }
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.constData());
    for (const auto& [name, value] : reply.headers)
        MHD_add_response_header(response, name.constData(), value.constData());
    if (close) MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    const MHD_Result result = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return result;
}

ConnectionTable::Connection* connectionOf(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<ConnectionTable::Connection*>(info->socket_context) : nullptr;
}

int socketOf(MHD_Connection* connection) {
    const MHD_ConnectionInfo* fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    return fd ? fd->connect_fd : -1;
}

void onConnection(void* cls, MHD_Connection* connection, void** socketContext,
                  MHD_ConnectionNotificationCode code) {
    ConnectionTable& table = static_cast<HttpServer*>(cls)->Connections();
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        *socketContext = table.Started(socketOf(connection));
    } else {
        table.Closed(static_cast<ConnectionTable::Connection*>(*socketContext));
        *socketContext = nullptr;
    }
}

MHD_Result appendForwardedFor(void* cls, MHD_ValueKind /*kind*/, const char* key, const char* value) {
    if (key && value && strcasecmp(key, "X-Forwarded-For") == 0) {
        auto& joined = *static_cast<QByteArray*>(cls);
        if (!joined.isEmpty()) joined += ',';
        joined += value;
    }
    return MHD_YES;
}

// Every X-Forwarded-For header of the request, in order, joined by ",".
QByteArray forwardedFor(MHD_Connection* connection) {
    QByteArray joined;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &appendForwardedFor, &joined);
    return joined;
}

// The request as far as its headers tell.
HttpServer::Request* begin(const HttpServer& server, MHD_Connection* connection, const char* url,
                           const char* method) {
    auto* state = new HttpServer::Request;
    state->connection = connectionOf(connection);
    HttpRequest& r = state->request;
    r.method = method;
    r.path = QString::fromUtf8(url);
    r.contentType = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_TYPE);
    if (const ConnectionTable::Connection* c = state->connection) {
        r.client = c->trusted ? server.Limits().trustedProxies.ClientOf(c->client, forwardedFor(connection))
                              : c->client;
        r.local = c->local;
        r.localPort = c->localPort;
    } else if (const MHD_ConnectionInfo* peer =
                   MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS)) {
        r.client = ClientAddress::Of(QHostAddress(peer->client_addr));
    }
    return state;
}

// Whether the body announced may come: 413 when it is larger than the endpoint takes, 503 when
// the memory for bodies has no room for it. The reply goes out before any of the body is read.
MHD_Result admitBody(HttpServer& server, MHD_Connection* connection, HttpServer::Request& state) {
    const char* length =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
    state.limit = server.BodyLimitOf(state.request.path);
    if (!length) return MHD_YES;
    const unsigned long long announced = std::strtoull(length, nullptr, 10);
    state.lengthKnown = true;
    if (announced > static_cast<unsigned long long>(state.limit)) {
        state.answered = true;
        return queue(connection, HttpResponse::TooLarge());
    }
    const auto bytes = static_cast<qsizetype>(announced);
    if (!server.Budget().Reserve(state.request.client.key, bytes)) {
        state.answered = true;
        return queue(connection, HttpResponse::Busy(HttpLimits::kBusyRetrySeconds));
    }
    state.reserved = bytes;
    state.request.body.reserve(bytes); // pages are touched only as the bytes come
    return MHD_YES;
}

// Ends a body that may not go on, in the middle: the library takes no reply before a body has
// ended, so the reply goes straight onto the socket and what still comes is dropped.
MHD_Result cutOff(HttpServer& server, MHD_Connection* connection, HttpServer::Request& state,
                  const HttpResponse& reply) {
    const QByteArray bytes = ClosingReply(reply);
    const int fd = socketOf(connection);
    (void)::send(fd, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::shutdown(fd, SHUT_WR);
    server.Connections().Linger(state.connection, kDrainTime);
    server.Budget().Release(state.request.client.key, state.reserved);
    state.reserved = 0;
    QByteArray().swap(state.request.body);
    state.cut = true;
    return MHD_YES;
}

MHD_Result receive(HttpServer& server, MHD_Connection* connection, HttpServer::Request& state,
                   const char* data, size_t size) {
    if (state.cut) {
        state.drained += static_cast<qsizetype>(size);
        return state.drained > kDrainBytes ? MHD_NO : MHD_YES;
    }
    const auto bytes = static_cast<qsizetype>(size);
    if (!state.lengthKnown) {
        // Chunked: counted as it comes.
        if (state.request.body.size() + bytes > state.limit)
            return cutOff(server, connection, state, HttpResponse::TooLarge());
        if (!server.Budget().Reserve(state.request.client.key, bytes))
            return cutOff(server, connection, state, HttpResponse::Busy(HttpLimits::kBusyRetrySeconds));
        state.reserved += bytes;
    }
    state.request.body.append(data, bytes);
    return MHD_YES;
}

MHD_Result onRequest(void* cls, MHD_Connection* connection, const char* url, const char* method,
                     const char* /*version*/, const char* uploadData, size_t* uploadSize,
                     void** requestState) {
    auto& server = *static_cast<HttpServer*>(cls);
    auto* state = static_cast<HttpServer::Request*>(*requestState);
    if (!state) {
        state = begin(server, connection, url, method);
        *requestState = state;
        server.Connections().HeadersArrived(state->connection);
        return admitBody(server, connection, *state);
    }
    if (*uploadSize > 0) {
        const size_t size = *uploadSize;
        *uploadSize = 0;
        return state->answered ? MHD_YES : receive(server, connection, *state, uploadData, size);
    }
    if (state->answered) return MHD_YES;
    if (state->cut) return MHD_NO; // replied already: the connection closes
    server.Connections().BodyArrived(state->connection);
    const HttpResponse reply = server.RequestHandler()(state->request);
    return queue(connection, reply, server.Draining());
}

void onCompleted(void* cls, MHD_Connection* connection, void** requestState,
                 MHD_RequestTerminationCode /*code*/) {
    auto& server = *static_cast<HttpServer*>(cls);
    auto* state = static_cast<HttpServer::Request*>(*requestState);
    if (state) server.Budget().Release(state->request.client.key, state->reserved);
    delete state;
    *requestState = nullptr;
    server.Connections().Answered(connectionOf(connection));
}

} // namespace

HttpServer::HttpServer(Handler handler, BodyLimit bodyLimit, HttpLimits limits)
    : m_handler(std::move(handler))
    , m_bodyLimit(std::move(bodyLimit))
    , m_limits(limits) {}

HttpServer::~HttpServer() {
    Stop();
}

bool HttpServer::Start(const QHostAddress& address, quint16 port) {
    using std::chrono::seconds;
    m_budget = std::make_unique<BodyBudget>(m_limits.bodyMemoryBytes, m_limits.BodyMemoryPerClient());
    m_connections = std::make_unique<ConnectionTable>(
        ConnectionTable::Limits{m_limits.TotalConnections(), m_limits.maxConnectionsPerAddress,
                                m_limits.ConnectionsPerNetwork(), seconds(m_limits.headerSeconds),
                                seconds(m_limits.requestSeconds), m_limits.trustedProxies},
        [this] {
            if (Listener* l = m_waker.load()) l->Wake();
        });
    m_listener = std::make_unique<Listener>(
        *m_connections,
        [this](const Listener::Accepted& a) {
            return MHD_add_connection(m_daemon, a.fd, reinterpret_cast<const sockaddr*>(&a.peer),
                                      a.peerLength) == MHD_YES;
        },
        HttpLimits::kQueueSize, std::chrono::milliseconds(HttpLimits::kQueueWaitMs));
    if (!m_listener->Listen(address, port, &m_error)) {
        Stop();
        return false;
    }
    // The table lets in at most the total; the library's own limit only leaves it room for
    // connections on their way out.
    m_daemon = MHD_start_daemon(
        MHD_USE_AUTO_INTERNAL_THREAD | MHD_USE_NO_LISTEN_SOCKET | MHD_USE_ITC, 0, nullptr, nullptr,
        &onRequest, this, MHD_OPTION_THREAD_POOL_SIZE, m_limits.threads, MHD_OPTION_CONNECTION_LIMIT,
        2 * m_limits.TotalConnections() + m_limits.threads, MHD_OPTION_CONNECTION_MEMORY_LIMIT,
        m_limits.connectionMemoryBytes, MHD_OPTION_CONNECTION_TIMEOUT, m_limits.connectionTimeoutSeconds,
        MHD_OPTION_NOTIFY_COMPLETED, &onCompleted, this, MHD_OPTION_NOTIFY_CONNECTION, &onConnection, this,
        MHD_OPTION_END);
    if (!m_daemon) {
        m_error = QStringLiteral("cannot start the HTTP server on %1").arg(HostAndPort(address, port));
        Stop();
        return false;
    }
    m_port = m_listener->Port();
    m_waker = m_listener.get();
    m_listener->Start();
    return true;
}

unsigned HttpServer::RequestsInProgress() {
    return m_connections ? m_connections->RequestsInProgress() : 0;
}

void HttpServer::Stop() {
    // Nothing new comes in; then the library ends every connection, telling the table; then the
    // table's watcher stops; the listener's wake-up goes last, since those tell it.
    if (m_listener) m_listener->Stop();
    if (m_daemon) MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
    m_waker = nullptr;
    m_connections.reset();
    m_listener.reset();
    m_budget.reset();
}

} // namespace kovrel::server
