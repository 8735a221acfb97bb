#include "capture_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

struct CaptureServer::Impl {
    int listener = -1;
    int port = 0;
    std::atomic<bool> stop{false};
    std::thread acceptor;
    std::mutex mutex;
    std::vector<std::thread> workers;
    QList<Request> requests;
    QList<Response> queue;
    Response fallback;

    Response nextResponse() {
        std::lock_guard lock(mutex);
        return queue.isEmpty() ? fallback : queue.takeFirst();
    }

    // Reads until `buffer` holds `wanted` bytes; false when the peer closed or we stop.
    bool fill(int fd, QByteArray& buffer, qsizetype wanted) {
        char chunk[65536];
        while (buffer.size() < wanted) {
            pollfd p{fd, POLLIN, 0};
            const int r = ::poll(&p, 1, 100);
            if (stop) return false;
            if (r <= 0) continue;
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) return false;
            buffer.append(chunk, n);
        }
        return true;
    }

    bool readRequest(int fd, QByteArray& pending, Request& req) {
        qsizetype headerEnd;
        while ((headerEnd = pending.indexOf("\r\n\r\n")) < 0)
            if (!fill(fd, pending, pending.size() + 1)) return false;
        const QList<QByteArray> lines = pending.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        req.method = requestLine.value(0);
        req.path = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                req.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = req.header("content-length").toLongLong();
        const qsizetype total = headerEnd + 4 + length;
        if (!fill(fd, pending, total)) return false;
        req.raw = pending.left(total);
        req.body = pending.mid(headerEnd + 4, length);
        pending.remove(0, total);
        return true;
    }

    void serve(int fd) {
        QByteArray pending;
        while (!stop) {
            Request req;
            if (!readRequest(fd, pending, req)) break;
            {
                std::lock_guard lock(mutex);
                requests.append(req);
            }
            const Response r = nextResponse();
            for (int waited = 0; waited < r.stallMs && !stop; waited += 20)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + r.reason + "\r\n";
            out += "Content-Type: " + r.contentType + "\r\n";
            out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
            for (const auto& h : r.headers)
                out += h.first + ": " + h.second + "\r\n";
            out += "\r\n" + r.body;
            qsizetype sent = 0;
            while (sent < out.size()) {
                const ssize_t n = ::send(fd, out.constData() + sent, out.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += n;
            }
        }
        ::close(fd);
    }

    void acceptLoop() {
        while (!stop) {
            pollfd p{listener, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            const int fd = ::accept(listener, nullptr, nullptr);
            if (fd < 0) continue;
            std::lock_guard lock(mutex);
            workers.emplace_back([this, fd] { serve(fd); });
        }
    }
};

CaptureServer::CaptureServer()
    : d(std::make_unique<Impl>()) {
    d->listener = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(d->listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(d->listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(d->listener, 16);
    socklen_t len = sizeof addr;
    ::getsockname(d->listener, reinterpret_cast<sockaddr*>(&addr), &len);
    d->port = ntohs(addr.sin_port);
    d->acceptor = std::thread([this] { d->acceptLoop(); });
}

CaptureServer::~CaptureServer() {
    d->stop = true;
    d->acceptor.join();
    for (auto& w : d->workers)
        w.join();
    ::close(d->listener);
}

QString CaptureServer::Url() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(d->port);
}

int CaptureServer::Port() const {
    return d->port;
}

void CaptureServer::Enqueue(const Response& response) {
    std::lock_guard lock(d->mutex);
    d->queue.append(response);
}

void CaptureServer::Enqueue(const QByteArray& body, int status) {
    Response r;
    r.body = body;
    r.status = status;
    r.reason = status == 200 ? "OK" : "Error";
    Enqueue(r);
}

void CaptureServer::SetDefault(const Response& response) {
    std::lock_guard lock(d->mutex);
    d->fallback = response;
}

QList<CaptureServer::Request> CaptureServer::Requests() const {
    std::lock_guard lock(d->mutex);
    return d->requests;
}

CaptureServer::Request CaptureServer::Last() const {
    std::lock_guard lock(d->mutex);
    return d->requests.isEmpty() ? Request() : d->requests.last();
}

int CaptureServer::Count() const {
    std::lock_guard lock(d->mutex);
    return static_cast<int>(d->requests.size());
}

void CaptureServer::Clear() {
    std::lock_guard lock(d->mutex);
    d->requests.clear();
    d->queue.clear();
}
