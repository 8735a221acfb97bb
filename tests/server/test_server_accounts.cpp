// Accounts and sign-in against the real kovrel-server binary, driven by the client's own
// request code.
#include "database.h"
#include "demo_session.h"
#include "form_load.h"
#include "server_process.h"
#include "server_request.h"
#include "session.h"
#include "sign_in.h"
#include "test_database.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

#include <csignal>
#include <memory>

namespace {

using Reply = ServerReply;

Reply requestPassword(const QString& login) {
    kovrel::wire::MultipartForm f;
    f.AddField(QStringLiteral("login"), login);
    return PostToServer(QStringLiteral("/create-db.php"), f);
}

QJsonObject signInReply(const QString& login, const QString& dopLogin, const QString& token) {
    const Reply r = PostToServer(QStringLiteral("/get-lic-v3.php"), AuthForm(login, dopLogin, token));
    if (r.status != 200) return {};
    return QJsonDocument::fromJson(r.text.toUtf8()).object();
}

QJsonObject fiveKeys(int testLogin, int testPas, int flagAdmin, const QString& userName, int userId) {
    return QJsonObject{{"test_admin_login", testLogin},
                       {"test_admin_pas", testPas},
                       {"flag_admin", flagAdmin},
                       {"user_name", userName},
                       {"user_id", userId}};
}

const QString kAdmin = QStringLiteral("owner@shop.ru");

} // namespace

class TestServerAccounts : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ServerProcess> server;

    void startServer(const QStringList& args = {}) {
        server = std::make_unique<ServerProcess>(*db);
        QVERIFY2(server->Start(args), qPrintable(server->Error()));
        BaseURL = server->BaseUrl();
    }

    // Moves the issue time of every pending administrator password back, as time would.
    void agePendingPasswords(int seconds) {
        kovrel::server::Database direct(*kovrel::server::DatabaseAddress::Parse(db->Argument(), nullptr));
        QVERIFY2(direct.Open(), qPrintable(direct.Error()));
        QList<QPair<QString, QString>> moved;
        auto q = direct.Query(QStringLiteral("SELECT pass_hash, issued_at FROM pending_passwords")).Run();
        while (q.Next())
            moved.append({q.Text(0), QDateTime::fromString(q.Text(1), Qt::ISODate)
                                         .addSecs(-seconds)
                                         .toUTC()
                                         .toString(Qt::ISODate)});
        for (const auto& [hash, time] : moved)
            direct.Query(QStringLiteral("UPDATE pending_passwords SET issued_at = ? WHERE pass_hash = ?"))
                .Bind(time)
                .Bind(hash)
                .Run();
    }

    // A new administrator password for kAdmin, read from the mail it produced.
    QString issuePassword(const QString& login = kAdmin) {
        const qsizetype before = server->Mail().size();
        const Reply r = requestPassword(login);
        if (r.status != 200) return {};
        const auto mail = server->Mail();
        if (mail.size() != before + 1) return {};
        return ServerProcess::PasswordIn(mail.last());
    }

