// Several servers on one database behave as one service, against the real kovrel-server
// binary: whatever a request leaves for a later one (a backup waiting for download, the counts
// of failed sign-ins, a password's end) is there for any server the later request reaches, as
// it is behind a load balancer. Each server keeps a data folder of its own.
#include "demo_server.h"
#include "demo_session.h"
#include "server_request.h"
#include "session.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kDemoPassword = QStringLiteral("demo2024");
const QString kPublic = QStringLiteral("https://kovrel.example.com");

} // namespace

class TestServerShared : public DemoServerTest {
    Q_OBJECT

    ServerProcess& a() { return Demo().Server(); }
    QString folderOf(const QString& name) { return QDir(Demo().Database().Folder()).filePath(name); }
    // A second server on the demo's database, and the first again, both with a data folder of
    // their own and the balancer's address. The second goes with the test function, before its
    // database.
    void startTwo(std::unique_ptr<ServerProcess>& b) {
        QCOMPARE(a().Stop(), 0);
        QVERIFY2(a().Start({QStringLiteral("--data-dir"), folderOf(QStringLiteral("a")),
                            QStringLiteral("--public-url"), kPublic}),
                 qPrintable(a().Error()));
        b = std::make_unique<ServerProcess>(Demo().Database());
        QVERIFY2(b->Start({QStringLiteral("--data-dir"), folderOf(QStringLiteral("b")),
                           QStringLiteral("--public-url"), kPublic}),
                 qPrintable(b->Error()));
    }
    int listStores(const ServerProcess& server, const QString& password) {
        BaseURL = server.BaseUrl();
        return PostToServer(QStringLiteral("/list-stores-json.php"),
                            WithFields(AuthForm(kDemo, QString(), password),
                                       {{QStringLiteral("upname_win"), QString()}}))
            .status;
    }

private Q_SLOTS:
    // A backup asked of one server downloads through the other, once; neither keeps it on its
    // disk.
    void backupMadeOnOneDownloadsThroughAnother() {
        std::unique_ptr<ServerProcess> b;
        startTwo(b);
        if (QTest::currentTestFailed()) return;
        BaseURL = a().BaseUrl();
        UseDemoAdmin();
        const QString url = TFormLoad().RunBlackup();
        QVERIFY2(url.startsWith(kPublic + QStringLiteral("/backup/")), qPrintable(url));
        const QString path = url.mid(kPublic.size());
        const Download there = DownloadUrl(b->BaseUrl() + path);
        QCOMPARE(there.status, 200);
        QCOMPARE(QJsonDocument::fromJson(there.body).object().value("account").toString(), kDemo);
        QVERIFY(there.body.endsWith("\"}"));
        QCOMPARE(DownloadUrl(a().BaseUrl() + path).status, 404);
        QCOMPARE(DownloadUrl(b->BaseUrl() + path).status, 404);
        for (const QString& server : {QStringLiteral("a"), QStringLiteral("b")})
            QVERIFY(QDir(folderOf(server) + QStringLiteral("/backups")).isEmpty());
    }

    // Guesses through two servers count together (apart, neither would reach its limit within
    // forty), and a restarted server counts on from where they stopped: its next guess locks
    // the guesser's address, on the other server too.
    void failedSignInsCountOnEveryServer() {
        std::unique_ptr<ServerProcess> b;
        startTwo(b);
        if (QTest::currentTestFailed()) return;
        const QString guesser = QStringLiteral("127.0.1.1");
        const auto guess = [&](const ServerProcess& server, int i) {
            return SignInFrom(server.BaseUrl(), QStringLiteral("nobody%1@shop.ru").arg(i), QString(),
                              QStringLiteral("x"), guesser);
        };
        int status = 0;
        for (int i = 0; i < 40 && status != 429; ++i)
            status = guess(i % 2 ? a() : *b, i).status;
        QCOMPARE(status, 429);
        QCOMPARE(a().Stop(), 0);
        QVERIFY(a().Start({QStringLiteral("--data-dir"), folderOf(QStringLiteral("a"))}));
        AddressedReply counted;
        for (int i = 0; i < 20 && counted.status != 200; ++i, QThread::msleep(250))
            counted = guess(a(), 100 + i); // refused while the first lock lasts
        QCOMPARE(counted.status, 200);
        const AddressedReply owner = SignInFrom(b->BaseUrl(), kDemo, QString(), kDemoPassword, guesser);
        QCOMPARE(owner.status, 429);
        QVERIFY(owner.retryAfter > 0);
    }

    // A password that ends through one server is refused by the other, which had just let it in.
    void passwordEndedOnOneIsRefusedByTheOther() {
        std::unique_ptr<ServerProcess> b;
        startTwo(b);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(listStores(a(), kDemoPassword), 200);
        BaseURL = b->BaseUrl();
        const QString fresh = NewAccountPassword(*b, kDemo);
        QVERIFY(!fresh.isEmpty());
        QCOMPARE(listStores(a(), kDemoPassword), 200); // the old one works until the new one is used
        QCOMPARE(listStores(*b, fresh), 200);
        QCOMPARE(listStores(a(), kDemoPassword), 401);
        QCOMPARE(listStores(a(), fresh), 200);
    }
};

QTEST_GUILESS_MAIN(TestServerShared)
#include "test_server_shared.moc"
