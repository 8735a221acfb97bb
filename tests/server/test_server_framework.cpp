// The service's framework in-process, with routes of the test's own: typed fields, one
// transaction per write, authentication and rights, per-account numbering, migrations, and
// concurrent writers. Requests go over loopback HTTP in the client's wire form.
#include "accounts.h"
#include "database.h"
#include "demo_seed.h"
#include "endpoint_registry.h"
#include "form_load.h"
#include "http_error.h"
#include "id_counter.h"
#include "json_writer.h"
#include "request_context.h"
#include "schema_migrations.h"
#include "search_text.h"
#include "server_app.h"
#include "server_request.h"
#include "server_services.h"
#include "session.h"
#include "store_error.h"
#include "test_database.h"
#include "transaction.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace kovrel::server;

namespace {

using Reply = ServerReply;

kovrel::wire::MultipartForm authForm(const QString& dopLogin, const QString& token) {
    return AuthForm(Demo::AdminLogin, dopLogin, token);
}

kovrel::wire::MultipartForm adminForm() {
    return authForm(QString(), Demo::AdminPassword);
}

kovrel::wire::MultipartForm userForm() {
    return authForm(Demo::UserLogin, Demo::UserPassword);
}

// The test routes keep their entries under a kind of their own, apart from the demo's catalogs.

// Echoes the typed fields it reads.
HttpResponse fieldsRoute(RequestContext& ctx) {
    return HttpResponse::Text(200, QStringLiteral("%1|%2|%3|%4|%5")
                                       .arg(ctx.Int(QStringLiteral("id")))
                                       .arg(ctx.Number(QStringLiteral("kol")))
                                       .arg(ctx.Date(QStringLiteral("dat")).toString(Qt::ISODate),
                                            ctx.Text(QStringLiteral("name_win")),
                                            ctx.Text(QStringLiteral("token"))));
}

// Stores an entry, then reads the fields that may fail, so a failure comes after a write.
HttpResponse writeRoute(RequestContext& ctx) {
    const int id = ctx.NextId(IdSequence::Klients);
    ctx.Query(QStringLiteral("INSERT INTO klients (account_id, id, type_kl, name) VALUES (?, ?, 99, ?)"))
        .Bind(ctx.AccountId())
        .Bind(id)
        .BindText(ctx.Text(QStringLiteral("name_win")))
        .Run();
    ctx.Int(QStringLiteral("after"));
    if (ctx.TextOr(QStringLiteral("fail")) == QLatin1String("store"))
        ctx.Query(QStringLiteral("INSERT INTO klients (account_id, id, type_kl) VALUES (?, ?, 99)"))
            .Bind(ctx.AccountId())
            .Bind(id)
            .Run();
    if (ctx.TextOr(QStringLiteral("fail")) == QLatin1String("conflict"))
        throw HttpError::Conflict(QStringLiteral("Недостаточно товара"));
    return HttpResponse::Text(200, QString::number(id));
}

HttpResponse rightsRoute(RequestContext& ctx) {
    ctx.RequireRight(ctx.Int(QStringLiteral("code")));
    return HttpResponse::Text(
        200, QStringLiteral("store level %1").arg(ctx.StoreLevel(ctx.Int(QStringLiteral("store")))));
}

// Entries whose name holds the filter, after checking that the given one is this account's.
HttpResponse findRoute(RequestContext& ctx) {
    ctx.RequireRow(QStringLiteral("klients"), ctx.Int(QStringLiteral("id")),
                   QStringLiteral("Склад не найден"));
    return ctx.Rows(
        QStringLiteral("SELECT id, name, 2.5 AS pack FROM klients WHERE account_id = ? AND type_kl = 99 "
                       "AND upname LIKE ? ESCAPE '!' ORDER BY id"),
        {ctx.AccountId(), ContainsPattern(ctx.Text(QStringLiteral("upname_win")))});
}

HttpResponse adminRoute(RequestContext& ctx) {
    ctx.RequireAdmin();
    return HttpResponse::Text(200, QStringLiteral("admin"));
}

} // namespace

class TestServerFramework : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> tdb;
    std::unique_ptr<ServerApp> app;
    std::atomic<int> handlerRuns{0};

    Database& db() { return app->Services().db; }
    qint64 demoAccount() {
        auto q = db().Query(QStringLiteral("SELECT id FROM accounts WHERE login_key = ?"))
                     .Bind(Demo::AdminLogin)
                     .Run();
        return q.Next() ? q.Int64(0) : 0;
    }
    int count(const QString& sql) {
        auto q = db().Query(sql).Run();
        return q.Next() ? q.Int(0) : -1;
    }

