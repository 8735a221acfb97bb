#pragma once

#include "client_address.h"
#include "connection_table.h"

#include <QHostAddress>
#include <QString>

#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <thread>

namespace kovrel::server {

// Accepts the connections of the listening socket and hands each to the HTTP library as soon as
// the connection table admits it. A connection that may not be served at once (its address or
// network holds its share, or the server is full of connections busy with requests) waits in
// a short queue, at most `queueSize` connections for at most `queueWait` each, and goes in as
// soon as there is room: a script that opens a connection per request is slowed, not reset.
// One that cannot wait is answered 503 and closed. When the queue is full, the network with the
// most connections waiting gives up its newest one to a network with fewer.
class Listener {
public:
    using Clock = std::chrono::steady_clock;

    // A connection accepted, as the library is to be given it.
    struct Accepted {
        int fd = -1;
        sockaddr_storage peer{};
        socklen_t peerLength = 0;
        ClientAddress client;
        QHostAddress local;
        quint16 localPort = 0;
        Clock::time_point at;
    };
    // Hands an admitted connection to the library; false when the library refused it (and
    // closed its socket).
    using Handover = std::function<bool(const Accepted&)>;

    Listener(ConnectionTable& table, Handover handover, unsigned queueSize,
             std::chrono::milliseconds queueWait);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // Binds and listens (port 0 picks a free one); false with `error` set when it cannot.
    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 Port() const { return m_port; }
    void Start();
    // Stops accepting; the connections still waiting are closed.
    void Stop();
    // Room was made in the table: the waiting connections are looked at again.
    void Wake();

private:
    void run();
    void acceptAll();
    void admitWaiting();
    bool tryAdmit(const Accepted& a);
    void enqueue(Accepted a);
    Clock::duration untilNextExpiry() const;

    ConnectionTable& m_table;
    Handover m_handover;
    const unsigned m_queueSize;
    const std::chrono::milliseconds m_queueWait;
    int m_listenFd = -1;
    int m_wakeFd = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::deque<Accepted> m_waiting; // the listener thread's alone
    std::thread m_thread;
};

} // namespace kovrel::server
