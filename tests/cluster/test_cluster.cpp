// Three kovrel-servers on one PostgreSQL database behind HAProxy with the shipped rules, as
// scripts/cluster starts them: clients that sell the same goods while a server dies and comes
// back, the balancer's retries, a backup made on one server and downloaded from another, and
// sign-in throttling by the clients' own addresses.
#include "catalog_seed.h"
#include "database.h"
#include "demo_session.h"
#include "local_cluster.h"
#include "server_request.h"
#include "session.h"
#include "shop_fixture.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <latch>
#include <mutex>
#include <thread>

namespace {

using Fields = QList<QPair<QString, QString>>;

QString num(qint64 v) {
    return QString::number(v);
}

const QString kAdmin = QStringLiteral("chain@kovrel.test");
const QString kPassword = QStringLiteral("chain-secret");
// A second account, for sign-ins, so that guessing does not touch the shop the clients use.
const QString kOther = QStringLiteral("branch@kovrel.test");
const QString kOtherPassword = QStringLiteral("branch-secret");

// What one client did: the tags of the waybills it asked for, the ones acknowledged with their
// numbers, the lines acknowledged, and every request that failed (no reply or a 5xx).
struct ClientLog {
    QStringList asked;
    QMap<QString, int> acknowledged; // tag → waybill number
    QList<int> soldLines;
    int refused = 0; // 409: no stock left
    QStringList failures;
};

} // namespace

class TestCluster : public QObject {
    Q_OBJECT

    LocalCluster cluster;
    std::unique_ptr<CatalogSeed> seed;
    qint64 account = 0;
    int store = 0, buyer = 0, supplier = 0, goods = 0;

    qint64 number(const QString& sql) {
        auto q = seed->Db().Query(sql).Bind(account).Run();
        return q.Next() ? q.Int64(0) : -1;
    }

    // A request in the client's wire form through the balancer, on the client's connection;
    // a transport failure's text in place of the reply's when none came.
    ServerReply call(kovrel::HttpTransport& http, const QString& endpoint, const Fields& fields) {
        const kovrel::wire::MultipartForm form = WithFields(TFormLoad::NewForm(), fields);
        const QByteArray boundary = kovrel::wire::MultipartForm::MakeBoundary(QDateTime::currentDateTime());
        const kovrel::HttpReply r =
            http.Post(cluster.Address() + endpoint, kovrel::wire::MultipartForm::ContentType(boundary),
                      form.Encode(boundary));
        return {r.status, r.delivered ? r.Text() : r.error};
    }
    ServerReply call(const QString& endpoint, const Fields& fields) {
        kovrel::HttpTransport http;
        return call(http, endpoint, fields);
    }

    // One client selling one unit per waybill until told to stop.
    void sell(int client, const std::atomic<bool>& stop, std::atomic<int>& refusals, ClientLog& log) {
        for (int k = 0; !stop; ++k) {
            const QString tag = QStringLiteral("client %1, sale %2").arg(client).arg(k);
            log.asked.append(tag);
            const ServerReply doc =
                call(QStringLiteral("/insert-nkl.php"), {{"dat", QDate::currentDate().toString(Qt::ISODate)},
                                                         {"id_stores", num(store)},
                                                         {"id_klients", num(buyer)},
                                                         {"prim_win", tag}});
            if (doc.status != 200) {
                log.failures.append(QStringLiteral("%1: %2 %3").arg(tag).arg(doc.status).arg(doc.text));
                continue;
            }
            log.acknowledged.insert(tag, doc.text.toInt());
            const ServerReply line = call(QStringLiteral("/insert-nkl-items.php"), {{"id_z", doc.text},
                                                                                    {"id_goods", num(goods)},
                                                                                    {"kol", "1"},
                                                                                    {"zcen", "50"},
                                                                                    {"rcen", "80.00"}});
            if (line.status == 200)
                log.soldLines.append(line.text.toInt());
            else if (line.status == 409)
                ++log.refused, ++refusals;
            else
                log.failures.append(
                    QStringLiteral("%1, line: %2 %3").arg(tag).arg(line.status).arg(line.text));
        }
    }

private Q_SLOTS:
    void initTestCase() {
        const QString error = cluster.Start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        seed = std::make_unique<CatalogSeed>(cluster.Database());
        account = seed->Account(kAdmin, kPassword);
        store = seed->Store(account, QStringLiteral("Центральный склад"));
        buyer = seed->Klient(account, 1, QStringLiteral("ООО Покупатель"));
        supplier = seed->Klient(account, 1, QStringLiteral("ООО Поставщик"));
        goods = seed->Goods(account, QStringLiteral("Гречка 900 г"), 50);
        seed->Account(kOther, kOtherPassword);
        BaseURL = cluster.Address();
        Login = kAdmin;
        DopLogin.clear();
        Token = kPassword;
    }

