// A full disk under the real kovrel-server binary. The server runs in a mount namespace of its
// own with its outbox (and, on SQLite, its database) on a small tmpfs that the test fills up
// through /proc/PID/root; PostgreSQL's own disk cannot be filled here, so on PostgreSQL the
// database's failure is simulated at its seam: a trigger makes every write of the accounts
// table fail with disk_full (SQLSTATE 53100), as PostgreSQL reports a full disk. Where no
// filesystem can be mounted (not root), the test says so and is skipped.
#include "database.h"
#include "demo_session.h"
#include "server_process.h"
#include "server_request.h"
#include "session.h"
#include "test_database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace {

const QString kOwner = QStringLiteral("owner@shop.ru");

// Why no small filesystem can be mounted here, or empty when one can.
QString cannotMount() {
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("unshare"),
            {QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("private"),
             QStringLiteral("mount"), QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("tmpfs"),
             dir.path()});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return QStringLiteral("cannot mount a small filesystem here (unshare -m and mount need root): %1")
            .arg(QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
    return {};
}

// Writes zeros into the file until the filesystem takes no more.
void fill(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    QVERIFY(fd >= 0);
    const QByteArray block(65536, '\0');
    while (::write(fd, block.constData(), block.size()) > 0) {
    }
    const int error = errno;
    ::close(fd);
    QCOMPARE(error, ENOSPC);
}

} // namespace

class TestServerDiskFull : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ServerProcess> server;
    QString disk; // where the small filesystem is mounted, as the server sees it

    // A path on the server's small filesystem, as this process reaches it.
    QString seen(const QString& path) const {
        return QStringLiteral("/proc/%1/root%2").arg(server->Pid()).arg(path);
    }
    QString outbox() const { return disk + QStringLiteral("/outbox"); }
    QStringList outboxFiles() const { return QDir(seen(outbox())).entryList(QDir::Files, QDir::Name); }
    QString lastPassword() const {
        const QStringList files = outboxFiles();
        QFile f(seen(outbox()) + QLatin1Char('/') + files.last());
        return f.open(QIODevice::ReadOnly) ? ServerProcess::PasswordIn(f.readAll()) : QString();
    }
    ServerReply askPassword(const QString& login) {
        kovrel::wire::MultipartForm f;
        f.AddField(QStringLiteral("login"), login);
        return PostToServer(QStringLiteral("/create-db.php"), f);
    }
    void onDatabase(const QString& sql) {
        kovrel::server::Database d(*kovrel::server::DatabaseAddress::Parse(
            db->IsPostgres() ? db->Argument()
                             : QStringLiteral("sqlite:") + seen(disk + QStringLiteral("/kovrel.sqlite")),
            nullptr));
        d.Exec(sql);
    }

private Q_SLOTS:
    void initTestCase() {
        if (!TestDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TestDatabase::SkipReason()));
        if (const QString why = cannotMount(); !why.isEmpty()) QSKIP(qPrintable(why));
        db = std::make_unique<TestDatabase>();
        QVERIFY2(db->Ok(), qPrintable(db->Error()));
        disk = QDir(db->Folder()).filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(disk));
        server = std::make_unique<ServerProcess>(*db);
        server->SetLauncher(
            {QStringLiteral("unshare"), QStringLiteral("-m"), QStringLiteral("--propagation"),
             QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"),
             QStringLiteral("mount -t tmpfs -o size=8m,mode=0700 tmpfs \"$0\" && exec \"$@\""), disk});
        QStringList args{QStringLiteral("--outbox"), outbox()};
        if (!db->IsPostgres())
            args << QStringLiteral("--db")
                 << QStringLiteral("sqlite:") + disk + QStringLiteral("/kovrel.sqlite");
        QVERIFY2(server->Start(args), qPrintable(server->Error()));
        BaseURL = server->BaseUrl();
    }
    void cleanupTestCase() { server.reset(); }

    // Writes are refused with 507 and a reason that says so, no mail is left behind, empty or
    // partial, reads go on, and once there is room again everything works without a restart.
    void fullDiskRefusesWritesAndKeepsReading() {
        QCOMPARE(askPassword(kOwner).status, 200);
        UseSession(kOwner, QString(), lastPassword());
        const auto store = [](const QString& name) {
            return PostToServer(
                QStringLiteral("/insert-store.php"),
                WithFields(AuthForm(Login, DopLogin, Token),
                           {{QStringLiteral("name_win"), name}, {QStringLiteral("prim_win"), QString()}}));
        };
        const auto stores = [] {
            return PostToServer(
                QStringLiteral("/list-stores-json.php"),
                WithFields(AuthForm(Login, DopLogin, Token), {{QStringLiteral("upname_win"), QString()}}));
        };
        QCOMPARE(store(QStringLiteral("Склад")).status, 200);

        if (db->IsPostgres()) {
            onDatabase(QStringLiteral(
                "CREATE FUNCTION disk_is_full() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                "RAISE EXCEPTION 'could not extend file: No space left on device' USING ERRCODE "
                "= 'disk_full'; END $$"));
            onDatabase(
                QStringLiteral("CREATE TRIGGER disk_is_full BEFORE UPDATE ON accounts FOR EACH ROW EXECUTE "
                               "FUNCTION disk_is_full()"));
        } else {
            // Writes must need new room: the journal may not reuse space it holds already.
            onDatabase(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        }
        fill(seen(disk + QStringLiteral("/filler")));

        const ServerReply refused = store(QStringLiteral("Магазин"));
        QCOMPARE(refused.status, 507);
        QCOMPARE(refused.text, QStringLiteral("На диске сервера нет места: изменения не сохранены"));
        const ServerReply read = stores();
        QCOMPARE(read.status, 200);
        QVERIFY(read.text.contains(QStringLiteral("Склад")));
        QVERIFY(!read.text.contains(QStringLiteral("Магазин")));
        const ServerReply mail = askPassword(QStringLiteral("second@shop.ru"));
        QCOMPARE(mail.status, 507);
        QCOMPARE(mail.text, refused.text);
        QCOMPARE(outboxFiles().size(), 1);

        QVERIFY(QFile::remove(seen(disk + QStringLiteral("/filler"))));
        if (db->IsPostgres()) onDatabase(QStringLiteral("DROP TRIGGER disk_is_full ON accounts"));
        QCOMPARE(store(QStringLiteral("Магазин")).status, 200);
        QVERIFY(stores().text.contains(QStringLiteral("Магазин")));
        QCOMPARE(askPassword(QStringLiteral("second@shop.ru")).status, 200);
        QCOMPARE(outboxFiles().size(), 2);
        QCOMPARE(lastPassword().size(), 10);
    }
};

QTEST_GUILESS_MAIN(TestServerDiskFull)
#include "test_server_disk_full.moc"
