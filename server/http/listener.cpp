#include "listener.h"

#include "http_message.h"

#include <QSet>

#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kovrel::server {

namespace {

// Seconds a client refused for want of room is asked to wait before it tries again.
constexpr int kRetrySeconds = 1;

quint16 portOf(const sockaddr_storage& a) {
    return ntohs(a.ss_family == AF_INET6 ? reinterpret_cast<const sockaddr_in6*>(&a)->sin6_port
                                         : reinterpret_cast<const sockaddr_in*>(&a)->sin_port);
}

// Answers 503 on a connection that is let go without being served. What the client sent is read
// first, so that closing the socket ends the connection in order and the client reads the reply.
void refuse(int fd) {
    char sink[16384];
    for (int i = 0; i < 4 && ::recv(fd, sink, sizeof sink, MSG_DONTWAIT) > 0; ++i) {
    }
    const QByteArray reply = ClosingReply(HttpResponse::Busy(kRetrySeconds));
    (void)::send(fd, reply.constData(), static_cast<size_t>(reply.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::shutdown(fd, SHUT_WR);
    ::close(fd);
}

} // namespace

Listener::Listener(ConnectionTable& table, Handover handover, unsigned queueSize,
                   std::chrono::milliseconds queueWait)
    : m_table(table)
    , m_handover(std::move(handover))
    , m_queueSize(queueSize)
    , m_queueWait(queueWait) {}

Listener::~Listener() {
    Stop();
    // Only now: connections closing after Stop() still wake the listener.
    if (m_wakeFd >= 0) ::close(m_wakeFd);
}

bool Listener::Listen(const QHostAddress& address, quint16 port, QString* error) {
    sockaddr_storage bind{};
    socklen_t length = 0;
    bool v4 = false;
    if (const quint32 ip = address.toIPv4Address(&v4); v4) {
        auto* in = reinterpret_cast<sockaddr_in*>(&bind);
        in->sin_family = AF_INET;
        in->sin_port = htons(port);
        in->sin_addr.s_addr = htonl(ip);
        length = sizeof(sockaddr_in);
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&bind);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR ip6 = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, &ip6, sizeof ip6);
        length = sizeof(sockaddr_in6);
    } else {
        *error = QStringLiteral("unusable listen address %1").arg(address.toString());
        return false;
    }
    m_listenFd = ::socket(bind.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (m_listenFd >= 0) {
        ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (bind.ss_family == AF_INET6) ::setsockopt(m_listenFd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
    }
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    sockaddr_storage bound{};
    socklen_t boundLength = sizeof bound;
    if (m_listenFd < 0 || m_wakeFd < 0 ||
        ::bind(m_listenFd, reinterpret_cast<sockaddr*>(&bind), length) != 0 ||
        ::listen(m_listenFd, SOMAXCONN) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&bound), &boundLength) != 0) {
        *error = QStringLiteral("cannot listen on %1: %2")
                     .arg(HostAndPort(address, port), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_port = portOf(bound);
    return true;
}

void Listener::Start() {
    m_thread = std::thread([this] { run(); });
}

void Listener::Stop() {
    m_stop = true;
    Wake();
    if (m_thread.joinable()) m_thread.join();
    for (const Accepted& a : m_waiting)
        ::close(a.fd);
    m_waiting.clear();
    if (m_listenFd >= 0) ::close(m_listenFd);
    m_listenFd = -1;
}

void Listener::Wake() {
    if (m_wakeFd < 0) return;
    const eventfd_t one = 1;
    (void)::write(m_wakeFd, &one, sizeof one);
}

void Listener::run() {
    while (!m_stop) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        int timeout = -1;
        if (!m_waiting.empty())
            timeout =
                static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(untilNextExpiry()).count());
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR) break;
        if (fds[1].revents) {
            eventfd_t drained;
            (void)::read(m_wakeFd, &drained, sizeof drained);
        }
        if (m_stop) break;
        // The waiting first: room made by a closed connection is theirs before a newcomer's.
        admitWaiting();
        if (fds[0].revents) acceptAll();
    }
}

Listener::Clock::duration Listener::untilNextExpiry() const {
    Clock::time_point first = Clock::time_point::max();
    for (const Accepted& a : m_waiting)
        first = std::min(first, a.at + m_queueWait);
    return std::max(Clock::duration::zero(), first - Clock::now());
}

void Listener::acceptAll() {
    while (true) {
        Accepted a;
        a.peerLength = sizeof a.peer;
        a.fd = ::accept4(m_listenFd, reinterpret_cast<sockaddr*>(&a.peer), &a.peerLength,
                         SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (a.fd < 0) {
            // Out of file descriptors: the connections wait in the backlog a moment rather than
            // the loop spinning on them.
            if (errno == EMFILE || errno == ENFILE)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return; // EAGAIN: none left
        }
        a.at = Clock::now();
        a.client = ClientAddress::Of(QHostAddress(reinterpret_cast<const sockaddr*>(&a.peer)));
        sockaddr_storage local{};
        socklen_t localLength = sizeof local;
        if (::getsockname(a.fd, reinterpret_cast<sockaddr*>(&local), &localLength) == 0) {
            a.local = QHostAddress(reinterpret_cast<const sockaddr*>(&local));
            a.localPort = portOf(local);
        }
        // Behind those of its own address that wait already, whatever room there is.
        const bool queued = std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                                        [&](const Accepted& w) { return w.client.host == a.client.host; });
        if (queued || !tryAdmit(a)) enqueue(std::move(a));
    }
}

bool Listener::tryAdmit(const Accepted& a) {
    ConnectionTable::Connection* c = m_table.Admit(a.fd, a.client, a.local, a.localPort);
    if (!c) return false;
    if (!m_handover(a)) m_table.Drop(c);
    return true;
}

void Listener::enqueue(Accepted a) {
    if (m_waiting.size() >= m_queueSize) {
        // The queue is full: the network that waits with the most connections gives way, unless
        // the newcomer's is that one.
        QHash<QString, int> perNetwork;
        for (const Accepted& w : m_waiting)
            ++perNetwork[w.client.network];
        auto most = m_waiting.end();
        for (auto it = m_waiting.begin(); it != m_waiting.end(); ++it)
            if (most == m_waiting.end() || perNetwork[it->client.network] >= perNetwork[most->client.network])
                most = it;
        if (perNetwork[most->client.network] <= perNetwork.value(a.client.network)) {
            refuse(a.fd);
            return;
        }
        refuse(most->fd);
        m_waiting.erase(most);
    }
    m_waiting.push_back(std::move(a));
}

void Listener::admitWaiting() {
    const Clock::time_point now = Clock::now();
    QSet<QString> blocked; // addresses whose first waiting connection could not go in
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (blocked.contains(it->client.host)) {
            ++it;
        } else if (tryAdmit(*it)) {
            it = m_waiting.erase(it);
        } else if (now - it->at >= m_queueWait) {
            refuse(it->fd);
            it = m_waiting.erase(it);
        } else {
            blocked.insert(it->client.host);
            ++it;
        }
    }
}

} // namespace kovrel::server
