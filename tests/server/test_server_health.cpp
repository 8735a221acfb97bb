// What a load balancer needs of each server, against the real kovrel-server binary: /health,
// a stop that finishes the requests under way, and a database that goes away and comes back
// (through a link the test cuts, on PostgreSQL).
#include "demo_server.h"
#include "raw_clients.h"
#include "server_request.h"
#include "tcp_link.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <functional>

namespace {

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kDemoPassword = QStringLiteral("demo2024");
const QString kLocal = QStringLiteral("127.0.0.1");

bool eventually(const std::function<bool()>& done, int waitMs = 15000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > waitMs) return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace

class TestServerHealth : public DemoServerTest {
    Q_OBJECT

    ServerProcess& server() { return Demo().Server(); }
    quint16 port() { return static_cast<quint16>(QUrl(server().BaseUrl()).port()); }
    AddressedReply health() { return PostFrom(server().BaseUrl() + QStringLiteral("/health"), {}, kLocal); }
    AddressedReply signIn() {
        return SignInFrom(server().BaseUrl(), kDemo, QString(), kDemoPassword, kLocal);
    }
    // The server again on the demo's database, with further options.
    void restart(const QStringList& options) {
        QCOMPARE(server().Stop(), 0);
        QVERIFY2(server().Start(options), qPrintable(server().Error()));
    }
    // A sign-in whose body stops short of its last bytes; the rest is sent by finish().
    QByteArray m_request = SignInRequest(kDemo, kDemoPassword);
    std::unique_ptr<RawConnection> beginSlowRequest() {
        auto c = std::make_unique<RawConnection>(kLocal, port());
        c->SendAll(m_request.first(m_request.size() - 10));
        QThread::msleep(300); // its headers are in, its body under way
        return c;
    }

private Q_SLOTS:
    // 200 "ok" for anyone, without a sign-in and with nothing about any account; a balancer's
    // checks every few seconds leave the log alone.
    void healthAnswersWithoutSignIn() {
        const AddressedReply ok = health();
        QCOMPARE(ok.status, 200);
        QCOMPARE(ok.text, QStringLiteral("ok"));
        QCOMPARE(PostFrom(server().BaseUrl() + QStringLiteral("/health"), {QStringLiteral("login=") + kDemo},
                          kLocal)
                     .status,
                 405);
        QCOMPARE(signIn().status, 200);
        QVERIFY(server().Log().contains(QStringLiteral(" /get-lic-v3.php ")));
        QVERIFY(!server().Log().contains(QStringLiteral(" /health ") + kDemo));
        QVERIFY(!server().Log().contains(QStringLiteral(" /health - 200 ")));
    }

    // On SIGTERM /health says 503 at once; a request under way (its body half sent) is still
    // served whole, and the server exits with 0 once it is answered.
    void stopFinishesRequestsUnderWay() {
        auto slow = beginSlowRequest();
        server().Signal(SIGTERM);
        QVERIFY(eventually([&] { return server().Log().contains(QStringLiteral("stopping on signal 15")); }));
        const AddressedReply stopping = health();
        QCOMPARE(stopping.status, 503);
        QCOMPARE(stopping.text, QStringLiteral("Сервер останавливается"));
        QVERIFY(server().Running());
        QVERIFY(slow->SendAll(m_request.last(10)));
        const QByteArray reply = slow->UntilClosed();
        QVERIFY2(reply.startsWith("HTTP/1.1 200 "), reply.constData());
        QVERIFY(reply.contains("\"user_id\":"));
        QVERIFY(reply.endsWith('}'));
        QCOMPARE(server().WaitForExit(10000), 0);
        QVERIFY(server().Log().endsWith(QStringLiteral("stopped\n")));
    }

    // A request that never ends holds the stop up for --stop-seconds and no longer.
    void stopGivesUpAfterItsTime() {
        restart({QStringLiteral("--stop-seconds"), QStringLiteral("2")});
        auto slow = beginSlowRequest();
        QElapsedTimer t;
        t.start();
        server().Signal(SIGTERM);
        QCOMPARE(server().WaitForExit(15000), 0);
        QVERIFY2(t.elapsed() >= 1900 && t.elapsed() < 6000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(server().Log().contains(QStringLiteral("stopped with 1 request(s) unfinished")));
    }

    // A database that goes away: /health and every request answer 503 at once, whole and
    // saying why; when it is back the server serves again by itself. One that hangs costs
    // /health a second, not more.
    void databaseLossAnswers503UntilItIsBack() {
        if (!Demo().Database().IsPostgres()) QSKIP("an SQLite file does not go away like a database server");
        QUrl url(Demo().Database().Argument());
        TcpLink link(static_cast<quint16>(url.port(5432)));
        url.setPort(link.Port());
        restart({QStringLiteral("--db"), url.toString()});
        QCOMPARE(health().status, 200);
        QCOMPARE(signIn().status, 200);

        link.Cut();
        const AddressedReply down = health();
        QCOMPARE(down.status, 503);
        QCOMPARE(down.text, QStringLiteral("База данных недоступна"));
        for (int i = 0; i < 3; ++i) {
            const AddressedReply refused = signIn();
            QCOMPARE(refused.status, 503);
            QCOMPARE(refused.text, QStringLiteral("База данных недоступна, повторите запрос"));
            QCOMPARE(refused.retryAfter, 2);
        }

        link.Restore();
        QVERIFY(eventually([&] { return health().status == 200; }));
        QCOMPARE(signIn().status, 200);

        link.Freeze();
        QElapsedTimer t;
        t.start();
        QCOMPARE(health().status, 503);
        QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
        link.Restore();
        QVERIFY(eventually([&] { return health().status == 200; }));
        QCOMPARE(signIn().status, 200);
    }
};

QTEST_GUILESS_MAIN(TestServerHealth)
#include "test_server_health.moc"
