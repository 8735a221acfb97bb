#include "capture_server.h"
#include "form_load.h"
#include "request_waiter.h"
#include "session.h"
#include "wire/multipart_parser.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>

namespace {

using Element = TFormLoad::Element;

void fillStore(TRecKlient& r, const Element& e) {
    r.ID = e.Int(QLatin1StringView("id"));
    r.Name = e.Text(QLatin1StringView("name"));
    r.m1_sum = e.Float(QLatin1StringView("m1_sum"));
    r.TypeKl = 10;
}

const std::function<void(TRecKlient&, const Element&)> kFill = fillStore;

TFormLoad::Form formWith(const char* name, const QString& value) {
    TFormLoad::Form f = TFormLoad::NewForm();
    f.AddField(QString::fromLatin1(name), value);
    return f;
}

kovrel::wire::ParsedForm parsed(const CaptureServer::Request& r) {
    return kovrel::wire::ParseMultipartForm(r.body, r.header("content-type"));
}

// Stands in for the windows' waiter: counts what the transport tells it and cancels once the
// request has waited `cancelAfter`.
struct CountingWaiter final : kovrel::RequestWaiter {
    int begun = 0, continued = 0, ended = 0;
    std::chrono::milliseconds cancelAfter{std::chrono::hours(1)};
    void Begin() override { ++begun; }
    bool Continue(std::chrono::milliseconds elapsed) override {
        ++continued;
        return elapsed < cancelAfter;
    }
    void End() override { ++ended; }
};

QStringList fieldNames(const kovrel::wire::ParsedForm& f) {
    QStringList names;
    for (const auto& x : f.fields)
        names << x.name;
    return names;
}

} // namespace

class TestFormLoadFrame : public QObject {
    Q_OBJECT

    std::unique_ptr<CaptureServer> server;

private Q_SLOTS:
    void init() {
        server = std::make_unique<CaptureServer>();
        BaseURL = server->Url();
        Login = QStringLiteral("admin@shop.ru");
        DopLogin = QStringLiteral("kassa@shop.ru");
        Token = QStringLiteral("se=cret");
        ClientTag = QStringLiteral("W.5.2.105");
    }
    void cleanup() { server.reset(); }

