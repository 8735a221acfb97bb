// kovrel-cli run as a process against a capture server: usage errors that send nothing, calls
// with their exact fields and output, reports with their computations, text formats, the
// sources of credentials and the exit statuses.
#include "capture_server.h"
#include "wire/multipart_parser.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

using Fields = QList<QPair<QString, QString>>;

Fields fieldsOf(const CaptureServer::Request& r) {
    const auto form = kovrel::wire::ParseMultipartForm(r.body, r.header("content-type"));
    Fields out;
    for (const auto& f : form.fields)
        out.append({f.name, f.value});
    return out;
}

} // namespace

class TestCliProcess : public QObject {
    Q_OBJECT

    std::unique_ptr<CaptureServer> server;
    QProcessEnvironment env;

    Run cli(const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KOVREL_CLI_PATH), args);
        if (!p.waitForFinished(30000)) p.kill();
        return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
    }

    // The credentials the tests sign in with, from the environment.
    void useEnvironmentCredentials() {
        env.insert(QStringLiteral("KOVREL_SERVICE"), server->Url());
        env.insert(QStringLiteral("KOVREL_LOGIN"), QStringLiteral("boss@shop.ru"));
        env.insert(QStringLiteral("KOVREL_USER"), QStringLiteral("kassa@shop.ru"));
        env.insert(QStringLiteral("KOVREL_PASSWORD"), QStringLiteral("se=cret"));
    }