    // Twenty clients sell the same goods through the balancer while one server is killed and,
    // later, started again, and another is stopped and started as for an update; goods keep
    // arriving meanwhile, and at the end the clients sell out. Every acknowledged waybill and
    // line is there, none twice; the numbers are unique; the stock never goes below zero; each
    // client sees at most the one request it had under way fail.
    void salesWhileAServerIsKilledAndRestarted() {
        constexpr int kClients = 20;
        const int receipt = ShopFixture::Doc(QStringLiteral("prh"), store, supplier);
        QVERIFY(receipt);
        const auto stockLeft = [&] {
            return number(QStringLiteral("SELECT CAST(SUM(kol_plus - kol_minus) AS BIGINT) FROM stock WHERE "
                                         "account_id = ?"));
        };
        // Waits, a receipt line of 30 units every quarter of a second (one lost with a server
        // does not matter: the stock is read from the database).
        const auto receiveFor = [&](int ms) {
            for (int waited = 0; waited < ms; waited += 250) {
                ShopFixture::AddLine(QStringLiteral("prh"), receipt, {goods, 30, 50});
                QThread::msleep(250);
            }
        };

        std::atomic<bool> stop{false};
        std::atomic<int> refusals{0};
        std::vector<ClientLog> logs(kClients);
        std::vector<std::thread> clients;
        for (int c = 0; c < kClients; ++c)
            clients.emplace_back([&, c] { sell(c, stop, refusals, logs[c]); });
        bool ok = true;
        QString step;
        for (const auto& [wait, command, server] : {std::tuple{1500, "kill", "2"},
                                                    {2000, "revive", "2"},
                                                    {1000, "term", "3"},
                                                    {1000, "revive", "3"}}) {
            receiveFor(wait);
            if (ok) step = cluster.Run({QLatin1String(command), QLatin1String(server)}, &ok);
        }
        receiveFor(1000);
        for (int i = 0; i < 300 && stockLeft() > 0; ++i)
            QThread::msleep(100);
        QThread::msleep(200);
        stop = true;
        for (std::thread& t : clients)
            t.join();
        QVERIFY2(ok, qPrintable(step));

        int acknowledged = 0, sold = 0, refused = 0, failed = 0;
        QSet<int> numbers;
        for (int c = 0; c < kClients; ++c) {
            const ClientLog& log = logs[c];
            QVERIFY2(log.failures.size() <= 1, qPrintable(log.failures.join(QLatin1Char('\n'))));
            acknowledged += log.acknowledged.size();
            sold += log.soldLines.size();
            refused += log.refused;
            failed += static_cast<int>(log.failures.size());
            for (const int n : log.acknowledged)
                numbers.insert(n);
            for (const QString& tag : log.asked) {
                auto q =
                    seed->Db()
                        .Query(QStringLiteral("SELECT COUNT(*), MIN(id) FROM docs WHERE account_id = ? AND "
                                              "kind = 2 AND prim = ?"))
                        .Bind(account)
                        .Bind(tag)
                        .Run();
                QVERIFY(q.Next());
                // A waybill asked for once is there once at most; an acknowledged one, with its number.
                QVERIFY2(q.Int(0) <= 1, qPrintable(tag));
                if (log.acknowledged.contains(tag)) {
                    QCOMPARE(q.Int(0), 1);
                    QCOMPARE(q.Int(1), log.acknowledged.value(tag));
                }
            }
            for (const int line : log.soldLines)
                QCOMPARE(
                    number(QStringLiteral("SELECT COUNT(*) FROM doc_items WHERE account_id = ? AND kind = 2 "
                                          "AND kol = 1 AND id = %1")
                               .arg(line)),
                    1);
        }
        QCOMPARE(numbers.size(), acknowledged);
        QCOMPARE(
            number(QStringLiteral("SELECT COUNT(*) - COUNT(DISTINCT id) FROM docs WHERE account_id = ? AND "
                                  "kind IN (1, 2)")),
            0);
        // Sold out: the lines sold are the goods received, the stock is none. A line whose
        // reply was lost with a server may be among them unacknowledged.
        const qint64 received = number(QStringLiteral(
            "SELECT CAST(SUM(kol) AS BIGINT) FROM doc_items WHERE account_id = ? AND kind = 1"));
        QCOMPARE(
            number(QStringLiteral("SELECT CAST(SUM(kol) AS BIGINT) FROM doc_items WHERE account_id = ? AND "
                                  "kind = 2")),
            received);
        QCOMPARE(stockLeft(), 0);
        QVERIFY2(sold <= received && sold >= received - failed, qPrintable(QString::number(sold)));
        QVERIFY(refused > 0);
        std::printf("%lld received, %d waybills acknowledged, %d lines sold, %d refused for want of stock, "
                    "%d failed\n",
                    received, acknowledged, sold, refused, failed);
    }

