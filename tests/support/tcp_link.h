#pragma once

#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// A TCP forwarder on a loopback port of its own to a loopback port (the test's PostgreSQL), that
// the test can cut, as a database server going down or a network failing, and restore on the
// same port, or freeze, as a database that hangs: connections stay open and nothing comes back.
class TcpLink {
public:
    explicit TcpLink(quint16 targetPort);
    ~TcpLink();
    TcpLink(const TcpLink&) = delete;
    TcpLink& operator=(const TcpLink&) = delete;

    quint16 Port() const { return m_port; }
    // Every connection through the link is closed and new ones are refused.
    void Cut();
    // Connections go through again, on the same port.
    void Restore();
    // Bytes stop flowing on every connection, both ways, until Restore().
    void Freeze();

private:
    enum class State { Open, Frozen, Cut };
    void setState(State state);
    bool listen();
    void run();
    void closeAll();
    bool pump(int from, int to);

    quint16 m_targetPort;
    quint16 m_port = 0;
    int m_listenFd = -1;
    int m_wakeFd = -1;
    std::atomic<State> m_state{State::Open};
    std::atomic<bool> m_stop{false};
    std::atomic<unsigned> m_asked{0};
    std::atomic<unsigned> m_done{0};
    std::vector<std::pair<int, int>> m_pairs; // the thread's alone
    std::thread m_thread;
};