private Q_SLOTS:
    void init() {
        server = std::make_unique<CaptureServer>();
        env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"KOVREL_SERVICE", "KOVREL_LOGIN", "KOVREL_USER", "KOVREL_PASSWORD"})
            env.remove(QLatin1String(v));
        useEnvironmentCredentials();
    }
    void cleanup() { server.reset(); }

    void usageErrorsSendNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{}
                                    << "no command given (call, report, grid, export, print, print-doc, upd or sign-in)";
        QTest::newRow("unknown command")
            << QStringList{"fetch", "SelectStoreList"}
            << "unknown command fetch (call, report, grid, export, print, print-doc, upd or sign-in)";
        QTest::newRow("no operation") << QStringList{"call"} << "call needs an operation name";
        QTest::newRow("unknown operation")
            << QStringList{"call", "SelectStores"} << "unknown operation SelectStores";
        QTest::newRow("not a report")
            << QStringList{"report", "SelectStoreList"} << "SelectStoreList is not a report operation";
        QTest::newRow("bad json") << QStringList{"call", "SelectStoreList", "{SelName: 1}"}
                                  << "ARGS_JSON is not valid JSON (unterminated object at offset 2)";
        QTest::newRow("json array") << QStringList{"call", "SelectStoreList", "[]"}
                                    << "ARGS_JSON must be one JSON object";
        QTest::newRow("unknown parameter") << QStringList{"call", "SelectStoreList", R"({"Name": "x"})"}
                                           << "unknown parameter Name for SelectStoreList";
        QTest::newRow("missing parameter")
            << QStringList{"call", "SelectNklList", R"({"BeginDat": "2024-03-01"})"}
            << "missing parameter EndDat";
        QTest::newRow("text as integer")
            << QStringList{"call", "SelectBank", R"({"ID": "7"})"} << "ID must be an integer";
        QTest::newRow("fraction as integer")
            << QStringList{"call", "SelectBank", R"({"ID": 7.5})"} << "ID must be an integer";
        QTest::newRow("bad date") << QStringList{"call", "SelectNklList", R"({"BeginDat": "01.03.2024",
                                                                               "EndDat": "2024-03-31"})"}
                                  << "BeginDat must be a date \"yyyy-mm-dd\"";
        QTest::newRow("number as flag") << QStringList{"call", "SelectGoodList", R"({"FlagNorm": 1})"}
                                        << "FlagNorm must be true or false";
        QTest::newRow("unknown record field")
            << QStringList{"call", "DeleteUser", R"({"Rec": {"Id": 4}})"}
            << "unknown field Rec.Id (TRecUser has ID, FlagDel, DopLogin, UserName)";
        QTest::newRow("record of wrong kind") << QStringList{"call", "DeleteUser", R"({"Rec": [4]})"}
                                              << "Rec must be an object of record fields";
        QTest::newRow("bad list element")
            << QStringList{"call", "UpdateUserRights", R"({"ID": 7, "L": [{"ur": "1"}]})"}
            << "L[0].ur must be an integer";
        QTest::newRow("format without rows")
            << QStringList{"--format", "tsv", "call", "DeleteUser", R"({"Rec": {}})"}
            << "DeleteUser returns no records to print as rows; leave out --format";
        QTest::newRow("unknown format") << QStringList{"--format=xml", "call", "SelectStoreList"}
                                        << "unknown format xml (tsv or csv; JSON is the default)";
        QTest::newRow("unknown option")
            << QStringList{"--verbose", "call", "SelectStoreList"} << "unknown option --verbose";
        QTest::newRow("option without value")
            << QStringList{"call", "SelectStoreList", "--login"} << "option --login needs a value";
        QTest::newRow("second json") << QStringList{"call", "SelectStoreList", "{}", "{}"}
                                     << "unexpected argument {} (ARGS_JSON is one argument)";
        QTest::newRow("bad group") << QStringList{"report", "RunRepDolg",
                                                  R"({"EndDat": "2024-03-31", "Group": 4})"}
                                   << "Group must be 0 (buyers and suppliers), 1 (accounts and cash desks), "
                                      "2 (overheads) or 3 (investments and withdrawals)";
        QTest::newRow("card without begin")
            << QStringList{"report", "RunRepMoveKl", R"({"ID": 1, "EndDat": "2024-03-31"})"}
            << "missing parameter BeginDat";
        QTest::newRow("computation input on call")
            << QStringList{"call", "RunRepMoveKl",
                           R"({"ID": 1, "EndDat": "2024-03-31", "BeginDat": "2024-03-01"})"}
            << "unknown parameter BeginDat for RunRepMoveKl";
        QTest::newRow("grid of no report")
            << QStringList{"grid", "SelectStoreList"} << "SelectStoreList is not a report operation";
        QTest::newRow("box of another page") << QStringList{"grid", "RunRepOst", R"({"CBoxKolRSS": true})"}
                                             << "the page of RunRepOst has no control CBoxKolRSS";
        QTest::newRow("kind on a page without it")
            << QStringList{"grid", "RunRepDolg", R"({"EndDat": "2024-03-31", "SelKlientGr": 1})"}
            << "the page of RunRepDolg has no control SelKlientGr";
        QTest::newRow("box as number")
            << QStringList{"grid", "RunRepOst", R"({"CBoxKol": 1})"} << "CBoxKol must be true or false";
        QTest::newRow("bad account group")
            << QStringList{"grid", "RunRepDolg", R"({"EndDat": "2024-03-31", "ComBoxGrRepDolg": -1})"}
            << "ComBoxGrRepDolg must be 0 (buyers and suppliers), 1 (accounts and cash desks), "
               "2 (overheads) or 3 (investments and withdrawals)";
        QTest::newRow("bad service")
            << QStringList{"--service", "ftp://host", "call", "SelectStoreList"}
            << "the service must be an address like http://host:port, not ftp://host";
        QTest::newRow("missing ini")
            << QStringList{"--ini", "/nonexistent/kovrel.ini", "call", "SelectStoreList"}
            << "cannot read the settings file /nonexistent/kovrel.ini: No such file or directory";
    }
    void usageErrorsSendNothing() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err,
                 QStringLiteral("kovrel-cli: ") + message + QStringLiteral("; see kovrel-cli --help\n"));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(server->Count(), 0);
    }

    void helpDocumentsEveryOperation() {
        const Run r = cli({QStringLiteral("--help")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        const QString help = QString::fromUtf8(r.out);
        QVERIFY(help.startsWith(QStringLiteral("Usage: kovrel-cli [OPTIONS] COMMAND\n")));
        QVERIFY(help.contains(QStringLiteral(
            "  UpdatePrhItem  Rec:{TRecDocItem} OldKol:number OldCenZ:number Compare:integer -> ok\n")));
        QVERIFY(help.contains(
            QStringLiteral("  SelectVnkItemsList  ID:integer CodeStoreI:integer CodeStoreP:integer "
                           "-> L: TRecDocItem, ok\n")));
        QVERIFY(help.contains(QStringLiteral("  UpdateUserRights  ID:integer L:[{TRecUserRights}] -> ok\n")));
        QVERIFY(help.contains(QStringLiteral("  RunBlackup  (none) -> text\n")));
        QVERIFY(
            help.contains(QStringLiteral("  RunRepOst  ZCenShown?:true/false ZeroIncluded?:true/false\n")));
        QVERIFY(help.contains(QStringLiteral("KOVREL_PASSWORD")));
    }

    void insertPrintsTheNewID() {
        server->Enqueue("321");
        const Run r = cli(
            {"call", "InsertKlient", R"({"Rec": {"Name": "Ромашка", "TypeKl": 1, "Prim": "опт\nрозница"}})"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QCOMPARE(server->Count(), 1);
        QCOMPARE(server->Last().path, QByteArray("/insert-klient.php"));
        const Fields expected{{"login", "boss@shop.ru"},
                              {"dop_login", "kassa@shop.ru"},
                              {"token", "se=cret"},
                              {"client", "W.1.0.1"},
                              {"type_kl", "1"},
                              {"name_win", "Ромашка"},
                              {"prim_win", "опт\r\nрозница"},
                              {"id_manager", "1"}};
        QCOMPARE(fieldsOf(server->Last()), expected);
        QCOMPARE(QString::fromUtf8(r.out),
                 QStringLiteral("{\n"
                                "  \"ok\": true,\n"
                                "  \"Rec\": {\"ID\": 321, \"FlagDel\": 0, \"Name\": \"Ромашка\", \"Prim\": "
                                "\"опт\\nрозница\", \"TypeKl\": 1, \"ManagerName\": \"\", \"ManagerID\": 1, "
                                "\"m1_sum\": 0, \"m2_sum\": 0, \"nkl_sum\": 0, \"prh_sum\": 0},\n"
                                "  \"log\": []\n"
                                "}\n"));
    }

    void listPrintsRecordsAndLog() {
        server->Enqueue(R"([{"id": 9, "docdate": "2024-02-01", "id_klient_i": 11, "sum_m": 250.5},
                            {"id": 10, "docdate": "2024-02-02 13:45:10", "prim": "a\tb"}])");
        const Run r =
            cli({"call", "SelectMoneyList", R"({"BeginDat": "2024-02-01", "EndDat": "2024-02-29"})"});
        QCOMPARE(r.exitCode, 0);
        const Fields sent = fieldsOf(server->Last());
        QCOMPARE(sent.mid(4),
                 (Fields{{"find_win", ""}, {"dat_begin", "2024-02-01"}, {"dat_end", "2024-02-29"}}));
        const QString out = QString::fromUtf8(r.out);
        QVERIFY2(
            out.startsWith(QStringLiteral(
                "{\n  \"ok\": true,\n  \"L\": [\n"
                "    {\"ID\": 9, \"DocDate\": \"2024-02-01\", \"KlientIDI\": 11, \"KlientIDP\": 0, "
                "\"KlientNameI\": \"\", \"KlientNameP\": \"\", \"SumM\": 250.5, \"Prim\": \"\", \"DocN\": 0, "
                "\"InvoiceN\": 0},\n"
                "    {\"ID\": 10, \"DocDate\": \"2024-02-02 13:45:10\",")),
            qPrintable(out));
        // The log holds the reply text, then the number of records.
        QVERIFY(out.contains(QStringLiteral("  ],\n  \"log\": [\n    \"[{\\\"id\\\": 9,")));
        QVERIFY(out.endsWith(QStringLiteral("\",\n    \"2\"\n  ]\n}\n")));
    }

    void listAsTabAndCommaSeparatedText() {
        const QByteArray reply =
            "[{\"ID\": 4, \"dop_login\": \"a@b.ru\", \"user_name\": \"Анна, кассир\"},"
            " {\"ID\": 5, \"dop_login\": \"c@d.ru\", \"user_name\": \"Борис \\\"Б\\\"\\tстарший\"}]";
        server->Enqueue(reply);
        const Run tsv = cli({"--format", "tsv", "call", "SelectUserList"});
        QCOMPARE(tsv.exitCode, 0);
        QCOMPARE(QString::fromUtf8(tsv.out), QStringLiteral("ID\tFlagDel\tDopLogin\tUserName\n"
                                                            "4\t0\ta@b.ru\tАнна, кассир\n"
                                                            "5\t0\tc@d.ru\tБорис \"Б\" старший\n"));
        server->Enqueue(reply);
        const Run csv = cli({"call", "SelectUserList", "{}", "--format=csv"});
        QCOMPARE(csv.exitCode, 0);
        QCOMPARE(QString::fromUtf8(csv.out), QStringLiteral("ID,FlagDel,DopLogin,UserName\n"
                                                            "4,0,a@b.ru,\"Анна, кассир\"\n"
                                                            "5,0,c@d.ru,\"Борис \"\"Б\"\"\tстарший\"\n"));
    }

    void failuresExitWithOne() {
        server->Enqueue("<html>Internal error</html>", 500);
        const Run list = cli({"call", "SelectStoreList"});
        QCOMPARE(list.exitCode, 1);
        QCOMPARE(list.err, QStringLiteral("kovrel-cli: SelectStoreList failed: HTTP/1.1 500 Error\n"));
        QVERIFY(list.out.startsWith("{\n  \"ok\": false,\n  \"L\": [],\n"));

        server->Enqueue("queued", 202);
        const Run write = cli({"call", "DeleteStore", R"({"Rec": {"ID": 7}})"});
        QCOMPARE(write.exitCode, 1);
        QCOMPARE(write.err,
                 QStringLiteral(
                     "kovrel-cli: DeleteStore failed: the service did not confirm it (no status 200)\n"));
        QCOMPARE(fieldsOf(server->Last()).mid(4), (Fields{{"id", "7"}, {"flag_del", "1"}}));
    }

    void lineRefreshKeepsTheCallersRecordWhenNothingComesBack() {
        server->Enqueue("[]");
        const Run r = cli({"call", "SelectVnkItemOne",
                           R"({"Rec": {"ID": 501, "Kol": 2}, "CodeStoreI": 3, "CodeStoreP": 4})"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(fieldsOf(server->Last()).mid(4),
                 (Fields{{"id", "501"}, {"code_store_i", "3"}, {"code_store_p", "4"}}));
        QVERIFY(
            r.out.contains("\"Rec\": {\"ID\": 501, \"IDZag\": 0, \"IDGood\": 0, \"Kol\": 2, \"Pack\": 1,"));
    }

    void rightsWritesFromLists() {
        const Run user = cli({"call", "UpdateUserRights",
                              R"({"ID": 7, "L": [{"idRight": 5005, "ur": 0}, {"idRight": 1001, "ur": 1}]})"});
        QCOMPARE(user.exitCode, 0);
        QCOMPARE(fieldsOf(server->Last()).mid(4), (Fields{{"id", "7"}, {"UR1001", "1"}, {"UR5005", "0"}}));
        const Run store = cli({"call", "UpdateStoreRightsOnStore",
                               R"({"idStore": 30, "L": [{"idUser": 7, "ur": 2}, {"idUser": 12, "ur": 0}]})"});
        QCOMPARE(store.exitCode, 0);
        QCOMPARE(fieldsOf(server->Last()).mid(4),
                 (Fields{{"id", "30"}, {"user_id_7", "2"}, {"user_id_12", "0"}}));
        server->Enqueue("  http://host/b/1.db\n");
        const Run backup = cli({"call", "RunBlackup"});
        QCOMPARE(backup.out,
                 QByteArray("{\n  \"ok\": true,\n  \"text\": \"http://host/b/1.db\",\n  \"log\": []\n}\n"));
    }

    void credentialsFromOptionsEnvironmentAndIni() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("kovrel.ini"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Other]\nLogin=wrong@x.ru\n[config]\nlogin = ini@shop.ru \nDopLogin=ini@shop.ru\nPas=p;a=ss\n"
            "Pas=second\n");
        f.close();
        env.remove(QStringLiteral("KOVREL_LOGIN"));
        env.remove(QStringLiteral("KOVREL_USER"));
        env.insert(QStringLiteral("KOVREL_PASSWORD"), QString()); // empty: not a value
        QCOMPARE(cli({"--ini", ini, "call", "SelectStoreList"}).exitCode, 0);
        // The user login equal to the administrator's means the administrator.
        QCOMPARE(fieldsOf(server->Last()).mid(0, 3),
                 (Fields{{"login", "ini@shop.ru"}, {"dop_login", ""}, {"token", "p;a=ss"}}));

        env.insert(QStringLiteral("KOVREL_USER"), QStringLiteral("env@shop.ru"));
        QCOMPARE(cli({"--ini", ini, "--password", " typed ", "call", "SelectStoreList"}).exitCode, 0);
        QCOMPARE(fieldsOf(server->Last()).mid(0, 3),
                 (Fields{{"login", "ini@shop.ru"}, {"dop_login", "env@shop.ru"}, {"token", "typed"}}));

        env.remove(QStringLiteral("KOVREL_SERVICE"));
        QCOMPARE(cli({"--service", server->Url() + QStringLiteral("/"), "--user=", "--login", "opt@shop.ru",
                      "call", "SelectStoreList"})
                     .exitCode,
                 0);
        QCOMPARE(fieldsOf(server->Last()).mid(0, 3),
                 (Fields{{"login", "opt@shop.ru"}, {"dop_login", ""}, {"token", ""}}));
    }

    void stockReportWithItsComputation() {
        server->Enqueue(
            R"([{"id": 1, "id_goods": 15, "name": "Чай", "pack": 10, "zcen": 10, "pcen": 20, "kol_plus": 3},
                            {"id": 2, "id_goods": 15, "name": "Чай", "pack": 10, "zcen": 12, "pcen": 20, "kol_plus": 5},
                            {"id": 3, "id_goods": 16, "name": "Кофе", "zcen": 1, "kol_plus": 2, "kol_minus": 2}])");
        const Run r = cli({"report", "RunRepOst", R"({"SelName": "ч", "CodeStore": 0})"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(fieldsOf(server->Last()).mid(4),
                 (Fields{{"find_win", "Ч"}, {"flag_zero", "0"}, {"code_store", "-1"}}));
        const QString out = QString::fromUtf8(r.out);
        QVERIFY2(
            out.contains(QStringLiteral(
                "  \"rows\": [\n"
                "    {\"ID\": 1, \"FlagDel\": 0, \"Name\": \"Чай\", \"Prim\": \"\", \"Pack\": 10, "
                "\"BarCode\": \"\", \"Code\": \"\", \"PCen\": 20, \"ZCen\": 10, \"Nds\": 0, \"IDGoods\": 15, "
                "\"GrCode\": 1, \"KolPlus\": 3, \"KolMinus\": 0, \"KolPlusV\": 0, \"KolMinusV\": 0, "
                "\"OstKol\": 8, \"ItogZSum\": 90, \"OKEI\": \"\", \"PackKol\": 0.8, \"ZCenAvg\": 11.25, "
                "\"Sum\": 160}\n"
                "  ],\n"
                "  \"totals\": {\"OstKol\": 8, \"PackKol\": 0.8, \"ItogZSum\": 90, \"Sum\": 160},\n"
                "  \"log\": [\n")),
            qPrintable(out));

        server->Enqueue(R"([{"id": 1, "id_goods": 15, "name": "Чай", "zcen": 10, "kol_plus": 3},
                            {"id": 2, "id_goods": 15, "name": "Чай", "zcen": 12, "kol_plus": 5}])");
        const Run tsv = cli({"--format", "tsv", "report", "RunRepOst", R"({"ZCenShown": true})"});
        QCOMPARE(tsv.exitCode, 0);
        const QList<QByteArray> lines = tsv.out.split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, and the end of the last line
        QCOMPARE(
            lines[0],
            QByteArray("ID\tFlagDel\tName\tPrim\tPack\tBarCode\tCode\tPCen\tZCen\tNds\tIDGoods\tGrCode\t"
                       "KolPlus\tKolMinus\tKolPlusV\tKolMinusV\tOstKol\tItogZSum\tOKEI\tPackKol\tZCenAvg\tSum"));
        QVERIFY(lines[1].endsWith("\t3\t30\t\t3\t10\t0"));
        QVERIFY(lines[2].endsWith("\t5\t60\t\t5\t12\t0"));
    }

    void settlementCardReport() {
        server->Enqueue(R"([{"id": 30, "sel_docdate": "2024-02-01", "sel_docsum": 500},
                            {"id": 41, "sel_docdate": "2024-03-02", "sel_docsum": 100}])");
        server->Enqueue(R"([])");
        server->Enqueue(R"([{"id": 8, "sel_docdate": "2024-03-02", "sel_docsum": 150.5}])");
        server->Enqueue(R"([])");
        const Run r = cli({"--format", "csv", "report", "RunRepMoveKl",
                           R"({"ID": 11, "BeginDat": "2024-03-01", "EndDat": "2024-03-31"})"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(server->Count(), 4);
        QCOMPARE(fieldsOf(server->Last()).mid(4), (Fields{{"code_kl", "11"}, {"dat", "2024-03-31"}}));
        QCOMPARE(QString::fromUtf8(r.out),
                 QStringLiteral("ID,Dat,NameDoc,SumP,SumR,Text,In,Out,Balance\n"
                                "41,2024-03-02,Расходная накладная,0,100,"
                                "Расходная накладная № 41,0,100,600\n"
                                "8,2024-03-02,Оплата,150.5,0,Оплата № 8,150.5,0,449.5\n"));

        server->Enqueue(R"([{"id": 30, "sel_docdate": "2024-02-01", "sel_docsum": 500}])");
        const Run json = cli(
            {"report", "RunRepMoveKl", R"({"ID": 11, "BeginDat": "2024-03-01", "EndDat": "2024-03-31"})"});
        QCOMPARE(json.exitCode, 0);
        QVERIFY(
            json.out.contains("  \"rows\": [],\n  \"totals\": {\"In\": 0, \"Out\": 0, \"Closing\": 500},\n"
                              "  \"Opening\": 500,\n"));
    }

    void debtsReportByGroup() {
        const QByteArray nkl = R"([{"id_klient": 11, "name_klient": "Ромашка", "group_kl": 1, "doc_sum": 100},
                                   {"id_klient": 12, "name_klient": "Лютик", "group_kl": 1, "doc_sum": 10}])";
        const QByteArray prh = R"([{"id_klient": 12, "doc_sum": 260.5}])";
        server->Enqueue(nkl);
        server->Enqueue(prh);
        const Run r =
            cli({"--format", "tsv", "report", "RunRepDolg", R"({"EndDat": "2024-03-31", "CodeManager": 4})"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(fieldsOf(server->Last()).mid(4), (Fields{{"dat", "2024-03-31"}, {"code_manager", "4"}}));
        QCOMPARE(QString::fromUtf8(r.out),
                 QStringLiteral("KlientID\tKlientName\tKlientGr\tDolgSum\tDebt\tAdvance\n"
                                "12\tЛютик\t1\t-250.5\t\t250.5\n"
                                "11\tРомашка\t1\t100\t100\t\n"));
        server->Enqueue(nkl);
        server->Enqueue(prh);
        const Run json = cli({"report", "RunRepDolg", R"({"EndDat": "2024-03-31"})"});
        QVERIFY(json.out.contains("\"totals\": {\"Debt\": 100, \"Advance\": 250.5},"));
        QVERIFY(json.out.contains("\"Debt\": null, \"Advance\": 250.5}"));
    }

    void aFailingReportStillComputesWhatArrived() {
        server->Enqueue(R"([{"id": 1, "doc_id": 5, "docdate": "2024-03-02", "kol_prh": 4}])");
        server->Enqueue("busy", 503);
        const Run r =
            cli({"report", "RunRepMoveGood",
                 R"({"ID": 15, "CodeStore": 3, "BeginDat": "2024-03-01", "EndDat": "2024-03-31"})"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(server->Count(), 2);
        QCOMPARE(r.err, QStringLiteral("kovrel-cli: RunRepMoveGood failed: HTTP/1.1 503 Error\n"));
        QVERIFY(r.out.contains("\"Text\": \" док. № 5\", \"In\": 4, \"Out\": 0, \"Balance\": 4}"));
    }

    void signIn() {
        server->Enqueue(R"({"test_admin_login": 1, "test_admin_pas": 1, "flag_admin": 1, "user_id": 0})");
        const Run admin = cli({"sign-in"});
        QCOMPARE(admin.exitCode, 0);
        QVERIFY(admin.err.isEmpty());
        QCOMPARE(server->Last().path, QByteArray("/get-lic-v3.php"));
        QCOMPARE(fieldsOf(server->Last()).size(), 4);
        QCOMPARE(QString::fromUtf8(admin.out),
                 QStringLiteral(
                     "{\n  \"ok\": true,\n  \"SignInState\": {\"testAdminLogin\": 1, \"testAdminPas\": 1, "
                     "\"flagAdmin\": 1, \"userName\": \"\", \"userID\": 0},\n"
                     "  \"text\": \"Пользователь: Администратор\",\n  \"log\": []\n}\n"));

        server->Enqueue(R"({"flag_admin": 0, "user_id": 0})");
        const Run nobody = cli({"sign-in"});
        QCOMPARE(nobody.exitCode, 1);
        QCOMPARE(nobody.err,
                 QStringLiteral("kovrel-cli: Требуется указать корректный логин и пароль пользователя !\n"));

        server.reset();
        const Run down = cli({"sign-in"});
        QCOMPARE(down.exitCode, 1);
        QVERIFY(down.err.startsWith(QStringLiteral("kovrel-cli: Failed to connect")));
    }
};

QTEST_GUILESS_MAIN(TestCliProcess)
#include "test_cli_process.moc"