private Q_SLOTS:
    void initTestCase() {
        if (!TestDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TestDatabase::SkipReason()));
    }
    void init() {
        db = std::make_unique<TestDatabase>();
        QVERIFY2(db->Ok(), qPrintable(db->Error()));
        startServer({QStringLiteral("--demo")});
    }
    void cleanup() {
        server.reset();
        db.reset();
    }

    void newAccountGetsItsPasswordByMail() {
        const Reply r = requestPassword(kAdmin);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.text, QStringLiteral("Пароль отправлен на адрес owner@shop.ru"));
        const auto mail = server->Mail();
        QCOMPARE(mail.size(), 1);
        QCOMPARE(ServerProcess::HeaderOf(mail[0], "To"), QByteArray("owner@shop.ru"));
        QVERIFY(!ServerProcess::HeaderOf(mail[0], "Subject").isEmpty());
        QCOMPARE(ServerProcess::HeaderOf(mail[0], "Content-Type"), QByteArray("text/plain; charset=utf-8"));
        const QString password = ServerProcess::PasswordIn(mail[0]);
        QVERIFY(password.size() >= 8);
        QCOMPARE(signInReply(kAdmin, QString(), password),
                 fiveKeys(1, 1, 1, QStringLiteral("Администратор"), 0));
    }

    // The client's own sign-in applies the answers; each case as the sign-in page reads it.
    void signInAnswers() {
        const QString password = issuePassword();
        QVERIFY(!password.isEmpty());
        struct Case {
            const char* name;
            QString login, dopLogin, token;
            QJsonObject expected;
        };
        const QList<Case> cases = {
            {"administrator", kAdmin, QString(), password,
             fiveKeys(1, 1, 1, QStringLiteral("Администратор"), 0)},
            {"login in other letter case", QStringLiteral("Owner@Shop.RU"), QString(), password,
             fiveKeys(1, 1, 1, QStringLiteral("Администратор"), 0)},
            {"wrong administrator password", kAdmin, QString(), password + QLatin1Char('x'),
             fiveKeys(1, 0, 1, QString(), 0)},
            {"empty password", kAdmin, QString(), QString(), fiveKeys(1, 0, 1, QString(), 0)},
            {"unknown account", QStringLiteral("nobody@shop.ru"), QString(), password,
             fiveKeys(0, 0, 0, QString(), 0)},
            {"demo user", QStringLiteral("demo@kovrel.local"), QStringLiteral("kassa@kovrel.local"),
             QStringLiteral("kassa2024"), fiveKeys(1, 0, 0, QStringLiteral("Кассир"), 1)},
            {"user with the wrong password", QStringLiteral("demo@kovrel.local"),
             QStringLiteral("kassa@kovrel.local"), QStringLiteral("demo2024"),
             fiveKeys(1, 0, 0, QString(), 0)},
            {"unknown user", QStringLiteral("demo@kovrel.local"), QStringLiteral("nobody@kovrel.local"),
             QStringLiteral("kassa2024"), fiveKeys(1, 0, 0, QString(), 0)},
            {"user of another account", kAdmin, QStringLiteral("kassa@kovrel.local"),
             QStringLiteral("kassa2024"), fiveKeys(1, 0, 0, QString(), 0)},
        };
        for (const Case& c : cases) {
            QCOMPARE(signInReply(c.login, c.dopLogin, c.token), c.expected);
            Login = c.login;
            DopLogin = c.dopLogin;
            Token = c.token;
            SignInState = TSignInRec{};
            kovrel::HttpTransport http(false);
            const auto outcome = kovrel::SignInRequest(http);
            QVERIFY2(!outcome.failed, c.name);
            QCOMPARE(SignInState.testAdminPas, c.expected.value("test_admin_pas").toInt());
            QCOMPARE(SignInState.flagAdmin, c.expected.value("flag_admin").toInt());
            QCOMPARE(SignInState.userName, c.expected.value("user_name").toString());
            QCOMPARE(SignInState.userID, c.expected.value("user_id").toInt());
        }
    }

    // Asking for a new password never locks the administrator out: the old one works until a
    // new one is used. Nor can anyone else's asking: a mailed password stays valid until it is
    // used or a day has passed; asked again within minutes, nothing more is mailed, later a new
    // one is, up to three waiting at a time.
    void oldPasswordWorksUntilTheNewOneIsUsed() {
        const QString first = issuePassword();
        QVERIFY(!first.isEmpty());
        QCOMPARE(signInReply(kAdmin, QString(), first).value("test_admin_pas").toInt(), 1);

        const QString second = issuePassword();
        QVERIFY(!second.isEmpty() && second != first);
        QCOMPARE(signInReply(kAdmin, QString(), first).value("test_admin_pas").toInt(), 1);
        const Reply again = requestPassword(kAdmin);
        QCOMPARE(again.status, 200);
        QCOMPARE(again.text, QStringLiteral("Пароль уже отправлен на адрес owner@shop.ru"));
        QCOMPARE(server->Mail().size(), 2);

        // Minutes later another goes out; the one before it keeps waiting.
        agePendingPasswords(11 * 60);
        const QString third = issuePassword();
        QVERIFY(!third.isEmpty() && third != second);
        agePendingPasswords(11 * 60);
        const QString fourth = issuePassword();
        QVERIFY(!fourth.isEmpty());
        agePendingPasswords(11 * 60);
        const Reply tooMany = requestPassword(kAdmin);
        QCOMPARE(tooMany.status, 429);
        QCOMPARE(tooMany.text,
                 QStringLiteral("Новые пароли на адрес owner@shop.ru уже отправлены: повторите через "
                                "%1 мин")
                     .arg(24 * 60 - 33));

        // Using one ends the old one and those mailed before it; one mailed after it still waits.
        QCOMPARE(signInReply(kAdmin, QString(), third).value("test_admin_pas").toInt(), 1);
        QCOMPARE(signInReply(kAdmin, QString(), first).value("test_admin_pas").toInt(), 0);
        QCOMPARE(signInReply(kAdmin, QString(), second).value("test_admin_pas").toInt(), 0);
        QCOMPARE(signInReply(kAdmin, QString(), third).value("test_admin_pas").toInt(), 1);
        // A day after its mail a password is no longer valid.
        agePendingPasswords(24 * 3600);
        QCOMPARE(signInReply(kAdmin, QString(), fourth).value("test_admin_pas").toInt(), 0);
        QCOMPARE(signInReply(kAdmin, QString(), third).value("test_admin_pas").toInt(), 1);

        // The same account, not a second one: the mail says so.
        const auto mail = server->Mail();
        QCOMPARE(mail.size(), 4);
        QVERIFY(QString::fromUtf8(mail[1]).contains(QStringLiteral("Прежний пароль действует")));
    }

    void unusableAddressesAreRefusedWithoutMail() {
        const QStringList bad = {QString(),
                                 QStringLiteral("a@b.c"),
                                 QStringLiteral("no-at-sign.ru"),
                                 QStringLiteral("two@@shop.ru"),
                                 QStringLiteral("x@nodot"),
                                 QStringLiteral("x@y.ru\r\nBcc: victim@z.ru"),
                                 QStringLiteral("x y@shop.ru"),
                                 QStringLiteral("<x@shop.ru>")};
        for (const QString& login : bad) {
            const Reply r = requestPassword(login);
            QVERIFY2(r.status == 400, qPrintable(login));
            QCOMPARE(r.text, QStringLiteral("Требуется корректный адрес электронной почты"));
        }
        kovrel::wire::MultipartForm none;
        none.AddField(QStringLiteral("client"), QStringLiteral("W"));
        const Reply missing = PostToServer(QStringLiteral("/create-db.php"), none);
        QCOMPARE(missing.status, 400);
        QCOMPARE(missing.text, QStringLiteral("Нет поля login"));
        QVERIFY(server->Mail().isEmpty());
        QCOMPARE(
            signInReply(QStringLiteral("x@y.ru"), QString(), QString()).value("test_admin_login").toInt(), 0);
    }

    void mailGoesThroughTheSendmailCommand() {
        server.reset();
        const QString sink = QDir(db->Folder()).filePath(QStringLiteral("sent.txt"));
        startServer({QStringLiteral("--sendmail"), QStringLiteral("cat >> '%1'").arg(sink)});
        QCOMPARE(requestPassword(kAdmin).status, 200);
        QFile f(sink);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray message = f.readAll();
        QCOMPARE(ServerProcess::HeaderOf(message, "To"), QByteArray("owner@shop.ru"));
        QVERIFY(!ServerProcess::PasswordIn(message).isEmpty());
        QVERIFY(server->Mail().isEmpty());

        // A command that fails: the request fails and the password stays as it was.
        const QString before = ServerProcess::PasswordIn(message);
        QCOMPARE(signInReply(kAdmin, QString(), before).value("test_admin_pas").toInt(), 1);
        server.reset();
        startServer({QStringLiteral("--sendmail"), QStringLiteral("exit 3")});
        QCOMPARE(requestPassword(kAdmin).status, 503);
        QCOMPARE(signInReply(kAdmin, QString(), before).value("test_admin_pas").toInt(), 1);
    }

    void badRequestsAreRefused() {
        const QString password = issuePassword();
        const kovrel::wire::MultipartForm good = AuthForm(kAdmin, QString(), password);
        const QByteArray boundary = "--------120924101010123";
        const QByteArray type = kovrel::wire::MultipartForm::ContentType(boundary);
        const QByteArray body = good.Encode(boundary);

        QCOMPARE(PostToServer(QStringLiteral("/no-such-endpoint.php"), good).status, 404);
        QCOMPARE(
            PostRawToServer(QStringLiteral("/get-lic-v3.php"), "application/x-www-form-urlencoded", "login=x")
                .status,
            400);
        QCOMPARE(PostRawToServer(QStringLiteral("/get-lic-v3.php"), type, body.left(body.size() - 10)).status,
                 400);
        const Reply badEscape = PostRawToServer(QStringLiteral("/get-lic-v3.php"), type,
                                                QByteArray(body).replace("W.1.0.1", "W=ZZ"));
        QCOMPARE(badEscape.status, 400);
        QVERIFY(badEscape.text.startsWith(QStringLiteral("Неверный формат запроса")));

        kovrel::wire::MultipartForm noToken;
        noToken.AddField(QStringLiteral("login"), kAdmin);
        noToken.AddField(QStringLiteral("dop_login"), QString());
        noToken.AddField(QStringLiteral("client"), QStringLiteral("W"));
        const Reply missing = PostToServer(QStringLiteral("/get-lic-v3.php"), noToken);
        QCOMPARE(missing.status, 400);
        QCOMPARE(missing.text, QStringLiteral("Нет поля token"));

        // A GET is not a request of the client.
        QProcess curl;
        curl.start(QStringLiteral("curl"),
                   {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                    QStringLiteral("-w"), QStringLiteral("%{http_code}"),
                    BaseURL + QStringLiteral("/get-lic-v3.php")});
        QVERIFY(curl.waitForFinished());
        QCOMPARE(curl.readAllStandardOutput(), QByteArray("405"));
        QCOMPARE(server->Mail().size(), 1);
    }

    void oversizedBodiesAreRefusedEarly() {
        server.reset();
        startServer({QStringLiteral("--max-body-bytes"), QStringLiteral("4096")});
        kovrel::wire::MultipartForm big = AuthForm(kAdmin, QString(), QStringLiteral("x"));
        big.AddField(QStringLiteral("upname_win"), QString(5000, QLatin1Char('a')));
        const Reply r = PostToServer(QStringLiteral("/get-lic-v3.php"), big);
        QCOMPARE(r.status, 413);
        QCOMPARE(r.text, QStringLiteral("Слишком большой запрос"));
        kovrel::wire::MultipartForm small = AuthForm(kAdmin, QString(), QStringLiteral("x"));
        QCOMPARE(PostToServer(QStringLiteral("/get-lic-v3.php"), small).status, 200);

        // A body sent in chunks, whose size nobody announced, gets the same answer.
        QProcess curl;
        curl.start(QStringLiteral("curl"),
                   {QStringLiteral("-s"), QStringLiteral("-w"), QStringLiteral(" %{http_code}"),
                    QStringLiteral("-H"), QStringLiteral("Transfer-Encoding: chunked"), QStringLiteral("-H"),
                    QStringLiteral("Content-Type: multipart/form-data; boundary=b"),
                    QStringLiteral("--data-binary"), QStringLiteral("@-"),
                    BaseURL + QStringLiteral("/get-lic-v3.php")});
        curl.write(QByteArray(20000, 'a'));
        curl.closeWriteChannel();
        QVERIFY(curl.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(curl.readAllStandardOutput()),
                 QStringLiteral("Слишком большой запрос 413"));
    }

    // The data folder, the database and its journals, the outbox and its mail, and the backups
    // are the server user's alone whatever the umask, and a waiting backup's name does not
    // reveal its download address.
    void filesAreTheOwnersOnly() {
        server.reset();
        const QString data = QDir(db->Folder()).filePath(QStringLiteral("data"));
        QStringList args = {QStringLiteral("--data-dir"), data, QStringLiteral("--outbox"),
                            data + QStringLiteral("/outbox"), QStringLiteral("--demo")};
        if (!db->IsPostgres())
            args +=
                {QStringLiteral("--db"), QStringLiteral("sqlite:") + data + QStringLiteral("/kovrel.sqlite")};
        const mode_t umaskBefore = ::umask(0);
        startServer(args);
        ::umask(umaskBefore);
        QCOMPARE(requestPassword(kAdmin).status, 200);
        const Reply backup =
            PostToServer(QStringLiteral("/backup-db.php"), AuthForm(QStringLiteral("demo@kovrel.local"),
                                                                    QString(), QStringLiteral("demo2024")));
        QCOMPARE(backup.status, 200);
        const QString token = backup.text.section(QLatin1Char('/'), -2, -2);
        QCOMPARE(token.size(), 32);

        // Everything the server made there, and the folder itself: the database with its journals,
        // the mail, and their folders. The backup waits in the database.
        QStringList made = {data}, open;
        for (QDirIterator it(data, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            made << it.next();
        for (const QString& path : made) {
            struct stat st {};
            const bool folder = QFileInfo(path).isDir();
            if (::stat(QFile::encodeName(path).constData(), &st) != 0 ||
                int(st.st_mode & 0777) != (folder ? 0700 : 0600))
                open << QStringLiteral("%1 %2").arg(path).arg(st.st_mode & 0777, 0, 8);
        }
        QVERIFY2(open.isEmpty(), qPrintable(open.join(QLatin1Char('\n'))));
        QCOMPARE(made.filter(QStringLiteral(".eml")).size(), 1);
        QCOMPARE(made.filter(QStringLiteral("kovrel-backup-")).size(), 0);
        if (!db->IsPostgres()) QCOMPARE(made.filter(QStringLiteral("kovrel.sqlite")).size(), 3);
        QVERIFY2(made.filter(token).isEmpty(), qPrintable(made.join(QLatin1Char(' '))));
        // The address still downloads it, once.
        QCOMPARE(DownloadUrl(backup.text).status, 200);
        QVERIFY(QDir(data + QStringLiteral("/backups")).isEmpty());
    }

    // One line per request: time, client address, endpoint, account, status, milliseconds.
    void logsEveryRequestAndStopsCleanly_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void logsEveryRequestAndStopsCleanly() {
        QFETCH(int, signal);
        requestPassword(kAdmin);
        signInReply(kAdmin, QString(), QStringLiteral("wrong"));
        PostToServer(QStringLiteral("/missing.php"), AuthForm(kAdmin, QString(), QString()));
        QCOMPARE(server->Stop(signal), 0);
        const QString log = server->Log();
        static const QRegularExpression line(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} 127\\.0\\.0\\.1 (\\S+) "
                           "(\\S+) (\\d{3}) \\d+ms$"),
            QRegularExpression::MultilineOption);
        QStringList seen;
        for (auto it = line.globalMatch(log); it.hasNext();) {
            const auto m = it.next();
            seen << m.captured(1) + QLatin1Char(' ') + m.captured(2) + QLatin1Char(' ') + m.captured(3);
        }
        QCOMPARE(seen, QStringList({QStringLiteral("/create-db.php owner@shop.ru 200"),
                                    QStringLiteral("/get-lic-v3.php owner@shop.ru 200"),
                                    QStringLiteral("/missing.php - 404")}));
        QVERIFY(log.contains(QStringLiteral("stopping on signal %1").arg(signal)));
    }

    // Data outlives the process; the schema is not applied twice and the demo is seeded once.
    void restartKeepsAccounts() {
        const QString password = issuePassword();
        QCOMPARE(server->Stop(), 0);
        QVERIFY(server->Log().contains(QStringLiteral("schema: applied")));
        QVERIFY(server->Log().contains(QStringLiteral("demo: account")));
        QVERIFY2(server->Start({QStringLiteral("--demo")}), qPrintable(server->Error()));
        BaseURL = server->BaseUrl();
        QCOMPARE(signInReply(kAdmin, QString(), password).value("test_admin_pas").toInt(), 1);
        QCOMPARE(signInReply(QStringLiteral("demo@kovrel.local"), QString(), QStringLiteral("demo2024"))
                     .value("test_admin_pas")
                     .toInt(),
                 1);
        QVERIFY(!server->Log().contains(QStringLiteral("schema: applied")));
        QVERIFY(!server->Log().contains(QStringLiteral("demo: account")));
    }

    void refusesBadCommandLines() {
        for (const QStringList& args :
             {QStringList{QStringLiteral("--listen"), QStringLiteral("nowhere")},
              QStringList{QStringLiteral("--db"), QStringLiteral("mysql://x")},
              QStringList{QStringLiteral("--request-seconds"), QStringLiteral("0")},
              QStringList{QStringLiteral("--public-url"), QStringLiteral("ftp://x/")},
              QStringList{QStringLiteral("--bogus")}}) {
            QProcess p;
            p.start(ServerProcess::Binary(), args);
            QVERIFY(p.waitForFinished(10000));
            QCOMPARE(p.exitCode(), 2);
            QVERIFY(p.readAllStandardError().startsWith("kovrel-server: "));
        }
        QProcess help;
        help.start(ServerProcess::Binary(), {QStringLiteral("--help")});
        QVERIFY(help.waitForFinished(10000));
        QCOMPARE(help.exitCode(), 0);
        const QByteArray text = help.readAllStandardOutput();
        for (const char* option :
             {"--listen", "--db", "--outbox", "--sendmail", "--demo", "--max-connections",
              "--max-connections-per-address", "--request-seconds", "--public-url"})
            QVERIFY2(text.contains(option), option);
    }
};

QTEST_GUILESS_MAIN(TestServerAccounts)
#include "test_server_accounts.moc"
