// The service's limits against the real kovrel-server binary: connections an address may hold,
// how long a request may take to arrive, request bodies, and how often a password may be
// guessed or asked for. Raw sockets stand in for a hostile client; no assertion is about speed.
#include "demo_server.h"
#include "session.h"

#include <QProcess>
#include <QTest>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// A TCP connection to the server from a loopback address of the test's choosing, so that one
// test process can be several clients.
class RawConnection {
public:
    RawConnection(const char* from, quint16 port) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in source{};
        source.sin_family = AF_INET;
        ::inet_pton(AF_INET, from, &source.sin_addr);
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
    ~RawConnection() {
        if (m_fd >= 0) ::close(m_fd);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool Connected() const { return m_fd >= 0; }
    bool Send(const QByteArray& bytes) {
        return m_fd >= 0 && ::send(m_fd, bytes.constData(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT) > 0;
    }
    // Whether the server has closed the connection (end of stream or an error) by now.
    bool ClosedByServer() {
        if (m_fd < 0) return true;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 0) <= 0) return false;
        char byte;
        return ::recv(m_fd, &byte, 1, MSG_DONTWAIT) <= 0;
    }

private:
    int m_fd = -1;
};

// Headers that never end, sent a byte at a time.
const QByteArray kEndless = "POST /get-lic-v3.php HTTP/1.1\r\nHost: x\r\nX-Pad: " + QByteArray(4096, 'a');

// Connections from one address that each send a byte of kEndless every second until the
// object goes.
class Trickle {
public:
    Trickle(const char* from, quint16 port, int connections) {
        for (int i = 0; i < connections; ++i)
            m_connections.push_back(std::make_unique<RawConnection>(from, port));
        m_thread = std::thread([this] {
            for (qsizetype at = 0; !m_stop && at < kEndless.size(); ++at) {
                for (auto& c : m_connections)
                    c->Send(kEndless.mid(at, 1));
                for (int i = 0; i < 10 && !m_stop; ++i)
                    QThread::msleep(100);
            }
        });
    }
    ~Trickle() {
        m_stop = true;
        m_thread.join();
    }

private:
    std::vector<std::unique_ptr<RawConnection>> m_connections;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// What came back to a request made from a loopback address of the test's choosing by a client
// that gives up after 30 seconds; status 0 when no reply came.
struct Reply {
    int status = 0;
    int retryAfter = 0;
    QString text;
};

Reply post(const QString& url, const QStringList& fields, const QString& from = QStringLiteral("127.0.0.1")) {
    QStringList args = {QStringLiteral("-s"), QStringLiteral("-i"),          QStringLiteral("--max-time"),
                        QStringLiteral("30"), QStringLiteral("--interface"), from};
    for (const QString& f : fields)
        args << QStringLiteral("-F") << f;
    QProcess curl;
    curl.start(QStringLiteral("curl"), args << url);
    curl.waitForFinished(40000);
    const QByteArray out = curl.readAllStandardOutput();
    const qsizetype end = out.indexOf("\r\n\r\n");
    Reply r;
    if (end < 0) return r;
    const QList<QByteArray> head = out.left(end).split('\n');
    r.status = head.first().split(' ').value(1).toInt();
    for (const QByteArray& line : head)
        if (line.toLower().startsWith("retry-after:")) r.retryAfter = line.mid(12).trimmed().toInt();
    r.text = QString::fromUtf8(out.mid(end + 4));
    return r;
}

Reply signIn(const QString& baseUrl, const QString& login, const QString& token,
             const QString& from = QStringLiteral("127.0.0.1")) {
    return post(baseUrl + QStringLiteral("/get-lic-v3.php"),
                {QStringLiteral("login=") + login, QStringLiteral("dop_login="),
                 QStringLiteral("token=") + token, QStringLiteral("client=W")},
                from);
}

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kDemoPassword = QStringLiteral("demo2024");

} // namespace

class TestServerLimits : public DemoServerTest {
    Q_OBJECT

