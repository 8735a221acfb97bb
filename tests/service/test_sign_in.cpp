// The sign-in and new-administrator-password requests, and the rights a sign-in loads.
#include "capture_server.h"
#include "request_fields.h"
#include "sign_in.h"

#include <QTest>

using testing::Fields;

class TestSignIn : public QObject {
    Q_OBJECT

    std::unique_ptr<CaptureServer> server;

private Q_SLOTS:
    void init() {
        server = std::make_unique<CaptureServer>();
        testing::SetTestSession(server->Url());
        SignInState = TSignInRec();
    }
    void cleanup() { server.reset(); }

    void signInSendsOnlyTheAuthenticationFields() {
        server->Enqueue(
            R"( {"test_admin_login": 1, "test_admin_pas": "1", "flag_admin": 0, "user_name": "Анна",
                             "user_id": 7, "extra": [1, 2]} )");
        kovrel::HttpTransport http(false);
        const auto outcome = kovrel::SignInRequest(http);
        QVERIFY(!outcome.failed);
        QCOMPARE(outcome.status, 200);
        QCOMPARE(server->Last().path, QByteArray("/get-lic-v3.php"));
        QCOMPARE(testing::AllFields(server->Last()), testing::AuthFields());
        QCOMPARE(SignInState.testAdminLogin, 1);
        QCOMPARE(SignInState.testAdminPas, 1);
        QCOMPARE(SignInState.flagAdmin, 0);
        QCOMPARE(SignInState.userName, QStringLiteral("Анна"));
        QCOMPARE(SignInState.userID, 7);
    }

    void aFailedSignInKeepsTheEarlierState() {
        server->Enqueue(R"({"test_admin_pas": 1, "flag_admin": 1, "user_id": 0})");
        kovrel::HttpTransport http(false);
        QVERIFY(!kovrel::SignInRequest(http).failed);
        QCOMPARE(SignInState.flagAdmin, 1);

        CaptureServer::Response moved;
        moved.status = 302;
        moved.reason = "Found";
        moved.body = R"({"flag_admin": 0})";
        moved.headers.append(qMakePair(QByteArray("Location"), QByteArray("/get-lic-v3.php")));
        server->Enqueue(moved);
        const auto redirected = kovrel::SignInRequest(http);
        QVERIFY(redirected.failed);
        QCOMPARE(redirected.failure,
                 QStringLiteral("Сервер отказал: перенаправление на другой адрес (код 302)"));
        QCOMPARE(server->Count(), 2); // the redirect is not followed
        QCOMPARE(SignInState.flagAdmin, 1);
        QCOMPARE(SignInState.testAdminPas, 1);
    }

    void unreadableRepliesStopWhereTheyFail() {
        TSignInRec state;
        state.userName = QStringLiteral("прежний");
        state.userID = 3;
        kovrel::ApplySignInReply(QStringLiteral("[1, 2]"), state);
        kovrel::ApplySignInReply(QStringLiteral("<html>"), state);
        QCOMPARE(state.userName, QStringLiteral("прежний"));
        QCOMPARE(state.userID, 3);

        kovrel::ApplySignInReply(
            QStringLiteral(
                R"({"test_admin_login": 2, "test_admin_pas": 1, "flag_admin": "да", "user_id": 9})"),
            state);
        QCOMPARE(state.testAdminLogin, 2);
        QCOMPARE(state.testAdminPas, 1);
        QCOMPARE(state.flagAdmin, 0);
        QCOMPARE(state.userID, 3); // reading stopped at "flag_admin"

        kovrel::ApplySignInReply(QStringLiteral("{}"), state);
        QCOMPARE(state.testAdminLogin, 0);
        QCOMPARE(state.userName, QString());
        QCOMPARE(state.userID, 0);
    }

    void rightsAreLoadedForTheSignedInUser() {
        server->Enqueue(R"([{"id_right": 1001, "ur": 1}])");
        server->Enqueue(R"([{"id_store": 4, "id_user": 7, "ur": 2}])");
        SignInState.userID = 7;
        kovrel::LoadSignInRights();
        const auto requests = server->Requests();
        QCOMPARE(testing::Paths(requests),
                 (QStringList{"/get-user-rights.php", "/get-store-rights-one-user.php"}));
        QCOMPARE(testing::OwnFields(requests[0]), (Fields{{"id", "7"}}));
        QCOMPARE(testing::OwnFields(requests[1]), (Fields{{"id", "7"}}));
        QCOMPARE(UserRights.Find(QStringLiteral("1001"))->ur, 1);
        QCOMPARE(StoreRights.Find(QStringLiteral("4"))->ur, 2);

        // A service that is gone leaves both lists existing and empty.
        server.reset();
        kovrel::LoadSignInRights();
        QCOMPARE(UserRights.Count(), 0);
        QCOMPARE(StoreRights.Count(), 0);
    }

    void newAdministratorPasswordSendsTheLoginAlone() {
        server->Enqueue("  отправлено \r\n");
        kovrel::HttpTransport http(false);
        const auto outcome = kovrel::RequestNewAdminPassword(http, QStringLiteral("boss@shop.ru"));
        QVERIFY(!outcome.failed);
        QCOMPARE(outcome.text, QStringLiteral("отправлено"));
        QCOMPARE(server->Last().path, QByteArray("/create-db.php"));
        QCOMPARE(testing::AllFields(server->Last()), (Fields{{"login", "boss@shop.ru"}}));

        server->Enqueue("no", 500);
        QVERIFY(kovrel::RequestNewAdminPassword(http, QStringLiteral("boss@shop.ru")).failed);
    }

    void usableMailAddresses() {
        QVERIFY(!kovrel::IsUsableMailAddress(QStringLiteral("a@b.c")));
        QVERIFY(kovrel::IsUsableMailAddress(QStringLiteral("ab@b.c")));
        QVERIFY(!kovrel::IsUsableMailAddress(QStringLiteral("abcdefgh.ru")));
        QVERIFY(!kovrel::IsUsableMailAddress(QStringLiteral("abcdefgh@ru")));
    }
};

QTEST_GUILESS_MAIN(TestSignIn)
#include "test_sign_in.moc"