private Q_SLOTS:
    void initTestCase() {
        if (!TestDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TestDatabase::SkipReason()));
    }
    void init() {
        tdb = std::make_unique<TestDatabase>();
        QVERIFY2(tdb->Ok(), qPrintable(tdb->Error()));
        ServerOptions o;
        o.port = 0;
        o.db = tdb->Argument();
        o.outbox = tdb->Folder() + QStringLiteral("/outbox");
        o.dataDir = tdb->Folder();
        o.demo = true;
        o.limits.threads = 4;
        app = std::make_unique<ServerApp>(o, nullptr);
        app->Routes().Add(QStringLiteral("/test-fields.php"), Access::Read, fieldsRoute);
        app->Routes().Add(QStringLiteral("/test-write.php"), Access::Write, [this](RequestContext& ctx) {
            ++handlerRuns;
            return writeRoute(ctx);
        });
        app->Routes().Add(QStringLiteral("/test-rights.php"), Access::Read, rightsRoute);
        app->Routes().Add(QStringLiteral("/test-admin.php"), Access::Write, adminRoute);
        app->Routes().Add(QStringLiteral("/test-find.php"), Access::Read, findRoute);
        app->Routes().Add({QStringLiteral("/files/"), Access::Read, Auth::None,
                           [](RequestContext& ctx) { return HttpResponse::Text(200, ctx.Http().path); },
                           "GET"});
        app->Routes().Add({QStringLiteral("/files/special.txt"), Access::Read, Auth::None,
                           [](RequestContext&) { return HttpResponse::Text(200, QStringLiteral("exact")); },
                           "GET"});
        QString error;
        QVERIFY2(app->Start(&error), qPrintable(error));
        BaseURL = QStringLiteral("http://127.0.0.1:%1").arg(app->Port());
        handlerRuns = 0;
    }
    void cleanup() {
        app.reset();
        tdb.reset();
    }

    // Texts arrive as the client sends them: "_win" fields as UTF-8, others byte per character,
    // quoted-printable undone, lines joined with CRLF.
    void fieldsArriveAsTheClientSendsThem() {
        const Reply r = PostToServer(
            QStringLiteral("/test-fields.php"),
            WithFields(adminForm(), {{"id", "-12"},
                                     {"kol", "2.500"},
                                     {"dat", "2024-02-29"},
                                     {"name_win", QStringLiteral("Склад №1 = \"главный\"\nэтаж 2")}}));
        QCOMPARE(r.status, 200);
        QCOMPARE(r.text, QStringLiteral("-12|2.5|2024-02-29|Склад №1 = \"главный\"\r\nэтаж 2|demo2024"));

        // A field sent twice counts with its first copy, the authentication fields too.
        const Reply twice =
            PostToServer(QStringLiteral("/test-fields.php"), WithFields(adminForm(), {{"id", "1"},
                                                                                      {"kol", "1"},
                                                                                      {"dat", "2024-01-01"},
                                                                                      {"name_win", "first"},
                                                                                      {"id", "2"},
                                                                                      {"name_win", "second"},
                                                                                      {"token", "another"}}));
        QCOMPARE(twice.text, QStringLiteral("1|1|2024-01-01|first|demo2024"));
    }

    void badFieldsAreNamedInTheReply_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason");
        const QString notInt = QStringLiteral("Поле id должно быть целым числом");
        const QString notNumber = QStringLiteral("Поле kol должно быть числом");
        const QString notDate = QStringLiteral("Поле dat должно быть датой ГГГГ-ММ-ДД");
        QTest::newRow("id with letters") << "id"
                                         << "12a" << notInt;
        QTest::newRow("id empty") << "id"
                                  << "" << notInt;
        QTest::newRow("id fractional") << "id"
                                       << "1.5" << notInt;
        QTest::newRow("id beyond 32 bits") << "id"
                                           << "4294967296" << notInt;
        QTest::newRow("id a lone minus") << "id"
                                         << "-" << notInt;
        QTest::newRow("kol with a comma") << "kol"
                                          << "2,5" << notNumber;
        QTest::newRow("kol exponent") << "kol"
                                      << "1e400" << notNumber;
        QTest::newRow("kol nan") << "kol"
                                 << "nan" << notNumber;
        QTest::newRow("kol empty") << "kol"
                                   << "" << notNumber;
        QTest::newRow("dat impossible") << "dat"
                                        << "2023-02-29" << notDate;
        QTest::newRow("dat zeros") << "dat"
                                   << "0000-00-00" << notDate;
        QTest::newRow("dat other form") << "dat"
                                        << "01.02.2024" << notDate;
    }
    void badFieldsAreNamedInTheReply() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, reason);
        QList<QPair<QString, QString>> fields = {
            {"id", "1"}, {"kol", "1"}, {"dat", "2024-01-01"}, {"name_win", "x"}};
        for (auto& f : fields)
            if (f.first == field) f.second = value;
        const Reply r = PostToServer(QStringLiteral("/test-fields.php"), WithFields(adminForm(), fields));
        QCOMPARE(r.status, 400);
        QCOMPARE(r.text, reason);
        const Reply missing =
            PostToServer(QStringLiteral("/test-fields.php"), WithFields(adminForm(), {{"id", "1"}}));
        QCOMPARE(missing.status, 400);
        QCOMPARE(missing.text, QStringLiteral("Нет поля kol"));
    }

    // Whatever ends a write request early, nothing of it stays.
    void failedWritesLeaveNothing_data() {
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("fail");
        QTest::addColumn<int>("status");
        QTest::newRow("non-numeric field after the insert") << "x1"
                                                            << "" << 400;
        QTest::newRow("database refuses a statement") << "1"
                                                      << "store" << 500;
        QTest::newRow("handler refuses") << "1"
                                         << "conflict" << 409;
    }
    void failedWritesLeaveNothing() {
        QFETCH(QString, after);
        QFETCH(QString, fail);
        QFETCH(int, status);
        const QString stores = QStringLiteral("SELECT COUNT(*) FROM klients WHERE type_kl = 99");
        const int next = count(QStringLiteral("SELECT MAX(id) FROM klients")) + 1;
        const int before = count(stores);
        const Reply r =
            PostToServer(QStringLiteral("/test-write.php"),
                         WithFields(adminForm(), {{"name_win", "A"}, {"after", after}, {"fail", fail}}));
        QCOMPARE(r.status, status);
        QCOMPARE(count(stores), before);
        // The number was not used up either: the next store gets it.
        const Reply ok = PostToServer(QStringLiteral("/test-write.php"),
                                      WithFields(adminForm(), {{"name_win", "B"}, {"after", "1"}}));
        QCOMPARE(ok.status, 200);
        QCOMPARE(ok.text, QString::number(next));
        QCOMPARE(count(stores), before + 1);
    }

    void wrongPasswordsGetNothing() {
        const QList<kovrel::wire::MultipartForm> forms = {
            authForm(QString(), QStringLiteral("wrong")),
            authForm(QString(), QString()),
            authForm(Demo::UserLogin, Demo::AdminPassword),
            authForm(QStringLiteral("ghost@kovrel.local"), Demo::UserPassword),
        };
        for (const auto& form : forms) {
            const Reply r = PostToServer(QStringLiteral("/test-write.php"),
                                         WithFields(form, {{"name_win", "X"}, {"after", "1"}}));
            QCOMPARE(r.status, 401);
            QCOMPARE(r.text, QStringLiteral("Неверный логин или пароль"));
        }
        QCOMPARE(handlerRuns.load(), 0);
        kovrel::wire::MultipartForm noClient;
        noClient.AddField(QStringLiteral("login"), Demo::AdminLogin);
        noClient.AddField(QStringLiteral("dop_login"), QString());
        noClient.AddField(QStringLiteral("token"), Demo::AdminPassword);
        QCOMPARE(PostToServer(QStringLiteral("/test-write.php"), noClient).text,
                 QStringLiteral("Нет поля client"));
        QCOMPARE(handlerRuns.load(), 0);
    }

    // Downloads: a folder route serves the paths below it, an exact route wins, nothing above
    // or beside it is served, and the method must match.
    void folderRoutesForDownloads() {
        const auto get = [](const QString& path) {
            QProcess curl;
            curl.start(QStringLiteral("curl"),
                       {QStringLiteral("-s"), QStringLiteral("--path-as-is"), QStringLiteral("-w"),
                        QStringLiteral(" %{http_code}"), BaseURL + path});
            curl.waitForFinished();
            return QString::fromUtf8(curl.readAllStandardOutput());
        };
        QCOMPARE(get(QStringLiteral("/files/a1b2c3.zip")), QStringLiteral("/files/a1b2c3.zip 200"));
        QCOMPARE(get(QStringLiteral("/files/deeper/x.zip")), QStringLiteral("/files/deeper/x.zip 200"));
        QCOMPARE(get(QStringLiteral("/files/special.txt")), QStringLiteral("exact 200"));
        QCOMPARE(get(QStringLiteral("/files/../get-lic-v3.php")).right(3), QStringLiteral("404"));
        QCOMPARE(get(QStringLiteral("/filesx/a")).right(3), QStringLiteral("404"));
        QCOMPARE(get(QStringLiteral("/test-fields.php")).right(3), QStringLiteral("405"));
        QCOMPARE(PostToServer(QStringLiteral("/files/a.zip"), adminForm()).status, 405);
    }

    // Rights as stored for the user; the administrator has all; a store without a stored
    // level is fully accessible.
    void rightsAndStoreLevels() {
        const auto rights = [](const kovrel::wire::MultipartForm& who, int code, int store) {
            return PostToServer(
                QStringLiteral("/test-rights.php"),
                WithFields(who, {{"code", QString::number(code)}, {"store", QString::number(store)}}));
        };
        QCOMPARE(rights(userForm(), 6001, 999).text, QStringLiteral("store level 1"));
        QCOMPARE(rights(userForm(), 5001, 999).status, 403);
        QCOMPARE(rights(userForm(), 5001, 999).text, QStringLiteral("Доступ запрещен"));
        // 2003 holds a number of days, not a permission.
        QCOMPARE(rights(userForm(), 2003, 5).status, 403);
        QCOMPARE(rights(adminForm(), 5001, 999).text, QStringLiteral("store level 1"));
        QCOMPARE(PostToServer(QStringLiteral("/test-admin.php"), userForm()).status, 403);
        QCOMPARE(PostToServer(QStringLiteral("/test-admin.php"), adminForm()).text, QStringLiteral("admin"));

        const qint64 account = demoAccount();
        const int store = NextId(db(), account, IdSequence::Klients);
        db().Query(
                QStringLiteral("INSERT INTO klients (account_id, id, type_kl, name) VALUES (?, ?, 10, 'S')"))
            .Bind(account)
            .Bind(store)
            .Run();
        db().Query(QStringLiteral(
                       "INSERT INTO store_rights (account_id, id_store, id_user, ur) VALUES (?, ?, 1, 2)"))
            .Bind(account)
            .Bind(store)
            .Run();
        QCOMPARE(rights(userForm(), 6001, store).text, QStringLiteral("store level 2"));
        QCOMPARE(rights(adminForm(), 6001, store).text, QStringLiteral("store level 1"));
    }

    // Filters match anywhere, in any letter case, with LIKE's own characters taken literally;
    // entries of another account are neither listed nor found.
    void searchesAndForeignIds() {
        const qint64 demo = demoAccount();
        const qint64 other = app->Services().accounts.EnsureAccount(QStringLiteral("other@shop.ru"),
                                                                    QStringLiteral("pw123456"));
        const auto addStore = [&](qint64 account, const QString& name) {
            const int id = NextId(db(), account, IdSequence::Klients);
            db()
                .Query(QStringLiteral(
                    "INSERT INTO klients (account_id, id, type_kl, name, upname) VALUES (?, ?, 99, ?, ?)"))
                .Bind(account)
                .Bind(id)
                .Bind(name)
                .Bind(SearchKey(name))
                .Run();
            return id;
        };
        const int a = addStore(demo, QStringLiteral("Склад 100%"));
        addStore(demo, QStringLiteral("Склад_1"));
        addStore(demo, QStringLiteral("склад Ёлки"));
        addStore(demo, QStringLiteral("Другой!"));
        // Numbers are per account: the other account's store gets a number the demo has not used.
        const int demoLast =
            count(QStringLiteral("SELECT MAX(id) FROM klients WHERE account_id = %1").arg(demo));
        int foreign = 0;
        while (foreign <= demoLast)
            foreign = addStore(other, QStringLiteral("Склад чужой"));
        const auto names = [&](const QString& filter, int id) {
            const Reply r =
                PostToServer(QStringLiteral("/test-find.php"),
                             WithFields(adminForm(), {{"id", QString::number(id)}, {"upname_win", filter}}));
            QStringList out;
            for (const QJsonValue& v : QJsonDocument::fromJson(r.text.toUtf8()).array()) {
                const QJsonObject o = v.toObject();
                if (!o.value("id").isDouble() || o.value("pack").toDouble() != 2.5)
                    out << QStringLiteral("bad row");
                out << o.value("name").toString();
            }
            return r.status == 200 ? out : QStringList{QString::number(r.status), r.text};
        };
        QCOMPARE(names(QStringLiteral("%"), a), QStringList{QStringLiteral("Склад 100%")});
        QCOMPARE(names(QStringLiteral("_"), a), QStringList{QStringLiteral("Склад_1")});
        QCOMPARE(names(QStringLiteral("!"), a), QStringList{QStringLiteral("Другой!")});
        QCOMPARE(names(QStringLiteral("ёлки"), a), QStringList{QStringLiteral("склад Ёлки")});
        QCOMPARE(names(QStringLiteral("СКЛАД"), a),
                 QStringList({QStringLiteral("Склад 100%"), QStringLiteral("Склад_1"),
                              QStringLiteral("склад Ёлки")}));
        QCOMPARE(names(QString(), a).size(), 4);
        QCOMPARE(names(QString(), foreign),
                 QStringList({QStringLiteral("404"), QStringLiteral("Склад не найден")}));
        QCOMPARE(names(QString(), 999),
                 QStringList({QStringLiteral("404"), QStringLiteral("Склад не найден")}));
    }

    // A user's new password replaces the old one at once and goes to the user's login.
    void userPasswordsAreReplacedAndMailed() {
        const qint64 demo = demoAccount();
        Accounts& accounts = app->Services().accounts;
        {
            Transaction tx(db(), Transaction::Mode::Write);
            QVERIFY(accounts.IssueUserPassword(demo, 1));
            QVERIFY(!accounts.IssueUserPassword(demo, 2));
            QVERIFY(!accounts.IssueUserPassword(demo + 1, 1));
            tx.Commit();
        }
        const QDir outbox(tdb->Folder() + QStringLiteral("/outbox"));
        const QStringList files = outbox.entryList({QStringLiteral("*.eml")}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QFile f(outbox.filePath(files[0]));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString message = QString::fromUtf8(f.readAll());
        QVERIFY(message.contains(QStringLiteral("\r\nTo: kassa@kovrel.local\r\n")));
        const QString password =
            QRegularExpression(QStringLiteral("\r\nПароль: (\\S+)\r\n")).match(message).captured(1);
        QVERIFY(!password.isEmpty());
        QCOMPARE(PostToServer(QStringLiteral("/test-admin.php"), userForm()).status, 401);
        QCOMPARE(PostToServer(QStringLiteral("/test-admin.php"), authForm(Demo::UserLogin, password)).status,
                 403);
    }

    // Numbers are per account, never reused, and skip the own organization's 1000000.
    void numbersArePerAccount() {
        const qint64 demo = demoAccount();
        const qint64 other = app->Services().accounts.EnsureAccount(QStringLiteral("other@shop.ru"),
                                                                    QStringLiteral("pw123456"));
        QVERIFY(other != demo && other != 0);
        // Both accounts start with manager 1 and category 1.
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM klients WHERE id = 1 AND type_kl = 12")), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM grnames WHERE id = 1")), 2);
        const int demoNext =
            count(QStringLiteral("SELECT MAX(id) FROM klients WHERE account_id = %1").arg(demo)) + 1;
        QCOMPARE(NextId(db(), demo, IdSequence::Klients), demoNext);
        QCOMPARE(NextId(db(), demo, IdSequence::Klients), demoNext + 1);
        QCOMPARE(NextId(db(), other, IdSequence::Klients), 2);
        QCOMPARE(NextId(db(), other, IdSequence::Goods), 1);
        db().Query(QStringLiteral(
                       "UPDATE id_counters SET last_id = 999999 WHERE account_id = ? AND name = 'klients'"))
            .Bind(other)
            .Run();
        QCOMPARE(NextId(db(), other, IdSequence::Klients), 1000001);
        db().Query(QStringLiteral(
                       "UPDATE id_counters SET last_id = 999999 WHERE account_id = ? AND name = 'goods'"))
            .Bind(other)
            .Run();
        QCOMPARE(NextId(db(), other, IdSequence::Goods), 1000000);
    }

    // Many writers at once: every write succeeds exactly once, none waits forever, numbers
    // stay unique.
    void concurrentWritersAllSucceed() {
        constexpr int kThreads = 8;
        constexpr int kEach = 12;
        std::atomic<int> failures{0};
        std::vector<std::thread> threads;
        QList<QString> ids[kThreads];
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < kEach; ++i) {
                    const Reply r = PostToServer(
                        QStringLiteral("/test-write.php"),
                        WithFields(adminForm(),
                                   {{"name_win", QStringLiteral("T%1-%2").arg(t).arg(i)}, {"after", "1"}}));
                    if (r.status != 200) ++failures;
                    ids[t].append(r.text);
                }
            });
        for (auto& th : threads)
            th.join();
        QCOMPARE(failures.load(), 0);
        QSet<QString> unique;
        for (const auto& list : ids)
            for (const QString& id : list)
                unique.insert(id);
        QCOMPARE(unique.size(), kThreads * kEach);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM klients WHERE type_kl = 99")), kThreads * kEach);
    }

    // Servers starting together on one database: each step is applied once, nobody fails.
    void concurrentStartsMigrateOnce() {
        TestDatabase fresh;
        QVERIFY2(fresh.Ok(), qPrintable(fresh.Error()));
        std::atomic<int> failures{0};
        std::atomic<int> appliedSteps{0};
        std::vector<std::thread> starters;
        for (int i = 0; i < 4; ++i)
            starters.emplace_back([&] {
                try {
                    Database own(*DatabaseAddress::Parse(fresh.Argument(), nullptr));
                    if (!own.Open()) throw StoreError(own.Error(), false);
                    appliedSteps += static_cast<int>(ApplyMigrations(own).size());
                } catch (const StoreError&) {
                    ++failures;
                }
            });
        for (auto& t : starters)
            t.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(appliedSteps.load(), static_cast<int>(AllMigrations().size()));
    }

    // On SQLite every commit reaches the disk before the reply: WAL, synchronized in full.
    void sqliteCommitsAreSynchronized() {
        if (tdb->IsPostgres()) QSKIP("PostgreSQL keeps its own settings");
        auto mode = db().Query(QStringLiteral("PRAGMA journal_mode")).Run();
        QVERIFY(mode.Next());
        QCOMPARE(mode.Text(0), QStringLiteral("wal"));
        auto sync = db().Query(QStringLiteral("PRAGMA synchronous")).Run();
        QVERIFY(sync.Next());
        QCOMPARE(sync.Int(0), 2); // FULL
    }

    // A step either applies whole, with its version recorded, or not at all.
    void migrationsApplyOnceAndWhole() {
        QCOMPARE(ApplyMigrations(db()), QList<int>());
        TestDatabase fresh;
        QVERIFY2(fresh.Ok(), qPrintable(fresh.Error()));
        Database other(*DatabaseAddress::Parse(fresh.Argument(), nullptr));
        QVERIFY2(other.Open(), qPrintable(other.Error()));
        const std::vector<Migration> steps = {
            {1, "one",
             [](const SqlDialect&) { return QStringList{QStringLiteral("CREATE TABLE t1 (x INTEGER)")}; }},
            {2, "two",
             [](const SqlDialect&) {
                 return QStringList{QStringLiteral("CREATE TABLE t2 (x INTEGER)"),
                                    QStringLiteral("INSERT INTO no_such_table VALUES (1)")};
             }},
        };
        QVERIFY_THROWS_EXCEPTION(StoreError, ApplyMigrations(other, steps));
        auto version = other.Query(QStringLiteral("SELECT MAX(version) FROM schema_version")).Run();
        QVERIFY(version.Next());
        QCOMPARE(version.Int(0), 1);
        other.Exec(QStringLiteral("SELECT COUNT(*) FROM t1"));
        QVERIFY_THROWS_EXCEPTION(StoreError, other.Exec(QStringLiteral("SELECT COUNT(*) FROM t2")));
        QCOMPARE(ApplyMigrations(other, {steps[0]}), QList<int>());

        // A step that lands after a higher-numbered one (branches merged in another order) is
        // still applied, and only once.
        const Migration late{5, "late", [](const SqlDialect&) {
                                 return QStringList{QStringLiteral("CREATE TABLE t5 (x INTEGER)")};
                             }};
        const Migration early{4, "early", [](const SqlDialect&) {
                                  return QStringList{QStringLiteral("CREATE TABLE t4 (x INTEGER)")};
                              }};
        QCOMPARE(ApplyMigrations(other, {steps[0], late}), QList<int>{5});
        QCOMPARE(ApplyMigrations(other, {steps[0], early, late}), QList<int>{4});
        QCOMPARE(ApplyMigrations(other, {steps[0], early, late}), QList<int>());
        other.Exec(QStringLiteral("SELECT COUNT(*) FROM t4"));
    }
};

QTEST_GUILESS_MAIN(TestServerFramework)
#include "test_server_framework.moc"
