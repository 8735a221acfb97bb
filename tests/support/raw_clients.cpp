#include "raw_clients.h"

#include "wire/multipart_form.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Headers that never end, sent a byte at a time.
const QByteArray kEndless = "POST /get-lic-v3.php HTTP/1.1\r\nHost: x\r\nX-Pad: " + QByteArray(4096, 'a');

} // namespace

RawConnection::RawConnection(const QString& from, quint16 port) {
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in source{};
    source.sin_family = AF_INET;
    ::inet_pton(AF_INET, from.toLatin1().constData(), &source.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    ::inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&source), sizeof source) != 0 ||
        ::connect(m_fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

RawConnection::~RawConnection() {
    if (m_fd >= 0) ::close(m_fd);
}

bool RawConnection::Send(const QByteArray& bytes) {
    return m_fd >= 0 && ::send(m_fd, bytes.constData(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT) > 0;
}

bool RawConnection::SendAll(const QByteArray& bytes) {
    for (qsizetype at = 0; m_fd >= 0 && at < bytes.size();) {
        const ssize_t n = ::send(m_fd, bytes.constData() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0) return false;
        at += n;
    }
    return m_fd >= 0;
}

bool RawConnection::ClosedByServer() {
    if (m_fd < 0) return true;
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) return false;
    char byte;
    return ::recv(m_fd, &byte, 1, MSG_DONTWAIT | MSG_PEEK) <= 0;
}

bool RawConnection::Answered() {
    pollfd p{m_fd, POLLIN, 0};
    return m_fd < 0 || ::poll(&p, 1, 0) > 0;
}

QByteArray RawConnection::receive(int waitMs, const std::function<bool(const QByteArray&)>& enough) {
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (m_fd >= 0 && !enough(got) && t.elapsed() < waitMs) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        got.append(buffer, n);
    }
    return got;
}

QByteArray RawConnection::Head(int waitMs) {
    const QByteArray got = receive(waitMs, [](const QByteArray& b) { return b.contains("\r\n\r\n"); });
    return got.contains("\r\n\r\n") ? got.left(got.indexOf("\r\n\r\n")) : QByteArray();
}

int RawConnection::Status(int waitMs) {
    const QByteArray head = Head(waitMs);
    return head.startsWith("HTTP/1.1 ") ? head.mid(9, 3).toInt() : 0;
}

QByteArray RawConnection::UntilClosed(int waitMs) {
    return receive(waitMs, [](const QByteArray&) { return false; });
}

QByteArray SignInRequest(const QString& login, const QString& token) {
    kovrel::wire::MultipartForm form;
    form.AddField(QStringLiteral("login"), login);
    form.AddField(QStringLiteral("dop_login"), QString());
    form.AddField(QStringLiteral("token"), token);
    form.AddField(QStringLiteral("client"), QStringLiteral("W"));
    const QByteArray body = form.Encode("b0undary");
    return "POST /get-lic-v3.php HTTP/1.1\r\nHost: x\r\nConnection: close\r\n"
           "Content-Type: multipart/form-data; boundary=b0undary\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

int SignInOnce(const QString& from, quint16 port, const QString& login, const QString& token) {
    RawConnection c(from, port);
    return c.SendAll(SignInRequest(login, token)) ? c.Status() : 0;
}

Trickle::Trickle(const QStringList& from, quint16 port, int perAddress) {
    for (const QString& address : from)
        for (int i = 0; i < perAddress; ++i)
            m_connections.push_back({address, std::make_unique<RawConnection>(address, port)});
    m_thread = std::thread([this, port] {
        for (qsizetype at = 0; !m_stop; at = (at + 1) % kEndless.size()) {
            for (auto& [address, c] : m_connections) {
                if (!c->Send(kEndless.mid(at, 1)) || c->ClosedByServer()) {
                    c = std::make_unique<RawConnection>(address, port);
                    c->Send(kEndless.left(at + 1));
                    ++m_reopened;
                }
            }
            for (int i = 0; i < 10 && !m_stop; ++i)
                QThread::msleep(100);
        }
    });
}

Trickle::~Trickle() {
    m_stop = true;
    m_thread.join();
}

namespace {

// One connection of the flood: the head, then the body in pieces as fast as the server reads
// them, until it answers; the status of the reply.
int sendLarge(const QString& from, quint16 port, const QByteArray& path, bool chunked,
              const QByteArray& body) {
    RawConnection c(from, port);
    QByteArray head =
        "POST " + path + " HTTP/1.1\r\nHost: x\r\nContent-Type: multipart/form-data; boundary=b0undary\r\n";
    head += chunked ? QByteArray("Transfer-Encoding: chunked\r\n\r\n")
                    : "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    bool sent = c.SendAll(head);
    constexpr qsizetype kPiece = 64 * 1024;
    for (qsizetype at = 0; sent && at < body.size() && !c.Answered(); at += kPiece) {
        const QByteArray piece = body.mid(at, kPiece);
        sent = chunked ? c.SendAll(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n")
                       : c.SendAll(piece);
    }
    if (sent && chunked && !c.Answered()) c.SendAll("0\r\n\r\n");
    return c.Status();
}

} // namespace

FloodStatuses LargeBodyFlood(const QStringList& from, quint16 port) {
    // A well-formed form, so that whatever the server takes in whole it parses, too.
    kovrel::wire::MultipartForm huge;
    huge.AddField(QStringLiteral("login"), QString(31 * 1000 * 1000, QLatin1Char('a')));
    const QByteArray body = huge.Encode("b0undary");
    std::atomic<int> tooLarge{0}, busy{0}, none{0}, other{0};
    std::vector<std::thread> flood;
    for (const QString& address : from)
        for (int i = 0; i < 16; ++i)
            flood.emplace_back([&, address, i] {
                const QByteArray path = i % 2 ? "/insert-prh-excel-win.php" : "/list-goods-json.php";
                const int status = sendLarge(address, port, path, i % 4 >= 2, body);
                (status == 413 ? tooLarge : status == 503 ? busy : status == 0 ? none : other)++;
            });
    for (std::thread& t : flood)
        t.join();
    return {tooLarge, busy, none, other};
}

ConnectionPerRequest ConnectionPerRequestClients(const QString& from, quint16 port, int clients,
                                                 int requestsEach, const QString& login,
                                                 const QString& token) {
    std::atomic<int> ok{0}, failed{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c)
        threads.emplace_back([&] {
            for (int r = 0; r < requestsEach; ++r)
                (SignInOnce(from, port, login, token) == 200 ? ok : failed)++;
        });
    for (std::thread& t : threads)
        t.join();
    return {ok, failed};
}

qint64 PeakMemoryKb(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}