    QString url() { return Demo().Server().BaseUrl(); }
    quint16 port() { return static_cast<quint16>(url().section(QLatin1Char(':'), -1).toUInt()); }
    // The demo's server again, with options of the test's.
    void restart(const QStringList& args) {
        QCOMPARE(Demo().Server().Stop(), 0);
        QVERIFY2(Demo().Server().Start(args), qPrintable(Demo().Server().Error()));
        BaseURL = url();
    }

private Q_SLOTS:
    // More connections than the whole server takes, all from one address, each dribbling
    // headers that never end: a client elsewhere is still served, with the defaults.
    void floodFromOneAddressLeavesOthersServed() {
        const Trickle flood("127.0.0.2", port(), 300);
        QCOMPARE(signIn(url(), kDemo, kDemoPassword).status, 200);
    }

    // A request must arrive whole within its time, however steadily its bytes come.
    void trickledRequestIsCutOff() {
        restart({QStringLiteral("--request-seconds"), QStringLiteral("2")});
        RawConnection slow("127.0.0.1", port());
        QVERIFY(slow.Connected());
        bool closed = false;
        for (qsizetype at = 0; at < 300 && !closed; ++at) {
            slow.Send(kEndless.mid(at, 1));
            QThread::msleep(100);
            closed = slow.ClosedByServer();
        }
        QVERIFY(closed);
        QCOMPARE(signIn(url(), kDemo, kDemoPassword).status, 200);
    }

    // Wrong passwords for one login, from anywhere, lock it for a while that grows with each
    // further one: 429 with Retry-After, for the right password too, which works again once the
    // time is up. Wrong passwords for ever new logins from one address lock that address, and no
    // other. The right password is one request, one answer.
    void failedSignInsAreThrottled() {
        QCOMPARE(signIn(url(), kDemo, kDemoPassword).status, 200);
        Reply locked;
        for (int i = 0; i < 30 && locked.retryAfter < 4; ++i) {
            locked = signIn(url(), kDemo, QStringLiteral("guess%1").arg(i),
                            QStringLiteral("127.0.0.%1").arg(2 + i));
            QVERIFY2(locked.status == 200 || locked.status == 429, qPrintable(locked.text));
            if (locked.status == 429 && locked.retryAfter < 4)
                QThread::sleep(locked.retryAfter); // to guess again
        }
        QCOMPARE(locked.status, 429);
        QCOMPARE(
            locked.text,
            QStringLiteral("Слишком много неверных паролей: повторите через %1 с").arg(locked.retryAfter));
        QCOMPARE(signIn(url(), kDemo, kDemoPassword).status, 429);
        QThread::sleep(locked.retryAfter);
        const Reply right = signIn(url(), kDemo, kDemoPassword);
        QCOMPARE(right.status, 200);
        QVERIFY(right.text.contains(QStringLiteral("\"test_admin_pas\":1")));

        Reply address;
        for (int i = 0; i < 40 && address.status != 429; ++i)
            address = signIn(url(), QStringLiteral("nobody%1@shop.ru").arg(i), QStringLiteral("x"),
                             QStringLiteral("127.0.1.1"));
        QCOMPARE(address.status, 429);
        QVERIFY(address.retryAfter > 0);
        QCOMPARE(signIn(url(), kDemo, kDemoPassword, QStringLiteral("127.0.1.2")).status, 200);
    }

    // One address may ask for only so many new passwords an hour, whatever the logins; others
    // may still ask.
    void newPasswordRequestsPerAddressAreLimited() {
        const auto ask = [&](int i, const QString& from) {
            return post(url() + QStringLiteral("/create-db.php"),
                        {QStringLiteral("login=owner%1@shop.ru").arg(i)}, from);
        };
        for (int i = 0; i < 10; ++i)
            QCOMPARE(ask(i, QStringLiteral("127.0.0.2")).status, 200);
        const Reply refused = ask(10, QStringLiteral("127.0.0.2"));
        QCOMPARE(refused.status, 429);
        QCOMPARE(refused.retryAfter, 60);
        QCOMPARE(refused.text, QStringLiteral("Слишком много запросов нового пароля: повторите через 60 с"));
        QCOMPARE(ask(11, QStringLiteral("127.0.0.3")).status, 200);
        QCOMPARE(Demo().Server().Mail().size(), 11);
    }
};

QTEST_GUILESS_MAIN(TestServerLimits)
#include "test_server_limits.moc"
