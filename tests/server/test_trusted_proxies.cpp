// Whom a request that came through trusted proxies is from: X-Forwarded-For read from its end,
// in the forms proxies write it.
#include "trusted_proxies.h"

#include <QTest>

using kovrel::server::ClientAddress;
using kovrel::server::TrustedProxies;

class TestTrustedProxies : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clientOfForwardedFor_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("client");
        QTest::newRow("none: the proxy itself") << QByteArray() << "10.0.0.2";
        QTest::newRow("one client") << QByteArray("203.0.113.5") << "203.0.113.5";
        QTest::newRow("made up in front of the real one")
            << QByteArray("1.1.1.1, 203.0.113.5") << "203.0.113.5";
        QTest::newRow("through a second proxy") << QByteArray("203.0.113.5, 10.0.0.3") << "203.0.113.5";
        QTest::newRow("through a network of proxies")
            << QByteArray("203.0.113.5,192.168.7.20") << "203.0.113.5";
        QTest::newRow("with a port") << QByteArray("203.0.113.5:51234") << "203.0.113.5";
        QTest::newRow("IPv6") << QByteArray("2001:db8::7") << "2001:db8::7";
        QTest::newRow("IPv6 in brackets with a port") << QByteArray("[2001:db8::7]:443") << "2001:db8::7";
        QTest::newRow("IPv4 mapped into IPv6") << QByteArray("::ffff:203.0.113.5") << "203.0.113.5";
        QTest::newRow("only proxies: the first of them") << QByteArray("10.0.0.3, 192.168.7.1") << "10.0.0.3";
        QTest::newRow("garbage from the proxy: the proxy")
            << QByteArray("203.0.113.5, unknown") << "10.0.0.2";
        QTest::newRow("garbage behind a proxy: that proxy") << QByteArray("nonsense, 10.0.0.3") << "10.0.0.3";
        QTest::newRow("empty entries skipped") << QByteArray("203.0.113.5, ,") << "203.0.113.5";
    }
    void clientOfForwardedFor() {
        QFETCH(QByteArray, header);
        QFETCH(QString, client);
        const auto proxies =
            TrustedProxies::Parse(QStringLiteral("10.0.0.2, 10.0.0.3,192.168.7.0/24"), nullptr);
        QVERIFY(proxies);
        const ClientAddress peer = ClientAddress::Of(QHostAddress(QStringLiteral("10.0.0.2")));
        QCOMPARE(proxies->ClientOf(peer, header).host, client);
    }

    void parseRefusesWhatIsNoAddress() {
        QString error;
        QVERIFY(!TrustedProxies::Parse(QStringLiteral("10.0.0.1,proxy.local"), &error));
        QCOMPARE(error, QStringLiteral("--trusted-proxy expects ADDR[,ADDR…], not \"proxy.local\""));
        QVERIFY(!TrustedProxies::Parse(QStringLiteral("10.0.0.0/33"), &error));
        QVERIFY(!TrustedProxies::Parse(QStringLiteral(","), &error));
        const auto v6 = TrustedProxies::Parse(QStringLiteral("::1,fd00::/8"), &error);
        QVERIFY(v6);
        QVERIFY(v6->Contains(QHostAddress(QStringLiteral("fd12::5"))));
        QVERIFY(!v6->Contains(QHostAddress(QStringLiteral("fe80::1"))));
        QVERIFY(!v6->Contains(QHostAddress(QStringLiteral("127.0.0.1"))));
    }
};

QTEST_GUILESS_MAIN(TestTrustedProxies)
#include "test_trusted_proxies.moc"
