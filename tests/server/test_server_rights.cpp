// Users, their rights to functions and stores, new user passwords and the one-time backup on
// the real kovrel-server with its demo data, through the client's own operations and sign-in.
#include "access_checks.h"
#include "demo_server.h"
#include "demo_session.h"
#include "form_load.h"
#include "right_codes.h"
#include "session.h"
#include "sign_in.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

using Users = RecordList<TRecUser>;
using Rights = TSortedList<TRecUserRights>;
using StoreLevels = RecordList<TRecStoreRights>;

constexpr int kKassa = 1; // the demo's limited user

Users users(const QString& filter = {}) {
    return Fetch<Users>([&](TFormLoad& f, Users& l) { f.SelectUserList(l, filter); });
}

const TRecUser* userWithLogin(const Users& l, const QString& login) {
    for (const auto& u : l)
        if (u->DopLogin == login) return u.get();
    return nullptr;
}

Rights rightsOf(int userId) {
    return Fetch<Rights>([&](TFormLoad& f, Rights& l) { f.SelectUserRights(userId, l); });
}

// code=value for every entry, in the list's order.
QStringList rightsText(const Rights& l) {
    QStringList out;
    for (int i = 0; i < l.Count(); ++i)
        out << QStringLiteral("%1=%2").arg(l.Strings(i)).arg(l.Objects(i)->ur);
    return out;
}

StoreLevels onStore(int store) {
    return Fetch<StoreLevels>([&](TFormLoad& f, StoreLevels& l) { f.SelectStoreRightsOnStore(store, l); });
}

// user_name:level per user of the store.
QStringList levelsText(const StoreLevels& l) {
    return TextsOf<TRecStoreRights>(
        l, [](const TRecStoreRights& r) { return QStringLiteral("%1:%2").arg(r.userName).arg(r.ur); });
}

// store:user:level per store of the user, sorted.
QStringList onUserText(int user) {
    const auto l = Fetch<TSortedList<TRecStoreRights>>(
        [&](TFormLoad& f, TSortedList<TRecStoreRights>& r) { f.SelectStoreRightsOnUser(user, r); });
    QStringList out;
    for (int i = 0; i < l.Count(); ++i)
        out << QStringLiteral("%1:%2:%3").arg(l.Strings(i)).arg(l.Objects(i)->idUser).arg(l.Objects(i)->ur);
    out.sort();
    return out;
}

// The client's sign-in with the current session values: its answer and the two rights lists.
void signIn() {
    SignInState = TSignInRec{};
    kovrel::HttpTransport http(false);
    kovrel::SignInRequest(http);
    TFormLoad rights;
    rights.SelectUserRights(SignInState.userID, UserRights);
    TFormLoad stores;
    stores.SelectStoreRightsOnUser(SignInState.userID, StoreRights);
}

} // namespace

