// Throttling of failed sign-ins against the real kovrel-server binary, for the cases that locked
// owners out before: someone guessing the administrator's password from ever new addresses,
// clients with an old password behind a shop's address, and a login that an operator unlocks.
// curl from loopback addresses of the test's choosing stands in for the many clients.
#include "database.h"
#include "demo_server.h"
#include "server_request.h"
#include "session.h"

#include <QDate>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace {

const QString kDemo = QStringLiteral("demo@kovrel.local");
const QString kKassa = QStringLiteral("kassa@kovrel.local");
const QString kDemoPassword = QStringLiteral("demo2024");
const QString kKassaPassword = QStringLiteral("kassa2024");

const QString kHome = QStringLiteral("127.0.0.1");
const QString kShop = QStringLiteral("127.0.5.5");

bool admitted(const AddressedReply& r) {
    return r.status == 200 && r.text.contains(QStringLiteral("\"user_id\":"));
}

bool signedInRight(const AddressedReply& r) {
    return r.status == 200 && !r.text.contains(QStringLiteral("\"user_name\":\"\""));
}

} // namespace

class TestServerSignIns : public DemoServerTest {
    Q_OBJECT

    QString url() { return Demo().Server().BaseUrl(); }
    AddressedReply signIn(const QString& login, const QString& token, const QString& from,
                          const QString& user = QString()) {
        return SignInFrom(url(), login, user, token, from);
    }
    // A guess from an address of its own, as from a pool of rotating addresses.
    AddressedReply guess(int i) {
        return signIn(kDemo, QStringLiteral("guess%1").arg(i),
                      QStringLiteral("127.0.%1.%2").arg(100 + i / 200).arg(1 + i % 200));
    }
    // A statement's single number, read from the server's database.
    qint64 number(const QString& sql) {
        kovrel::server::Database db(
            *kovrel::server::DatabaseAddress::Parse(Demo().Database().Argument(), nullptr));
        auto q = db.Query(sql).Run();
        return q.Next() ? q.Int64(0) : -1;
    }

private Q_SLOTS:
    // Someone who knows only the administrator's login guesses four times a second from ever
    // new addresses: after a few guesses he is refused at once, before any password is checked,
    // with Retry-After; the owner at an address he signed in from before is never refused, also
    // after a restart; from a new address the owner waits like everyone.
    void guessesFromManyAddressesNeverLockOutTheOwner() {
        const qint64 version =
            number(QStringLiteral("SELECT data_version FROM accounts WHERE login_key = 'demo@kovrel.local'"));
        QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, kHome)));
        // Known from now on, shared through the database, and no change of the account's data.
        QCOMPARE(number(QStringLiteral("SELECT COUNT(*) FROM known_addresses WHERE address = '127.0.0.1' AND "
                                       "user_key = '' AND last_seen = '%1'")
                            .arg(QDate::currentDate().toString(Qt::ISODate))),
                 1);
        QCOMPARE(
            number(QStringLiteral("SELECT data_version FROM accounts WHERE login_key = 'demo@kovrel.local'")),
            version);
        QCOMPARE(Demo().Server().Stop(), 0);
        QVERIFY(Demo().Server().Start());

        int refused = 0;
        int owner = 0;
        AddressedReply last;
        for (int i = 0; i < 40; ++i) {
            last = guess(i);
            QVERIFY2(last.status == 200 || last.status == 429, qPrintable(last.text));
            QVERIFY(last.status == 429 || !signedInRight(last));
            refused += last.status == 429;
            if (i % 4 == 3) owner += signedInRight(signIn(kDemo, kDemoPassword, kHome));
            QThread::msleep(250);
        }
        QCOMPARE(owner, 10);
        QVERIFY2(refused >= 20, qPrintable(QString::number(refused)));
        for (int i = 40; i < 80 && last.retryAfter < 2; ++i, QThread::msleep(200))
            last = guess(i); // asked below while the login has more than a second to wait
        const AddressedReply elsewhere = signIn(kDemo, kDemoPassword, QStringLiteral("127.0.99.1"));
        QCOMPARE(elsewhere.status, 429);
        QVERIFY(elsewhere.retryAfter > 0);
        QCOMPARE(
            elsewhere.text,
            QStringLiteral("Слишком много неверных паролей: повторите через %1 с").arg(elsewhere.retryAfter));

        // The operator clears the login's throttling on every server of the database, at once.
        QProcess unlock;
        unlock.start(ServerProcess::Binary(),
                     {QStringLiteral("--db"), Demo().Database().Argument(), QStringLiteral("--data-dir"),
                      Demo().Database().Folder(), QStringLiteral("--unlock"),
                      QStringLiteral("Demo@Kovrel.local")});
        QVERIFY(unlock.waitForFinished(60000));
        QCOMPARE(unlock.exitCode(), 0);
        QCOMPARE(unlock.readAllStandardOutput(),
                 QByteArray("sign-in throttling of Demo@Kovrel.local cleared\n"));
        QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, QStringLiteral("127.0.99.1"))));
    }

    // Four clients with an old password behind a shop's address keep trying: they slow down
    // only themselves; the administrator at home, and the shop's cashier at the shop, are
    // never refused.
    void staleClientsBehindOneAddressSlowOnlyThemselves() {
        QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, kHome)));
        QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, kShop)));
        QVERIFY(signedInRight(signIn(kDemo, kKassaPassword, kShop, kKassa)));
        int stale = 0;
        for (int round = 0; round < 10; ++round) {
            for (int client = 0; client < 4; ++client)
                stale += signIn(kDemo, QStringLiteral("old-password"), kShop).status == 429;
            QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, kHome)));
            QVERIFY(signedInRight(signIn(kDemo, kKassaPassword, kShop, kKassa)));
            QThread::msleep(200);
        }
        QVERIFY2(stale >= 20, qPrintable(QString::number(stale)));
        // The administrator at the shop shares the stale clients' pair, and waits with them
        // (asked while the pair has more than a second to wait).
        AddressedReply locked;
        for (int i = 0; i < 30 && locked.retryAfter < 2; ++i, QThread::msleep(200))
            locked = signIn(kDemo, QStringLiteral("old-password"), kShop);
        QVERIFY(locked.retryAfter >= 2);
        QCOMPARE(signIn(kDemo, kDemoPassword, kShop).status, 429);
    }

    // A cashier's client with an old password at the shop slows only the cashier there: the
    // cashier's own right password from home, and the administrator at the shop, go through.
    void staleUserSlowsOnlyThatUserThere() {
        QVERIFY(signedInRight(signIn(kDemo, kKassaPassword, kHome, kKassa)));
        QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, kShop)));
        AddressedReply stale;
        for (int i = 0; i < 30 && stale.retryAfter < 2; ++i, QThread::msleep(200))
            stale = signIn(kDemo, QStringLiteral("old-password"), kShop, kKassa);
        QCOMPARE(stale.status, 429);
        QVERIFY(stale.retryAfter >= 2);
        QCOMPARE(signIn(kDemo, kKassaPassword, kShop, kKassa).status, 429);
        QVERIFY(signedInRight(signIn(kDemo, kKassaPassword, kHome, kKassa)));
        QVERIFY(signedInRight(signIn(kDemo, kDemoPassword, kShop)));
    }

    // Wrong passwords for ever new logins (that do not exist) from one address lock that
    // address, for every login not known there, and no other address. A request without a
    // password guesses nothing.
    void guessesOfManyLoginsLockTheAddress() {
        AddressedReply address;
        for (int i = 0; i < 40 && address.status != 429; ++i)
            address = signIn(QStringLiteral("nobody%1@shop.ru").arg(i), QStringLiteral("x"),
                             QStringLiteral("127.0.1.1"));
        QCOMPARE(address.status, 429);
        QVERIFY(address.retryAfter > 0);
        QCOMPARE(signIn(kDemo, kDemoPassword, QStringLiteral("127.0.1.1")).status, 429);
        QVERIFY(admitted(signIn(kDemo, kDemoPassword, QStringLiteral("127.0.1.2"))));
        for (int i = 0; i < 30; ++i)
            QVERIFY(admitted(signIn(kDemo, QString(), QStringLiteral("127.0.2.1"))));
    }
};

QTEST_GUILESS_MAIN(TestServerSignIns)
#include "test_server_sign_ins.moc"
