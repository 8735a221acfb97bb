#include "http_server.h"

#include "request_deadlines.h"

#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

namespace kovrel::server {

// One TCP connection, from its opening to its closing: who is at either end, and the time its
// next request has to arrive.
struct HttpServer::Connection {
    RequestDeadlines::Watched* watched = nullptr;
    QHostAddress peer;
    QHostAddress local;
    quint16 localPort = 0;
};

// One request while its body arrives.
struct HttpServer::Request {
    HttpRequest request;
    bool answered = false; // the reply went out before the body was read
    bool tooLarge = false; // the body grew past the limit: the rest is read and dropped
};

namespace {

void releaseBody(void* body) {
    delete static_cast<QByteArray*>(body);
}

// The reply's bytes go out as they are, without a copy: the library holds a reference to them
// (a reused reply is shared with the reply cache) until the last byte has been sent.
MHD_Result queue(MHD_Connection* connection, const HttpResponse& reply) {
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
    const MHD_Result result = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return result;
}

HttpResponse tooLarge() {
    return HttpResponse::Text(413, QStringLiteral("Слишком большой запрос"));
}

HttpServer::Connection* connectionOf(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<HttpServer::Connection*>(info->socket_context) : nullptr;
}

void onConnection(void* cls, MHD_Connection* connection, void** socketContext,
                  MHD_ConnectionNotificationCode code) {
    auto* server = static_cast<HttpServer*>(cls);
    if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
        auto* c = static_cast<HttpServer::Connection*>(*socketContext);
        if (!c) return;
        server->Deadlines().Closed(c->watched);
        delete c;
        *socketContext = nullptr;
        return;
    }
    const MHD_ConnectionInfo* fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    const MHD_ConnectionInfo* peer = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    auto* c = new HttpServer::Connection;
    if (peer && peer->client_addr) c->peer = QHostAddress(peer->client_addr);
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (fd && ::getsockname(fd->connect_fd, reinterpret_cast<sockaddr*>(&local), &length) == 0) {
        c->local = QHostAddress(reinterpret_cast<sockaddr*>(&local));
        c->localPort = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                                         : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
    }
    c->watched = server->Deadlines().Opened(fd ? fd->connect_fd : -1);
    *socketContext = c;
}

MHD_Result onRequest(void* cls, MHD_Connection* connection, const char* url, const char* method,
                     const char* /*version*/, const char* uploadData, size_t* uploadSize,
                     void** requestState) {
    auto* server = static_cast<HttpServer*>(cls);
    const qsizetype maxBody = server->Limits().maxBodyBytes;
    HttpServer::Connection* open = connectionOf(connection);
    auto* state = static_cast<HttpServer::Request*>(*requestState);
    if (!state) {
        state = new HttpServer::Request;
        *requestState = state;
        HttpRequest& r = state->request;
        r.method = method;
        r.path = QString::fromUtf8(url);
        r.contentType =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_TYPE);
        if (open) {
            r.peer = open->peer;
            r.local = open->local;
            r.localPort = open->localPort;
        }
        const char* length =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
        if (length && std::strtoull(length, nullptr, 10) > static_cast<unsigned long long>(maxBody)) {
            state->answered = true;
            return queue(connection, tooLarge());
        }
        return MHD_YES;
    }
    if (*uploadSize > 0) {
        const size_t size = *uploadSize;
        *uploadSize = 0;
        if (state->answered || state->tooLarge) return MHD_YES;
        if (state->request.body.size() + static_cast<qsizetype>(size) > maxBody) {
            // A body of no announced size (chunked) can only be answered once it has ended:
            // the library takes no reply in the middle of one.
            state->tooLarge = true;
            state->request.body.clear();
            return MHD_YES;
        }
        state->request.body.append(uploadData, static_cast<qsizetype>(size));
        return MHD_YES;
    }
    if (state->answered) return MHD_YES;
    if (open) server->Deadlines().Received(open->watched);
    return queue(connection, state->tooLarge ? tooLarge() : server->RequestHandler()(state->request));
}

void onCompleted(void* cls, MHD_Connection* connection, void** requestState,
                 MHD_RequestTerminationCode /*code*/) {
    delete static_cast<HttpServer::Request*>(*requestState);
    *requestState = nullptr;
    if (HttpServer::Connection* open = connectionOf(connection))
        static_cast<HttpServer*>(cls)->Deadlines().Answered(open->watched);
}

} // namespace

HttpServer::HttpServer(Handler handler, HttpLimits limits)
    : m_handler(std::move(handler))
    , m_limits(limits) {}

HttpServer::~HttpServer() {
    Stop();
}

bool HttpServer::Start(const QHostAddress& address, quint16 port) {
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    const sockaddr* bind = nullptr;
    unsigned flags = MHD_USE_AUTO_INTERNAL_THREAD;
    bool ok = false;
    if (const quint32 ip = address.toIPv4Address(&ok); ok) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(port);
        v4.sin_addr.s_addr = htonl(ip);
        bind = reinterpret_cast<const sockaddr*>(&v4);
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(port);
        const Q_IPV6ADDR ip6 = address.toIPv6Address();
        std::memcpy(&v6.sin6_addr, &ip6, sizeof ip6);
        bind = reinterpret_cast<const sockaddr*>(&v6);
        flags |= MHD_USE_IPv6;
    } else {
        m_error = QStringLiteral("unusable listen address %1").arg(address.toString());
        return false;
    }
    m_deadlines = std::make_unique<RequestDeadlines>(std::chrono::seconds(m_limits.requestSeconds));
    m_daemon = MHD_start_daemon(flags, port, nullptr, nullptr, &onRequest, this, MHD_OPTION_SOCK_ADDR, bind,
                                MHD_OPTION_THREAD_POOL_SIZE, m_limits.threads, MHD_OPTION_CONNECTION_LIMIT,
                                m_limits.TotalConnections(), MHD_OPTION_PER_IP_CONNECTION_LIMIT,
                                m_limits.maxConnectionsPerAddress, MHD_OPTION_CONNECTION_MEMORY_LIMIT,
                                m_limits.connectionMemoryBytes, MHD_OPTION_CONNECTION_TIMEOUT,
                                m_limits.connectionTimeoutSeconds, MHD_OPTION_NOTIFY_COMPLETED, &onCompleted,
                                this, MHD_OPTION_NOTIFY_CONNECTION, &onConnection, this, MHD_OPTION_END);
    if (!m_daemon) {
        m_deadlines.reset();
        m_error = QStringLiteral("cannot listen on %1:%2").arg(address.toString()).arg(port);
        return false;
    }
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : port;
    return true;
}

void HttpServer::Stop() {
    if (!m_daemon) return;
    MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
    m_deadlines.reset();
}

} // namespace kovrel::server
