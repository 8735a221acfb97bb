#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// Clients of the service made of raw sockets, each from a loopback address of the caller's
// choosing, so that one process can be many clients: for the tests and benches of the
// service's limits.

// A TCP connection to the server on 127.0.0.1 from the given local address.
class RawConnection {
public:
    RawConnection(const QString& from, quint16 port);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    // Sends what the socket takes now; false once the server has closed the connection.
    bool Send(const QByteArray& bytes);
    // Sends all of it, as long as the server reads; false when it stopped.
    bool SendAll(const QByteArray& bytes);
    // Whether the server has closed the connection (end of stream or an error) by now.
    bool ClosedByServer();
    // Whether the server has sent something (a reply, or the end of the connection) by now.
    bool Answered();
    // The head of the reply that comes within the time (status line and headers); empty when
    // none came or the connection broke.
    QByteArray Head(int waitMs = 30000);
    // The status of the reply, 0 when none came.
    int Status(int waitMs = 30000);
    // Everything the server sends until it closes the connection, or until the time is up.
    QByteArray UntilClosed(int waitMs = 30000);

private:
    // What comes until `enough` says so, the server closes the connection or the time is up.
    QByteArray receive(int waitMs, const std::function<bool(const QByteArray&)>& enough);

    int m_fd = -1;
};

// The client's sign-in as raw bytes, on a connection that closes after its reply.
QByteArray SignInRequest(const QString& login, const QString& token);
// Signs in on a new connection from the address; the status, 0 when no reply came.
int SignInOnce(const QString& from, quint16 port, const QString& login, const QString& token);

// Connections from some addresses that each send a byte of headers that never end every second
// until the object goes; one the server closes is opened again at once, as a flood would.
class Trickle {
public:
    Trickle(const QStringList& from, quint16 port, int perAddress);
    ~Trickle();
    int Reopened() const { return m_reopened; }

private:
    std::vector<std::pair<QString, std::unique_ptr<RawConnection>>> m_connections;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_reopened{0};
    std::thread m_thread;
};

// Sixteen connections from each address send a body of 31 MB: a quarter announced to a list
// endpoint, a quarter chunked there, and the same two to the spreadsheet import; each as fast
// as the server reads. The statuses they got.
struct FloodStatuses {
    int tooLarge = 0; // 413
    int busy = 0;     // 503
    int none = 0;     // no reply: the connection was closed (the reply may be lost with it)
    int other = 0;    // any other status
};
FloodStatuses LargeBodyFlood(const QStringList& from, quint16 port);

// Clients at one address, each opening a new connection per request (the sign-in) and sending
// the next as soon as its reply is in. How many got a reply of 200, and how many anything else
// (a reset, a refusal).
struct ConnectionPerRequest {
    int ok = 0;
    int failed = 0;
};
ConnectionPerRequest ConnectionPerRequestClients(const QString& from, quint16 port, int clients,
                                                 int requestsEach, const QString& login,
                                                 const QString& token);

// The peak resident memory of a process, in kB (VmHWM); -1 when it cannot be read.
qint64 PeakMemoryKb(qint64 pid);
