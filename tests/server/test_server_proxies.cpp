// A server behind a load balancer (--trusted-proxy), against the real kovrel-server binary:
// whom X-Forwarded-For is believed from, that the rules per client address then count the
// clients behind the balancer apart, and that the balancer's own connections are not held to
// one client's share. curl and raw sockets from loopback addresses stand in for the balancer
// and for clients.
#include "demo_server.h"
#include "raw_clients.h"
#include "server_request.h"

#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <memory>
#include <vector>

namespace {

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kDemoPassword = QStringLiteral("demo2024");
const QString kBalancer = QStringLiteral("127.0.0.9");

QStringList forwardedFor(const QString& chain) {
    return {QStringLiteral("X-Forwarded-For: ") + chain};
}

bool admitted(const AddressedReply& r) {
    return r.status == 200 && r.text.contains(QStringLiteral("\"user_id\":"));
}

} // namespace

class TestServerProxies : public DemoServerTest {
    Q_OBJECT

    ServerProcess& server() { return Demo().Server(); }
    quint16 port() { return static_cast<quint16>(QUrl(server().BaseUrl()).port()); }
    void restart(const QStringList& options) {
        QCOMPARE(server().Stop(), 0);
        QVERIFY2(server().Start(options), qPrintable(server().Error()));
    }
    void restartBehindBalancer(const QStringList& more = {}) {
        restart(QStringList{QStringLiteral("--trusted-proxy"), QStringLiteral("10.9.9.9,") + kBalancer} +
                more);
    }
    // Wrong passwords for ever new logins, sent from `from` with the header given (its "%1"
    // the guess's number), until the server refuses them; whether it did within 40.
    bool guessUntilRefused(const QString& from, const QString& chain) {
        for (int i = 0; i < 40; ++i)
            if (SignInFrom(server().BaseUrl(), QStringLiteral("nobody%1@shop.ru").arg(i), QString(),
                           QStringLiteral("x"), from,
                           forwardedFor(QString(chain).replace(QStringLiteral("%1"), QString::number(i + 1))))
                    .status == 429)
                return true;
        return false;
    }
    AddressedReply ownerSignIn(const QString& from, const QString& chain) {
        return SignInFrom(server().BaseUrl(), kDemo, QString(), kDemoPassword, from, forwardedFor(chain));
    }
    // The client address of the log's lines for that endpoint.
    QStringList loggedClients(const QString& endpoint) {
        const QRegularExpression line(
            QStringLiteral("^\\S+ (\\S+) %1 ").arg(QRegularExpression::escape(endpoint)),
            QRegularExpression::MultilineOption);
        QStringList clients;
        for (auto it = line.globalMatch(server().Log()); it.hasNext();)
            clients << it.next().captured(1);
        clients.removeDuplicates();
        return clients;
    }

private Q_SLOTS:
    // From anyone but the balancer the header is made up: a guesser who writes a new address
    // into it every time is locked by his own address, and the log names that address.
    void forgedHeaderChangesNothing() {
        restartBehindBalancer();
        QVERIFY(guessUntilRefused(QStringLiteral("127.0.1.1"), QStringLiteral("192.0.2.%1")));
        QCOMPARE(ownerSignIn(QStringLiteral("127.0.1.1"), QStringLiteral("192.0.2.200")).status, 429);
        QVERIFY(admitted(ownerSignIn(QStringLiteral("127.0.1.2"), QStringLiteral("127.0.1.1"))));
        QCOMPARE(loggedClients(QStringLiteral("/get-lic-v3.php")),
                 QStringList({QStringLiteral("127.0.1.1"), QStringLiteral("127.0.1.2")}));
    }

    // Two clients behind the balancer: the one guessing is locked by his own address (also
    // when he puts another in front of it), the other still signs in; the log names both.
    // Without the option the same two are one address, and the owner waits with the guesser.
    void balancedClientsAreCountedApart() {
        restartBehindBalancer();
        QVERIFY(guessUntilRefused(kBalancer, QStringLiteral("192.0.2.7")));
        QCOMPARE(ownerSignIn(kBalancer, QStringLiteral("198.51.100.1, 192.0.2.7")).status, 429);
        QVERIFY(admitted(ownerSignIn(kBalancer, QStringLiteral("192.0.2.7, 198.51.100.8"))));
        QVERIFY(admitted(ownerSignIn(kBalancer, QStringLiteral("198.51.100.8, 10.9.9.9"))));
        QCOMPARE(loggedClients(QStringLiteral("/get-lic-v3.php")),
                 QStringList({QStringLiteral("192.0.2.7"), QStringLiteral("198.51.100.8")}));

        restart({});
        QVERIFY(guessUntilRefused(kBalancer, QStringLiteral("192.0.2.7")));
        QCOMPARE(ownerSignIn(kBalancer, QStringLiteral("198.51.100.8")).status, 429);
    }

    // The balancer holds more connections than a client may, keeps them idle longer than a
    // client may, and none of them is closed to let a client in; a client beside it is held
    // to all of that.
    void balancerConnectionsAreNotAClients() {
        restartBehindBalancer({QStringLiteral("--max-connections-per-address"), QStringLiteral("2"),
                               QStringLiteral("--header-seconds"), QStringLiteral("1")});
        std::vector<std::unique_ptr<RawConnection>> pool;
        for (int i = 0; i < 6; ++i)
            pool.push_back(std::make_unique<RawConnection>(kBalancer, port()));
        std::vector<std::unique_ptr<RawConnection>> client;
        for (int i = 0; i < 2; ++i)
            client.push_back(std::make_unique<RawConnection>(QStringLiteral("127.0.3.1"), port()));
        QThread::msleep(2500);
        for (const auto& c : pool)
            QVERIFY(!c->ClosedByServer());
        for (const auto& c : client)
            QVERIFY(c->ClosedByServer());
        QCOMPARE(SignInOnce(kBalancer, port(), kDemo, kDemoPassword), 200);
    }
};

QTEST_GUILESS_MAIN(TestServerProxies)
#include "test_server_proxies.moc"
