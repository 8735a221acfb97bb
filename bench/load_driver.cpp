#include "load_driver.h"

#include <QElapsedTimer>
#include <QList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Reads one HTTP response from the socket: false when the connection broke.
class ResponseReader {
public:
    explicit ResponseReader(int fd)
        : m_fd(fd) {}

    bool Read(int& status, QByteArray& body) {
        qsizetype end;
        while ((end = m_buffer.indexOf("\r\n\r\n")) < 0)
            if (!fill()) return false;
        const QByteArray head = m_buffer.left(end);
        m_buffer.remove(0, end + 4);
        status = head.mid(9, 3).toInt();
        qsizetype length = 0;
        for (const QByteArray& line : head.split('\n'))
            if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
        while (m_buffer.size() < length)
            if (!fill()) return false;
        body = m_buffer.left(length);
        m_buffer.remove(0, length);
        return true;
    }

private:
    bool fill() {
        char chunk[65536];
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n <= 0) return false;
        m_buffer.append(chunk, n);
        return true;
    }

    int m_fd;
    QByteArray m_buffer;
};

bool sendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += n;
    }
    return true;
}

double percentile(std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const size_t i = std::min(sorted.size() - 1, static_cast<size_t>(p * static_cast<double>(sorted.size())));
    return sorted[i];
}

} // namespace

int LoadDriver::connectSocket() const {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(m_port);
    ::inet_pton(AF_INET, m_host.toLatin1().constData(), &addr.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QPair<int, QByteArray> LoadDriver::Once() const {
    const int fd = connectSocket();
    int status = 0;
    QByteArray body;
    if (fd >= 0 && sendAll(fd, m_request)) ResponseReader(fd).Read(status, body);
    if (fd >= 0) ::close(fd);
    return {status, body};
}

namespace {

// Closed with a reset rather than kept in TIME_WAIT: thousands of connections a second would
// use up the loopback ports.
void closeAtOnce(int fd) {
    const linger now{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    ::close(fd);
}

} // namespace

LoadResult LoadDriver::Run(int clients, double seconds, bool fresh, bool connectionPerRequest) const {
    const qsizetype nonce = fresh ? m_request.indexOf("00000000") : -1;
    std::atomic<qint64> counter{0};
    std::mutex mutex;
    std::vector<double> latencies;
    std::atomic<qint64> failures{0};
    qint64 lastBytes = 0;
    QElapsedTimer clock;
    clock.start();
    const qint64 deadline = static_cast<qint64>(seconds * 1000);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            QByteArray request = m_request;
            std::vector<double> mine;
            qint64 bytes = 0;
            int fd = connectSocket();
            auto reader = std::make_unique<ResponseReader>(fd);
            QElapsedTimer one;
            while (clock.elapsed() < deadline) {
                one.start();
                if (fd < 0 && connectionPerRequest) {
                    fd = connectSocket();
                    reader = std::make_unique<ResponseReader>(fd);
                }
                if (nonce >= 0)
                    request.replace(nonce, 8, QByteArray::number(++counter).rightJustified(8, '0'));
                int status = 0;
                QByteArray body;
                if (fd < 0 || !sendAll(fd, request) || !reader->Read(status, body)) {
                    ++failures;
                    if (fd >= 0) ::close(fd);
                    fd = connectSocket();
                    reader = std::make_unique<ResponseReader>(fd);
                    continue;
                }
                if (status != 200) {
                    ++failures;
                    continue;
                }
                mine.push_back(static_cast<double>(one.nsecsElapsed()) / 1e6);
                bytes = body.size();
                if (connectionPerRequest) {
                    closeAtOnce(fd);
                    fd = -1;
                }
            }
            if (fd >= 0) ::close(fd);
            const std::lock_guard lock(mutex);
            latencies.insert(latencies.end(), mine.begin(), mine.end());
            lastBytes = std::max(lastBytes, bytes);
        });
    }
    for (std::thread& t : threads)
        t.join();
    LoadResult r;
    r.seconds = static_cast<double>(clock.elapsed()) / 1000;
    r.requests = static_cast<qint64>(latencies.size());
    r.failures = failures;
    std::sort(latencies.begin(), latencies.end());
    r.p50Ms = percentile(latencies, 0.50);
    r.p99Ms = percentile(latencies, 0.99);
    r.replyBytes = lastBytes;
    return r;
}

QByteArray LoadDriver::Request(const QByteArray& method, const QByteArray& path, const QByteArray& hostPort,
                               const QByteArray& contentType, const QByteArray& body) {
    QByteArray r = method + ' ' + path + " HTTP/1.1\r\nHost: " + hostPort + "\r\nConnection: keep-alive\r\n";
    if (!contentType.isEmpty())
        r += "Content-Type: " + contentType + "\r\nContent-Length: " + QByteArray::number(body.size()) +
             "\r\n";
    return r + "\r\n" + body;
}