class TestServerRights : public DemoServerTest {
    Q_OBJECT

private Q_SLOTS:
    void usersAreListedAddedRenamedAndLockedOut() {
        const Users before = users();
        QCOMPARE(before.size(), size_t(1));
        QCOMPARE(before.front()->ID, kKassa); // read from the upper-case "ID"
        QCOMPARE(before.front()->UserName, QStringLiteral("Кассир"));
        QCOMPARE(before.front()->DopLogin, QStringLiteral("kassa@kovrel.local"));

        TRecUser u;
        u.UserName = QStringLiteral("Кладовщик Петров");
        u.DopLogin = QStringLiteral("sklad@kovrel.local");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertUser(u); }));
        QCOMPARE(users().size(), size_t(2));
        QCOMPARE(users(QStringLiteral("кладов")).size(), size_t(1));
        QCOMPARE(users(QStringLiteral("SKLAD@")).size(), size_t(1));
        TRecUser stored = *userWithLogin(users(), u.DopLogin);

        // Logins must be mail addresses, unique in the account, and not the administrator's.
        for (const QString& login :
             {QStringLiteral("KASSA@kovrel.local"), QStringLiteral("Demo@Kovrel.local"),
              QStringLiteral("не адрес"), QString()}) {
            TRecUser clash = stored;
            clash.DopLogin = login;
            QVERIFY2(!Write([&](TFormLoad& f) { return f.UpdateUser(clash); }), qPrintable(login));
            clash.ID = 0;
            QVERIFY2(!Write([&](TFormLoad& f) { return f.InsertUser(clash); }), qPrintable(login));
        }
        QCOMPARE(users().size(), size_t(2));

        stored.UserName = QStringLiteral("Кладовщик Сидоров");
        stored.DopLogin = QStringLiteral("sidorov@kovrel.local");
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateUser(stored); }));
        QCOMPARE(userWithLogin(users(), stored.DopLogin)->UserName, stored.UserName);

        // A deleted user leaves the list and cannot sign in any more.
        QVERIFY(Write([&](TFormLoad& f) { return f.DeleteUser(*before.front()); }));
        QCOMPARE(users().size(), size_t(1));
        UseDemoUser();
        signIn();
        QCOMPARE(SignInState.userID, 0);
        // Its login is free again.
        UseDemoAdmin();
        TRecUser again;
        again.UserName = QStringLiteral("Новый кассир");
        again.DopLogin = QStringLiteral("kassa@kovrel.local");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertUser(again); }));
    }

    void usersAreForTheAdministratorOnly() {
        UseDemoUser();
        QVERIFY(users().empty());
        TRecUser u;
        u.UserName = QStringLiteral("Самозванец");
        u.DopLogin = QStringLiteral("self@kovrel.local");
        QVERIFY(!Write([&](TFormLoad& f) { return f.InsertUser(u); }));
        u.ID = kKassa;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateUser(u); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.DeleteUser(u); }));
        UseDemoAdmin();
        QCOMPARE(users().front()->UserName, QStringLiteral("Кассир"));
        QCOMPARE(users().size(), size_t(1));
    }

    // Every right of the code table, 0 where never set, as the user editor needs them; written
    // back as the editor writes them.
    void userRightsReadAndWrite() {
        Rights rights = rightsOf(kKassa);
        QCOMPARE(rights.Count(), int(AllRightCodes().size()));
        for (const RightCode& code : AllRightCodes())
            QVERIFY2(rights.Find(QString::number(code.code)), code.text);
        QCOMPARE(rights.Find(QStringLiteral("2002"))->ur, 1);
        QCOMPARE(rights.Find(QStringLiteral("2003"))->ur, 7);
        QCOMPARE(rights.Find(QStringLiteral("1002"))->ur, 0);
        QCOMPARE(rights.Find(QStringLiteral("6010"))->ur, 0);

        rights.Find(QStringLiteral("1002"))->ur = 1;
        rights.Find(QStringLiteral("2002"))->ur = 0;
        rights.Find(QStringLiteral("1003"))->ur = 30;
        rights.Find(QStringLiteral("5005"))->ur = 1;
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateUserRights(kKassa, rights); }));
        QCOMPARE(rightsText(rightsOf(kKassa)), rightsText(rights));

        // A new user has every right at 0.
        TRecUser u;
        u.UserName = QStringLiteral("Новенький");
        u.DopLogin = QStringLiteral("new@kovrel.local");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertUser(u); }));
        const int newId = userWithLogin(users(), u.DopLogin)->ID;
        const Rights fresh = rightsOf(newId);
        QCOMPARE(fresh.Count(), rights.Count());
        for (int i = 0; i < fresh.Count(); ++i)
            QCOMPARE(fresh.Objects(i)->ur, 0);
        // No user, no rights: the sign-in of the administrator (ID 0) and unknown IDs.
        QCOMPARE(rightsOf(0).Count(), 0);
        QCOMPARE(rightsOf(999).Count(), 0);
    }

    // A value a right cannot have, or a right that does not exist, refuses the whole write.
    void userRightsRefuseImpossibleValues() {
        const Rights before = rightsOf(kKassa);
        const QList<std::pair<QString, int>> bad = {{QStringLiteral("1002"), 2},
                                                    {QStringLiteral("1004"), -1},
                                                    {QStringLiteral("2003"), 1000},
                                                    {QStringLiteral("2003"), -7}};
        for (const auto& [code, value] : bad) {
            Rights changed = rightsOf(kKassa);
            changed.Find(QStringLiteral("1001"))->ur = 1;
            changed.Find(code)->ur = value;
            QVERIFY2(!Write([&](TFormLoad& f) { return f.UpdateUserRights(kKassa, changed); }),
                     qPrintable(code));
        }
        Rights unknown = rightsOf(kKassa);
        unknown.AddOwned(QStringLiteral("9999"), std::make_unique<TRecUserRights>());
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateUserRights(kKassa, unknown); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateUserRights(999, before); }));
        QCOMPARE(rightsText(rightsOf(kKassa)), rightsText(before));
    }

    // A user reads his own rights (his sign-in needs them) and nobody else's, and writes none.
    void usersReadOnlyTheirOwnRights() {
        TRecUser u;
        u.UserName = QStringLiteral("Второй");
        u.DopLogin = QStringLiteral("second@kovrel.local");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertUser(u); }));
        const int second = userWithLogin(users(), u.DopLogin)->ID;
        const Rights own = rightsOf(kKassa);

        UseDemoUser();
        QCOMPARE(rightsText(rightsOf(kKassa)), rightsText(own));
        QCOMPARE(rightsOf(second).Count(), 0);
        QVERIFY(onUserText(second).isEmpty());
        QCOMPARE(onUserText(kKassa).size(), 4);
        Rights all = rightsOf(kKassa);
        for (int i = 0; i < all.Count(); ++i)
            all.Objects(i)->ur = 1;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateUserRights(kKassa, all); }));
        TFormLoad pas;
        QVERIFY(!pas.CreateNewPas(second, u.DopLogin));
        UseDemoAdmin();
        QCOMPARE(rightsText(rightsOf(kKassa)), rightsText(own));
        QCOMPARE(Demo().Server().Mail().size(), 0);
    }

    // A store without a stored level is open to everyone (1); the store editor reads one element
    // per user and writes the levels back; the sign-in's list per user follows.
    void storeLevelsPerStoreAndPerUser() {
        TRecUser u;
        u.UserName = QStringLiteral("Бухгалтер");
        u.DopLogin = QStringLiteral("buh@kovrel.local");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertUser(u); }));
        const int buh = userWithLogin(users(), u.DopLogin)->ID;

        const int main = StoreId(QStringLiteral("Основной склад"));
        const int prom = StoreId(QStringLiteral("Склад на Промышленной"));
        const int sad = StoreId(QStringLiteral("Магазин на Садовой"));
        QCOMPARE(levelsText(onStore(main)),
                 QStringList({QStringLiteral("Бухгалтер:1"), QStringLiteral("Кассир:1")}));
        QCOMPARE(levelsText(onStore(prom)),
                 QStringList({QStringLiteral("Бухгалтер:1"), QStringLiteral("Кассир:2")}));
        QCOMPARE(levelsText(onStore(sad)),
                 QStringList({QStringLiteral("Бухгалтер:1"), QStringLiteral("Кассир:0")}));
        for (const auto& r : onStore(main))
            QCOMPARE(r->idStore, main);

        StoreLevels levels = onStore(main);
        for (auto& r : levels)
            r->ur = r->idUser == buh ? 2 : 0;
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateStoreRightsOnStore(main, levels); }));
        QCOMPARE(levelsText(onStore(main)),
                 QStringList({QStringLiteral("Бухгалтер:2"), QStringLiteral("Кассир:0")}));

        // A new store: full access for everyone until set.
        TRecKlient store;
        store.Name = QStringLiteral("Новый склад");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertStore(store); }));
        const int fresh = StoreId(store.Name);
        QCOMPARE(levelsText(onStore(fresh)),
                 QStringList({QStringLiteral("Бухгалтер:1"), QStringLiteral("Кассир:1")}));
        QStringList perUser = {QStringLiteral("%1:1:1").arg(StoreId(QStringLiteral("Магазин на Ленина"))),
                               QStringLiteral("%1:1:0").arg(sad), QStringLiteral("%1:1:1").arg(fresh),
                               QStringLiteral("%1:1:0").arg(main), QStringLiteral("%1:1:2").arg(prom)};
        perUser.sort();
        QCOMPARE(onUserText(kKassa), perUser);

        // Impossible levels, users and stores are refused whole.
        StoreLevels bad = onStore(main);
        bad.front()->ur = 3;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateStoreRightsOnStore(main, bad); }));
        StoreLevels stranger = onStore(main);
        stranger.front()->ur = 1;
        stranger.back()->idUser = 999;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateStoreRightsOnStore(main, stranger); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateStoreRightsOnStore(1, onStore(main)); }));
        QVERIFY(onStore(1).empty()); // manager 1 is not a store
        QCOMPARE(levelsText(onStore(main)),
                 QStringList({QStringLiteral("Бухгалтер:2"), QStringLiteral("Кассир:0")}));
    }

    // The client's own checks, fed by the service's answers at sign-in.
    void signInLoadsWhatTheChecksRead() {
        UseDemoUser();
        signIn();
        QCOMPARE(SignInState.userID, kKassa);
        QCOMPARE(SignInState.flagAdmin, 0);
        QVERIFY(CheckRight(Right::NklFull, false));
        QVERIFY(!CheckRight(Right::PrhFull, false));
        QVERIFY(!CheckNotDenied(Right::NklNoDelete, false));
        QVERIFY(CheckNotDenied(Right::PrhNoDelete, false)); // listed with 0
        QVERIFY(CheckStoreFull(StoreId(QStringLiteral("Основной склад")), false));
        QVERIFY(!CheckStoreFull(StoreId(QStringLiteral("Склад на Промышленной")), false));
        QVERIFY(CheckStoreView(StoreId(QStringLiteral("Склад на Промышленной")), false));
        QVERIFY(!CheckStoreView(StoreId(QStringLiteral("Магазин на Садовой")), false));

        UseDemoAdmin();
        signIn();
        QCOMPARE(SignInState.flagAdmin, 1);
        QCOMPARE(UserRights.Count(), 0);
        QCOMPARE(StoreRights.Count(), 0);
    }

    // Store levels go with the right to change stores, as in the client's store editor.
    void storeLevelsNeedRight5004() {
        const int main = StoreId(QStringLiteral("Основной склад"));
        const StoreLevels before = onStore(main);
        UseDemoUser();
        QVERIFY(onStore(main).empty());
        StoreLevels open = StoreLevels();
        for (const auto& r : before)
            open.push_back(std::make_unique<TRecStoreRights>(*r));
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateStoreRightsOnStore(main, open); }));

        UseDemoAdmin();
        QVERIFY(SetDemoUserRights({{5004, 1}}));
        UseDemoUser();
        QCOMPARE(levelsText(onStore(main)), levelsText(before));
        open.front()->ur = 2;
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateStoreRightsOnStore(main, open); }));
        QCOMPARE(onStore(main).front()->ur, 2);
    }

    // A new password replaces the user's old one at once, on every server of the database
    // (this one has just seen the old one sign in), and is mailed to the login.
    void newUserPasswordIsMailed() {
        UseDemoUser();
        signIn();
        QCOMPARE(SignInState.userID, kKassa);
        ServerProcess other(Demo().Database());
        QVERIFY2(other.Start(), qPrintable(other.Error()));
        BaseURL = other.BaseUrl();
        UseDemoAdmin();
        TFormLoad f;
        QVERIFY(f.CreateNewPas(kKassa, QStringLiteral("kassa@kovrel.local")));
        BaseURL = Demo().Server().BaseUrl();
        const auto mail = other.Mail();
        QCOMPARE(mail.size(), 1);
        QCOMPARE(ServerProcess::HeaderOf(mail[0], "To"), QByteArray("kassa@kovrel.local"));
        const QString password = ServerProcess::PasswordIn(mail[0]);
        QVERIFY(password.size() >= 8);

        UseDemoUser();
        signIn();
        QCOMPARE(SignInState.userID, 0);
        UseSession(QStringLiteral("demo@kovrel.local"), QStringLiteral("kassa@kovrel.local"), password);
        signIn();
        QCOMPARE(SignInState.userID, kKassa);
        QCOMPARE(SignInState.userName, QStringLiteral("Кассир"));
    }

    // No password goes out for a login that the editor shows changed but has not saved, for a
    // deleted or unknown user, or to anyone but the administrator's request.
    void newPasswordRefusals() {
        UseDemoAdmin();
        TFormLoad changed;
        QVERIFY(!changed.CreateNewPas(kKassa, QStringLiteral("kassa-new@kovrel.local")));
        TFormLoad unknown;
        QVERIFY(!unknown.CreateNewPas(999, QStringLiteral("kassa@kovrel.local")));
        TFormLoad caseOnly;
        QVERIFY(caseOnly.CreateNewPas(kKassa, QStringLiteral("Kassa@Kovrel.Local")));
        QCOMPARE(Demo().Server().Mail().size(), 1);
        TRecUser kassa = *users().front();
        QVERIFY(Write([&](TFormLoad& f) { return f.DeleteUser(kassa); }));
        TFormLoad deleted;
        QVERIFY(!deleted.CreateNewPas(kKassa, QStringLiteral("kassa@kovrel.local")));

        const QString other = QStringLiteral("other@shop.ru");
        const QString password = NewAccountPassword(Demo().Server(), other);
        UseSession(other, QString(), password);
        TFormLoad foreign;
        QVERIFY(!foreign.CreateNewPas(kKassa, QStringLiteral("kassa@kovrel.local")));
        QCOMPARE(Demo().Server().Mail().size(), 2); // the one above and the other account's own
    }

    // A password that cannot be mailed is not issued: the old one keeps working.
    void unsentMailKeepsTheOldPassword() {
        ServerProcess& server = Demo().Server();
        QCOMPARE(server.Stop(), 0);
        QVERIFY2(server.Start({QStringLiteral("--sendmail"), QStringLiteral("exit 3")}),
                 qPrintable(server.Error()));
        BaseURL = server.BaseUrl();
        TFormLoad f;
        QVERIFY(!f.CreateNewPas(kKassa, QStringLiteral("kassa@kovrel.local")));
        QVERIFY(f.MemoInfo.join(QLatin1Char('\n')).contains(QStringLiteral("503")));
        UseDemoUser();
        signIn();
        QCOMPARE(SignInState.userID, kKassa);
    }

    // The backup: an address on this server, a JSON snapshot of this account only, served once.
    void backupIsDownloadableOnce() {
        const QString otherPassword = NewAccountPassword(Demo().Server(), QStringLiteral("other@shop.ru"));
        UseSession(QStringLiteral("other@shop.ru"), QString(), otherPassword);
        TRecKlient foreign;
        foreign.Name = QStringLiteral("Склад другой учетной записи");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertStore(foreign); }));

        UseDemoAdmin();
        TFormLoad f;
        const QString url = f.RunBlackup();
        static const QRegularExpression form(QStringLiteral(
            "^http://127\\.0\\.0\\.1:\\d+/backup/[0-9a-f]{32}/kovrel-backup-\\d{8}-\\d{6}\\.json$"));
        QVERIFY2(form.match(url).hasMatch(), qPrintable(url));
        QVERIFY(url.startsWith(BaseURL + QLatin1Char('/')));

        const Download first = DownloadUrl(url);
        QCOMPARE(first.status, 200);
        QJsonParseError error;
        const QJsonObject backup = QJsonDocument::fromJson(first.body, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(backup.value("format").toString(), QStringLiteral("kovrel-backup"));
        QCOMPARE(backup.value("account").toString(), QStringLiteral("demo@kovrel.local"));
        const QJsonObject tables = backup.value("tables").toObject();
        for (const char* table : {"klients", "goods", "grnames", "kit_items", "requisites", "users",
                                  "user_rights", "store_rights", "id_counters"})
            QVERIFY2(tables.contains(QLatin1String(table)), table);
        QCOMPARE(tables.value("goods").toObject().value("rows").toArray().size(), 205);
        QVERIFY(!tables.value("users").toObject().value("columns").toArray().contains(
            QStringLiteral("pass_hash")));
        QVERIFY(!tables.value("klients").toObject().value("columns").toArray().contains(
            QStringLiteral("account_id")));
        QVERIFY(first.body.contains("Основной склад"));
        QVERIFY(!first.body.contains("Склад другой учетной записи"));
        QVERIFY(!first.body.contains("$y$")); // no password hash of any kind

        QCOMPARE(DownloadUrl(url).status, 404);
        QCOMPARE(DownloadUrl(BaseURL + QStringLiteral("/backup/../get-lic-v3.php")).status, 404);
        QCOMPARE(DownloadUrl(BaseURL + QStringLiteral("/backup/not-a-token/x.json")).status, 404);
    }

    // The download address is the one the server listens on, or --public-url, whatever Host
    // header the request carried.
    void backupAddressIsTheServersOwn() {
        const auto backupWithHost = [](const QString& host) {
            QProcess curl;
            curl.start(QStringLiteral("curl"),
                       {QStringLiteral("-s"), QStringLiteral("-H"), QStringLiteral("Host: ") + host,
                        QStringLiteral("-F"), QStringLiteral("login=demo@kovrel.local"), QStringLiteral("-F"),
                        QStringLiteral("dop_login="), QStringLiteral("-F"), QStringLiteral("token=demo2024"),
                        QStringLiteral("-F"), QStringLiteral("client=W"),
                        BaseURL + QStringLiteral("/backup-db.php")});
            curl.waitForFinished(30000);
            return QString::fromUtf8(curl.readAllStandardOutput());
        };
        QVERIFY(backupWithHost(QStringLiteral("evil.example:80"))
                    .startsWith(BaseURL + QStringLiteral("/backup/")));

        ServerProcess& server = Demo().Server();
        QCOMPARE(server.Stop(), 0);
        QVERIFY2(
            server.Start({QStringLiteral("--public-url"), QStringLiteral("https://kovrel.example.com/kv/")}),
            qPrintable(server.Error()));
        BaseURL = server.BaseUrl();
        const QString url = backupWithHost(QStringLiteral("evil.example:80"));
        QVERIFY2(url.startsWith(QStringLiteral("https://kovrel.example.com/kv/backup/")), qPrintable(url));
        // Behind the proxy that address leads to this server: the rest of it downloads here.
        QCOMPARE(
            DownloadUrl(BaseURL + url.mid(QStringLiteral("https://kovrel.example.com/kv").size())).status,
            200);
    }

    // Two downloads at the same moment: one gets the file, the other nothing.
    void simultaneousDownloadsGetOneFile() {
        TFormLoad f;
        const QString url = f.RunBlackup();
        QList<QProcess*> curls;
        for (int i = 0; i < 2; ++i) {
            auto* p = new QProcess(this);
            p->start(QStringLiteral("curl"),
                     {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                      QStringLiteral("-w"), QStringLiteral("%{http_code}"), url});
            curls << p;
        }
        QStringList codes;
        for (QProcess* p : curls) {
            QVERIFY(p->waitForFinished(30000));
            codes << QString::fromLatin1(p->readAllStandardOutput());
        }
        codes.sort();
        QCOMPARE(codes, QStringList({QStringLiteral("200"), QStringLiteral("404")}));
    }

    void backupIsForTheAdministratorOnly() {
        UseDemoUser();
        TFormLoad f;
        QCOMPARE(f.RunBlackup(), QString());
        QVERIFY(f.MemoInfo.join(QLatin1Char('\n')).contains(QStringLiteral("403")));
        QVERIFY(!QDir(Demo().Database().Folder() + QStringLiteral("/backups")).exists() ||
                QDir(Demo().Database().Folder() + QStringLiteral("/backups")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestServerRights)
#include "test_server_rights.moc"