    // A backup asked for through the balancer downloads from whichever server the download
    // reaches, once, at the address the balancer's clients see.
    void backupMadeOnOneServerDownloadsFromAnother() {
        QStringList pairs;
        for (int i = 0; i < 3; ++i) {
            const ServerReply asked =
                PostToServer(QStringLiteral("/backup-db.php"), AuthForm(kAdmin, QString(), kPassword));
            QCOMPARE(asked.status, 200);
            QVERIFY2(asked.text.startsWith(cluster.Address() + QStringLiteral("/backup/")),
                     qPrintable(asked.text));
            const Download first = DownloadUrl(asked.text);
            QCOMPARE(first.status, 200);
            const QJsonObject backup = QJsonDocument::fromJson(first.body).object();
            QCOMPARE(backup.value(QLatin1String("account")).toString(), kAdmin);
            QCOMPARE(backup.value(QLatin1String("sha256")).toString().size(), 64);
            QCOMPARE(DownloadUrl(asked.text).status, 404);
        }
        // The balancer takes turns: each download went to a server other than the one that made it.
        QThread::msleep(500); // its log is written once a reply is done
        const QStringList made = cluster.ServedBy(QStringLiteral("POST /backup-db.php"));
        const QStringList downloaded = cluster.ServedBy(QStringLiteral("GET /backup/"));
        QCOMPARE(made.size(), 3);
        QCOMPARE(downloaded.size(), 6);
        int elsewhere = 0;
        for (int i = 0; i < 3; ++i)
            elsewhere += made[i] != downloaded[2 * i];
        QVERIFY2(elsewhere > 0, qPrintable(made.join(' ') + " / " + downloaded.join(' ')));
    }