    void requestHeadersAndAuthenticationFields() {
        TFormLoad fl;
        RecordList<TRecKlient> list;
        fl.ListQuery(list, QStringLiteral("/list-stores-json.php"),
                     formWith("upname_win", QStringLiteral("СКЛАД")), kFill);
        const auto req = server->Last();
        QCOMPARE(req.method, QByteArray("POST"));
        QCOMPARE(req.path, QByteArray("/list-stores-json.php"));
        QCOMPARE(req.header("accept"),
                 QByteArray("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
        QCOMPARE(req.header("user-agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
        QVERIFY(req.header("expect").isEmpty());
        const QByteArray type = req.header("content-type");
        QVERIFY2(QRegularExpression(QStringLiteral("^multipart/form-data; boundary=--------\\d{15}$"))
                     .match(QString::fromLatin1(type))
                     .hasMatch(),
                 type.constData());
        const QByteArray boundary = type.mid(type.indexOf('=') + 1);
        QVERIFY(req.body.startsWith("--" + boundary + "\r\n"));
        QVERIFY(req.body.endsWith("--" + boundary + "--\r\n"));
        QVERIFY(req.body.contains("name=\"token\"\r\nContent-Type: text/plain\r\n"
                                  "Content-Transfer-Encoding: quoted-printable\r\n\r\nse=3Dcret\r\n"));
        const auto form = parsed(req);
        QVERIFY(form.ok);
        QCOMPARE(fieldNames(form), (QStringList{"login", "dop_login", "token", "client", "upname_win"}));
        QCOMPARE(form.fields[3].value, QStringLiteral("W.5.2.105"));
        QCOMPARE(form.fields[4].value, QStringLiteral("СКЛАД"));
    }

    void listQueryReadsElementsInOrder() {
        server->Enqueue(R"( [{"id": 2, "name": "Второй", "m1_sum": "1.5"}, {"id": "1", "name": "Первый"}] )");
        TFormLoad fl;
        RecordList<TRecKlient> list;
        list.push_back(std::make_unique<TRecKlient>()); // a stale record the query must drop
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QCOMPARE(list.size(), size_t(2));
        QCOMPARE(list[0]->Name, QStringLiteral("Второй"));
        QCOMPARE(list[0]->m1_sum, 1.5);
        QCOMPARE(list[1]->ID, 1);
        QCOMPARE(list[1]->TypeKl, 10);
        QCOMPARE(fl.MemoInfo.size(), 2);
        QVERIFY(fl.MemoInfo[0].startsWith(QStringLiteral("[{"))); // reply text, trimmed
        QCOMPARE(fl.MemoInfo[1], QStringLiteral("2"));
    }

    void emptyArrayEmptiesTheList() {
        server->Enqueue("[]");
        TFormLoad fl;
        RecordList<TRecKlient> list;
        list.push_back(std::make_unique<TRecKlient>());
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QVERIFY(list.empty());
        QCOMPARE(fl.MemoInfo, (QStringList{"[]", "0"}));
    }

    // A long reply is read element by element; brackets, commas and quotes inside texts are not
    // the array's own, and the log keeps the reply's beginning and its length.
    void longReplyIsReadWholeAndLoggedByItsBeginning() {
        QByteArray reply = "\r\n [";
        for (int i = 0; i < 500; ++i)
            reply +=
                QByteArray(i ? ",\n" : "") + "{\"id\": " + QByteArray::number(i) +
                ", \"name\": \"Склад \\\"]}, [{\\\\\", \"m1_sum\": null, \"extra\": [1, {\"a\": \"]\"}]}";
        reply += "] ";
        server->Enqueue(reply);
        TFormLoad fl;
        RecordList<TRecKlient> list;
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QCOMPARE(list.size(), size_t(500));
        QCOMPARE(list[499]->ID, 499);
        QCOMPARE(list[499]->Name, QStringLiteral("Склад \"]}, [{\\"));
        QCOMPARE(list[499]->m1_sum, 0.0);
        QCOMPARE(fl.MemoInfo.size(), 2);
        const qsizetype length = reply.trimmed().size();
        QVERIFY(fl.MemoInfo[0].endsWith(QStringLiteral("… (%1 bytes in all)").arg(length)));
        QVERIFY(reply.trimmed().startsWith(fl.MemoInfo[0].section(QStringLiteral("…"), 0, 0).toUtf8()));
        QCOMPARE(fl.MemoInfo[1], QStringLiteral("500"));

        // Broken near its end: nothing of it is taken for a whole list, the parser's message logged.
        reply.insert(reply.lastIndexOf("\"id\""), "x");
        server->Enqueue(reply);
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QVERIFY(list.empty());
        QVERIFY2(fl.MemoInfo.last().startsWith(QStringLiteral("Invalid JSON at offset")),
                 qPrintable(fl.MemoInfo.last()));
    }

    void failuresAreLoggedAndKeepWhatWasRead() {
        TFormLoad fl;
        RecordList<TRecKlient> list;

        server->Enqueue("<html>Not here</html>", 404);
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QVERIFY(list.empty());
        QCOMPARE(fl.MemoInfo.last(), QStringLiteral("HTTP/1.1 404 Error"));
        // The window is told in words, never with the status line.
        QCOMPARE(fl.Failure()->text, QStringLiteral("Сервер отказал: запрошенные данные не найдены"));
        QCOMPARE(fl.Failure()->kind, kovrel::RequestFailure::Kind::Refused);
        QVERIFY(!fl.Failure()->outcomeUnknown);
        // A plain-text reason of the service follows the status: its first line.
        CaptureServer::Response refused;
        refused.status = 409;
        refused.reason = "Conflict";
        refused.contentType = "text/plain; charset=utf-8";
        refused.body = QStringLiteral(" Документ оплачен\nподробности ").toUtf8();
        server->Enqueue(refused);
        QVERIFY(!fl.PlainWrite(QStringLiteral("/x.php"), TFormLoad::NewForm()));
        QCOMPARE(fl.MemoInfo.last(), QStringLiteral("HTTP/1.1 409 Conflict: Документ оплачен"));
        QCOMPARE(fl.Failure()->text, QStringLiteral("Сервер отказал: Документ оплачен"));
        QCOMPARE(fl.Failure()->reason, QStringLiteral("Документ оплачен"));

        server->Enqueue(R"([{"id": 1}, {"id": 2, "m1_sum": "много"}, {"id": 3}])");
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QCOMPARE(list.size(), size_t(1)); // the record that failed is not added, nor are later ones
        QVERIFY(fl.MemoInfo.last().contains(QStringLiteral("много")));
        QCOMPARE(fl.Failure()->text, QStringLiteral("Сервер прислал ответ, который не удалось прочитать"));

        server->Enqueue(R"({"error": "no"})");
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QVERIFY(list.empty());
        QCOMPARE(fl.MemoInfo.last(), QStringLiteral("JSON array expected"));
    }

    void otherSuccessStatusesAreReadButNotLogged() {
        server->Enqueue(R"([{"id": 5}])", 201);
        TFormLoad fl;
        RecordList<TRecKlient> list;
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(fl.MemoInfo, QStringList{"1"});

        server->Enqueue("ok", 201);
        QVERIFY(!fl.PlainWrite(QStringLiteral("/w.php"), TFormLoad::NewForm()));
        QCOMPARE(fl.Failure()->text, QStringLiteral("Сервер не подтвердил запрос (код 201)"));
        server->Enqueue("whatever the body says");
        QVERIFY(fl.PlainWrite(QStringLiteral("/w.php"), TFormLoad::NewForm()));
        server->Enqueue("", 500);
        QVERIFY(!fl.PlainWrite(QStringLiteral("/w.php"), TFormLoad::NewForm()));
    }

    void insertTakesTheNewIDWhenItIsAnInteger() {
        TFormLoad fl;
        int id = 0;
        server->Enqueue(" 57\r\n");
        QVERIFY(fl.InsertWithNewID(QStringLiteral("/i.php"), TFormLoad::NewForm(), id));
        QCOMPARE(id, 57);
        server->Enqueue("Ok");
        QVERIFY(fl.InsertWithNewID(QStringLiteral("/i.php"), TFormLoad::NewForm(), id));
        QCOMPARE(id, 57);
        server->Enqueue("58", 500);
        QVERIFY(!fl.InsertWithNewID(QStringLiteral("/i.php"), TFormLoad::NewForm(), id));
        QCOMPARE(id, 57);
    }

    void firstElementAndCommand() {
        TFormLoad fl;
        server->Enqueue(R"([{"id": 9, "name": "A"}, {"id": 10}])");
        auto rec = fl.FirstElement<TRecKlient>(QStringLiteral("/one.php"), TFormLoad::NewForm(), kFill);
        QVERIFY(rec);
        QCOMPARE(rec->ID, 9);
        server->Enqueue("[]");
        QVERIFY(!fl.FirstElement<TRecKlient>(QStringLiteral("/one.php"), TFormLoad::NewForm(), kFill));
        server->Enqueue("", 503);
        QVERIFY(!fl.FirstElement<TRecKlient>(QStringLiteral("/one.php"), TFormLoad::NewForm(), kFill));

        server->Enqueue(" \r\n http://127.0.0.1/backup/abc.db \r\n");
        QCOMPARE(fl.Command(QStringLiteral("/backup-db.php"), TFormLoad::NewForm()),
                 QStringLiteral("http://127.0.0.1/backup/abc.db"));
        server->Enqueue("broken", 500);
        QCOMPARE(fl.Command(QStringLiteral("/backup-db.php"), TFormLoad::NewForm()), QString());
    }

    void cookiesLiveAsLongAsTheRequestObject() {
        CaptureServer::Response withCookie;
        withCookie.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("sid=abc123; Path=/")));
        server->Enqueue(withCookie);
        {
            TFormLoad fl;
            fl.PlainWrite(QStringLiteral("/a.php"), TFormLoad::NewForm());
            fl.PlainWrite(QStringLiteral("/b.php"), TFormLoad::NewForm());
            QCOMPARE(server->Last().header("cookie"), QByteArray("sid=abc123"));
        }
        TFormLoad fresh;
        fresh.PlainWrite(QStringLiteral("/c.php"), TFormLoad::NewForm());
        QVERIFY(server->Last().header("cookie").isEmpty());
    }

    void redirectsFollowedOnlyWhenAsked() {
        CaptureServer::Response moved;
        moved.status = 302;
        moved.reason = "Found";
        moved.headers.append(qMakePair(QByteArray("Location"), QByteArray("/elsewhere.php")));
        server->Enqueue(moved);
        server->Enqueue("[{\"id\": 3}]");
        TFormLoad fl;
        RecordList<TRecKlient> list;
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(server->Last().path, QByteArray("/elsewhere.php"));

        server->Enqueue(moved);
        TFormLoad noRedirects(std::make_unique<kovrel::HttpTransport>(false));
        QVERIFY(!noRedirects.PlainWrite(QStringLiteral("/x.php"), TFormLoad::NewForm()));
        QCOMPARE(noRedirects.MemoInfo.last(), QStringLiteral("HTTP/1.1 302 Found"));
    }

    void replyTextFollowsTheDeclaredCharset() {
        CaptureServer::Response r;
        r.contentType = "application/json; charset=windows-1251";
        r.body = QStringEncoder("windows-1251").encode(QString::fromUtf8("[{\"name\": \"Склад\"}]"));
        server->Enqueue(r);
        TFormLoad fl;
        RecordList<TRecKlient> list;
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0]->Name, QString::fromUtf8("Склад"));
    }

