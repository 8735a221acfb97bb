#include "tcp_link.h"

#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in loopback(quint16 port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

} // namespace

TcpLink::TcpLink(quint16 targetPort)
    : m_targetPort(targetPort) {
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (listen()) m_thread = std::thread([this] { run(); });
}

TcpLink::~TcpLink() {
    m_stop = true;
    const eventfd_t one = 1;
    (void)::write(m_wakeFd, &one, sizeof one);
    if (m_thread.joinable()) m_thread.join();
    closeAll();
    if (m_listenFd >= 0) ::close(m_listenFd);
    ::close(m_wakeFd);
}

bool TcpLink::listen() {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in at = loopback(m_port);
    socklen_t length = sizeof at;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        ::listen(m_listenFd, 64) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&at), &length) != 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    m_port = ntohs(at.sin_port);
    return true;
}

void TcpLink::Cut() {
    setState(State::Cut);
}

void TcpLink::Restore() {
    setState(State::Open);
}

void TcpLink::Freeze() {
    setState(State::Frozen);
}

// Returns once the link's thread has acted on the new state.
void TcpLink::setState(State state) {
    m_state = state;
    const unsigned ticket = ++m_asked;
    const eventfd_t one = 1;
    (void)::write(m_wakeFd, &one, sizeof one);
    while (m_done < ticket && m_thread.joinable())
        QThread::msleep(5);
}

void TcpLink::closeAll() {
    for (const auto& [a, b] : m_pairs) {
        ::close(a);
        ::close(b);
    }
    m_pairs.clear();
}

// Moves what one side sent to the other; false when the side is gone.
bool TcpLink::pump(int from, int to) {
    char buffer[65536];
    const ssize_t n = ::recv(from, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    for (ssize_t at = 0; at < n;) {
        const ssize_t sent = ::send(to, buffer + at, static_cast<size_t>(n - at), MSG_NOSIGNAL);
        if (sent <= 0) return false;
        at += sent;
    }
    return true;
}

void TcpLink::run() {
    while (!m_stop) {
        const unsigned asked = m_asked;
        const State state = m_state;
        if (state == State::Cut && m_listenFd >= 0) {
            closeAll();
            ::close(m_listenFd);
            m_listenFd = -1;
        } else if (state != State::Cut && m_listenFd < 0) {
            listen();
        }
        m_done = asked;
        std::vector<pollfd> fds{{m_wakeFd, POLLIN, 0}};
        const bool listening = m_listenFd >= 0;
        if (listening) fds.push_back({m_listenFd, POLLIN, 0});
        const std::size_t firstPair = fds.size();
        const std::size_t polled = state == State::Open ? m_pairs.size() : 0;
        for (std::size_t p = 0; p < polled; ++p) {
            fds.push_back({m_pairs[p].first, POLLIN, 0});
            fds.push_back({m_pairs[p].second, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), 200) <= 0) continue;
        if (fds[0].revents) {
            eventfd_t drained;
            (void)::read(m_wakeFd, &drained, sizeof drained);
        }
        std::vector<std::pair<int, int>> kept;
        for (std::size_t p = 0; p < polled; ++p) {
            const auto [a, b] = m_pairs[p];
            const short fromA = fds[firstPair + 2 * p].revents;
            const short fromB = fds[firstPair + 2 * p + 1].revents;
            if ((!fromA || pump(a, b)) && (!fromB || pump(b, a))) {
                kept.push_back(m_pairs[p]);
            } else {
                ::close(a);
                ::close(b);
            }
        }
        kept.insert(kept.end(), m_pairs.begin() + static_cast<std::ptrdiff_t>(polled), m_pairs.end());
        if (listening && fds[1].revents) {
            const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const sockaddr_in target = loopback(m_targetPort);
            if (client >= 0 &&
                ::connect(server, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
                kept.emplace_back(client, server);
            } else {
                if (client >= 0) ::close(client);
                ::close(server);
            }
        }
        m_pairs = std::move(kept);
    }
}
