#pragma once

#include "client_address.h"
#include "trusted_proxies.h"

#include <QHash>
#include <QHostAddress>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace kovrel::server {

// Every connection the HTTP server serves, from its admission to its closing: who it is, what
// it is waiting for since when, and until when.
//
// Time. A connection first awaits a request's headers (once opened, and again once its reply
// is sent), then the body, then its reply. The headers must arrive within `headerTime` of the
// moment the connection could send them and the whole request within `requestTime`, however
// steadily its bytes come (the library's own timeout counts from the last byte). A connection
// over its time is shut down under the library, which then closes it.
//
// Room. At most `perAddress` connections per client address, `perNetwork` per network (/24,
// /64) and `total` in all are served; a trusted proxy's connections count in the total only. When the total
// is reached, a new connection is let in by closing the connection that has been awaiting its headers
// longest: a slow or idle client gives way to one that is about to send a request.
//
// Thread-safe; a watcher thread keeps the times.
class ConnectionTable {
public:
    using Clock = std::chrono::steady_clock;

    struct Limits {
        unsigned total = 256;
        unsigned perAddress = 32;
        unsigned perNetwork = 128;
        std::chrono::milliseconds headerTime{10000};
        std::chrono::milliseconds requestTime{60000};
        // Load balancers in front of the server, which keep the limits above themselves: their
        // connections count in the total only, are never closed to make room, and have no time
        // limit of their own (the library's inactivity timeout still ends a dead one).
        TrustedProxies trusted;
    };

    enum class Phase {
        Admitted, // handed to the library, not yet taken up by it
        Headers,  // the next request's headers are awaited
        Body,     // the headers are in, the body is awaited
        Replying, // the request is in: its reply is made and sent
    };

    struct Connection {
        int fd = -1;
        ClientAddress client;
        QHostAddress local; // the server's address the connection reached, and its port
        quint16 localPort = 0;
        Phase phase = Phase::Admitted;
        Clock::time_point since;    // when the current request could begin
        Clock::time_point deadline; // time_point::max() for none
        bool closing = false;       // shut down by the table: no longer counted
        bool trusted = false;       // from a trusted proxy (Limits::trusted)
    };

    // `roomMade` is called (outside the table's lock) whenever a connection stops counting.
    ConnectionTable(Limits limits, std::function<void()> roomMade);
    ~ConnectionTable();
    ConnectionTable(const ConnectionTable&) = delete;
    ConnectionTable& operator=(const ConnectionTable&) = delete;

    // The connection, counted, when it may be served now; nothing when its address or its
    // network holds its share already, or the server is full and no connection awaits headers.
    Connection* Admit(int fd, const ClientAddress& client, const QHostAddress& local, quint16 localPort);
    // An admitted connection that the library did not take.
    void Drop(Connection* c);

    // The library's steps, in their order.
    Connection* Started(int fd);
    void HeadersArrived(Connection* c);
    void BodyArrived(Connection* c);
    void Answered(Connection* c);
    // Called before the socket is closed; the connection is forgotten.
    void Closed(Connection* c);

    // Connections with a request under way: its body arriving, or its reply being made or sent.
    unsigned RequestsInProgress();

    // A request answered before its body ended: the connection may drain what the client still
    // sends for a moment before it is shut down.
    void Linger(Connection* c, std::chrono::milliseconds time);

private:
    bool hasShare(const ClientAddress& client) const;
    bool makeRoom();
    void count(const Connection& c, int delta);
    void shut(Connection& c);
    void setPhase(Connection* c, Phase phase, Clock::time_point since, Clock::time_point deadline);
    void run();

    const Limits m_limits;
    const std::function<void()> m_roomMade;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::unordered_map<Connection*, std::unique_ptr<Connection>> m_open;
    std::unordered_map<int, Connection*> m_admitted; // by socket, until the library takes them
    QHash<QString, unsigned> m_perAddress;
    QHash<QString, unsigned> m_perNetwork;
    unsigned m_counted = 0;
    std::thread m_thread;
};

} // namespace kovrel::server