    void aStalledServiceFailsInsteadOfFreezing() {
        CaptureServer::Response slow;
        slow.stallMs = 4000;
        server->Enqueue(slow);
        auto http = std::make_unique<kovrel::HttpTransport>(true);
        http->SetStallTimeout(1);
        TFormLoad fl(std::move(http));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!fl.PlainWrite(QStringLiteral("/slow.php"), TFormLoad::NewForm()));
        QVERIFY(timer.elapsed() < 3900);
        QVERIFY(!fl.MemoInfo.isEmpty());
        // The write went out: whether the service carried it out is not known.
        QCOMPARE(fl.Failure()->text,
                 QStringLiteral("Нет связи с сервером %1: сервер не ответил за 1 с").arg(BaseURL));
        QVERIFY(fl.Failure()->outcomeUnknown);
        QCOMPARE(kovrel::HttpTransport().StallTimeout(), 60);
    }

    // Reports, imports and backups may think for minutes: they keep the long limit, ordinary
    // requests the short one.
    void reportsWaitLongerThanOrdinaryRequests() {
        CaptureServer::Response slow;
        slow.stallMs = 2500;
        slow.body = R"([{"id": 1, "name": "Чай", "kol_plus": 2}])";
        server->Enqueue(slow);
        server->Enqueue(slow);
        auto http = std::make_unique<kovrel::HttpTransport>(true);
        http->SetStallTimeout(1);
        TFormLoad fl(std::move(http));
        RecordList<TRecGood> stock;
        fl.RunRepOst(stock, QString(), false, -1);
        QVERIFY2(!fl.Failed(), qPrintable(fl.MemoInfo.join('\n')));
        QCOMPARE(stock.size(), size_t(1));
        QCOMPARE(fl.IdHTTPReq().StallTimeout(), 1);
        RecordList<TRecKlient> stores;
        fl.SelectStoreList(stores, QString());
        QVERIFY(fl.Failed());
        QVERIFY(fl.Failure()->text.endsWith(QStringLiteral(": сервер не ответил за 1 с")));
    }

    // The waiter hears of every request from its start to its end, and may cancel it: the
    // request then fails at once, as a request without an answer does.
    void theWaiterWatchesAndMayCancel() {
        auto* waiter = new CountingWaiter;
        kovrel::SetRequestWaiter(std::unique_ptr<kovrel::RequestWaiter>(waiter));
        TFormLoad fl;
        server->Enqueue("7");
        int id = 0;
        QVERIFY(fl.InsertWithNewID(QStringLiteral("/i.php"), TFormLoad::NewForm(), id));
        QCOMPARE(id, 7);
        QCOMPARE(waiter->begun, 1);
        QCOMPARE(waiter->ended, 1);

        CaptureServer::Response hung;
        hung.stallMs = 5000;
        server->Enqueue(hung);
        waiter->cancelAfter = std::chrono::milliseconds(300);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!fl.PlainWrite(QStringLiteral("/w.php"), TFormLoad::NewForm()));
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(waiter->begun, 2);
        QCOMPARE(waiter->ended, 2);
        QVERIFY(waiter->continued > 5); // every few hundredths of a second
        QCOMPARE(fl.Failure()->text,
                 QStringLiteral("Нет связи с сервером %1: ожидание ответа отменено").arg(BaseURL));
        QVERIFY(fl.Failure()->outcomeUnknown); // the request had gone out
        QVERIFY(fl.MemoInfo.last().startsWith(QStringLiteral("Request cancelled by the user")));
        kovrel::SetRequestWaiter(nullptr);
    }

    void unreachableServiceIsATransportFailure() {
        const QString url = server->Url();
        server.reset(); // nothing listens there any more
        BaseURL = url;
        TFormLoad fl;
        RecordList<TRecKlient> list;
        list.push_back(std::make_unique<TRecKlient>());
        fl.ListQuery(list, QStringLiteral("/x.php"), TFormLoad::NewForm(), kFill);
        QVERIFY(list.empty());
        QCOMPARE(fl.MemoInfo.size(), 1);
        QVERIFY(fl.MemoInfo[0].contains(QStringLiteral("onnect")));
        // Nothing reached the service: a write is known not to have happened.
        QCOMPARE(fl.Failure()->text, QStringLiteral("Нет связи с сервером %1: сервер не отвечает").arg(url));
        QCOMPARE(fl.Failure()->kind, kovrel::RequestFailure::Kind::NoConnection);
        QVERIFY(!fl.Failure()->outcomeUnknown);
    }
};

QTEST_GUILESS_MAIN(TestFormLoadFrame)
#include "test_form_load_frame.moc"