    // Two clients behind the balancer: one guesses the password (and sends a X-Forwarded-For
    // of the other's address, which the balancer drops), the other signs in from the address he
    // always uses and is never refused.
    void throttlingSeesTheClientsOwnAddresses() {
        const QString owner = QStringLiteral("127.0.0.3"), guesser = QStringLiteral("127.0.0.2");
        const auto signedIn = [](const AddressedReply& r) {
            return r.status == 200 && r.text.contains(QLatin1String("\"test_admin_pas\":1"));
        };
        QVERIFY(signedIn(SignInFrom(cluster.Address(), kOther, {}, kOtherPassword, owner)));
        int refused = 0;
        for (int i = 0; i < 30; ++i) {
            const AddressedReply guess =
                PostFrom(cluster.Address() + QStringLiteral("/get-lic-v3.php"),
                         {QStringLiteral("login=") + kOther, QStringLiteral("dop_login="),
                          QStringLiteral("token=guess%1").arg(i), QStringLiteral("client=W")},
                         guesser, {QStringLiteral("X-Forwarded-For: ") + owner});
            QVERIFY2((guess.status == 200 && !signedIn(guess)) || guess.status == 429,
                     qPrintable(guess.text));
            refused += guess.status == 429;
        }
        QVERIFY2(refused > 0, "the guesses were never throttled");
        for (int i = 0; i < 3; ++i)
            QVERIFY(signedIn(SignInFrom(cluster.Address(), kOther, {}, kOtherPassword, owner)));
    }

    // A request that reached a server which then died without a reply: a POST (every request
    // of the client, writes among them) is answered 502 and never sent to another server, since
    // it may have been applied; a GET goes to another server. The server is hung first
    // (SIGSTOP), so that the requests sent to it are surely under way there when it dies.
    void requestsUnderWayOnADyingServer() {
        QVERIFY(cluster.Pause(1));
        constexpr int kRequests = 6; // two rounds of the three servers
        std::vector<std::thread> requests;
        std::vector<int> posted(kRequests), fetched(kRequests);
        for (int i = 0; i < kRequests; ++i) {
            requests.emplace_back([&, i] {
                posted[i] = call(QStringLiteral("/insert-nkl.php"),
                                 {{"dat", QDate::currentDate().toString(Qt::ISODate)},
                                  {"id_stores", num(store)},
                                  {"id_klients", num(buyer)},
                                  {"prim_win", QStringLiteral("under way %1").arg(i)}})
                                .status;
            });
            requests.emplace_back([&, i] {
                fetched[i] = DownloadUrl(cluster.Address() + QStringLiteral("/backup/unknown")).status;
            });
            QThread::msleep(20);
        }
        QThread::msleep(1000);
        bool ok = false;
        const QString killed = cluster.Run({QStringLiteral("kill"), QStringLiteral("1")}, &ok);
        for (std::thread& t : requests)
            t.join();
        QVERIFY2(ok, qPrintable(killed));
        const int lost = static_cast<int>(std::count(posted.begin(), posted.end(), 502));
        QVERIFY2(lost > 0, "no POST reached the hung server");
        QCOMPARE(static_cast<int>(std::count(posted.begin(), posted.end(), 200)), kRequests - lost);
        QCOMPARE(number(QStringLiteral(
                     "SELECT COUNT(*) FROM docs WHERE account_id = ? AND prim LIKE 'under way %'")),
                 qint64(kRequests - lost));
        // Every GET was answered by a live server: the unknown download is 404, never 502.
        QCOMPARE(static_cast<int>(std::count(fetched.begin(), fetched.end(), 404)), kRequests);
        const QString revived = cluster.Run({QStringLiteral("revive"), QStringLiteral("1")}, &ok);
        QVERIFY2(ok, qPrintable(revived));
    }
};

int main(int argc, char** argv) {
    // CTest's SKIP_RETURN_CODE: a machine without haproxy or PostgreSQL says so, never "passed".
    const QString unavailable = LocalCluster::Unavailable();
    if (!unavailable.isEmpty()) {
        std::printf("SKIP: %s\n", qPrintable(unavailable));
        return 77;
    }
    QCoreApplication app(argc, argv);
    TestCluster test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_cluster.moc"
