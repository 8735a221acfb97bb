// Report queries against a capture server: fields, endpoint order, the first failure ending a
// report, the debts merge and the settlement card's sides.
#include "capture_server.h"
#include "form_load.h"
#include "request_fields.h"

#include <QTest>

#include <functional>

using testing::Fields;

namespace {

using kovrel::EncodeDate;

const TDateTime kBegin = EncodeDate(2024, 3, 1);
const TDateTime kEnd = EncodeDate(2024, 3, 31) + 0.5;

struct ReportCase {
    const char* name;
    std::function<void(TFormLoad&)> run;
    QStringList paths;
    Fields fields; // sent alike to every endpoint
};

} // namespace

class TestFormLoadReports : public QObject {
    Q_OBJECT

    std::unique_ptr<CaptureServer> server;

private Q_SLOTS:
    void init() {
        server = std::make_unique<CaptureServer>();
        testing::SetTestSession(server->Url());
    }
    void cleanup() { server.reset(); }

    void fieldsAndEndpointOrder() {
        RecordList<TRecGood> ost;
        RecordList<TRecMoveGood> mg;
        RecordList<TRecSt> st;
        RecordList<TRecDynam> dyn;
        RecordList<TRecDolg> dolg;
        RecordList<TRecMoveKl> mk;
        const QStringList moveGood2{"/rep-movegood-1-json.php", "/rep-movegood-2-json.php"};
        const QStringList moveGood4 =
            moveGood2 + QStringList{"/rep-movegood-p-json.php", "/rep-movegood-i-json.php"};
        const QList<ReportCase> cases{
            {"stock, all stores",
             [&](TFormLoad& f) { f.RunRepOst(ost, QStringLiteral("чай"), true, 0); },
             {"/rep-ost-json-v3.php"},
             {{"find_win", "ЧАЙ"}, {"flag_zero", "1"}, {"code_store", "-1"}}},
            {"stock, one store",
             [&](TFormLoad& f) { f.RunRepOst(ost, QString(), false, 5); },
             {"/rep-ost-json-v3.php"},
             {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "5"}}},
            {"movement, no goods, all stores",
             [&](TFormLoad& f) { f.RunRepMoveGood(mg, -1, kEnd, -1); },
             moveGood2,
             {{"id_goods", "-1"}, {"dat", "2024-03-31"}, {"code_store", "-1"}}},
            {"movement, store 0",
             [&](TFormLoad& f) { f.RunRepMoveGood(mg, 0, kEnd, 0); },
             moveGood2,
             {{"id_goods", "0"}, {"dat", "2024-03-31"}, {"code_store", "-1"}}},
            {"movement, one store",
             [&](TFormLoad& f) { f.RunRepMoveGood(mg, 15, kEnd, 3); },
             moveGood4,
             {{"id_goods", "15"}, {"dat", "2024-03-31"}, {"code_store", "3"}}},
            {"sales structure",
             [&](TFormLoad& f) { f.RunRepSaleSt(st, kBegin, kEnd, QStringLiteral("Чай"), -1, 0, 7); },
             {"/rep-nkl-st-json.php"},
             {{"find_win", "ЧАЙ"},
              {"dat_begin", "2024-03-01"},
              {"dat_end", "2024-03-31"},
              {"code_kl", "-1"},
              {"code_store", "-1"},
              {"code_manager", "7"}}},
            {"sales dynamics",
             [&](TFormLoad& f) { f.RunRepSaleDynam(dyn, kBegin, kEnd, 2, 11, 3, 0); },
             {"/rep-nkl-dynam-json.php"},
             {{"dat_begin", "2024-03-01"},
              {"dat_end", "2024-03-31"},
              {"code_detal", "2"},
              {"code_kl", "11"},
              {"code_store", "3"},
              {"code_manager", "-1"}}},
            {"purchase structure",
             [&](TFormLoad& f) { f.RunRepPrhSt(st, kBegin, kEnd, QString(), 11, 3); },
             {"/rep-prh-st-json.php"},
             {{"find_win", ""},
              {"dat_begin", "2024-03-01"},
              {"dat_end", "2024-03-31"},
              {"code_kl", "11"},
              {"code_store", "3"}}},
            {"purchase dynamics",
             [&](TFormLoad& f) { f.RunRepPrhDynam(dyn, kBegin, kEnd, 0, -1, -1); },
             {"/rep-prh-dynam-json.php"},
             {{"dat_begin", "2024-03-01"},
              {"dat_end", "2024-03-31"},
              {"code_detal", "0"},
              {"code_kl", "-1"},
              {"code_store", "-1"}}},
            {"debts",
             [&](TFormLoad& f) { f.RunRepDolg(dolg, kEnd, -1); },
             {"/rep-dolg-nkl-json.php", "/rep-dolg-prh-json.php", "/rep-dolg-moneyi-json.php",
              "/rep-dolg-moneyp-json.php"},
             {{"dat", "2024-03-31"}, {"code_manager", "-1"}}},
            {"settlement card",
             [&](TFormLoad& f) { f.RunRepMoveKl(mk, 0, kEnd); },
             {"/rep-movekl-nkl-json.php", "/rep-movekl-prh-json.php", "/rep-movekl-moneyi-json.php",
              "/rep-movekl-moneyp-json.php"},
             {{"code_kl", "0"}, {"dat", "2024-03-31"}}},
        };
        for (const ReportCase& c : cases) {
            server->Clear();
            TFormLoad fl;
            c.run(fl);
            const auto requests = server->Requests();
            QVERIFY2(testing::Paths(requests) == c.paths,
                     qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") +
                                testing::Paths(requests).join(QLatin1Char(' '))));
            for (const auto& req : requests) {
                const Fields sent = testing::OwnFields(req);
                QVERIFY2(sent == c.fields, qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") +
                                                      testing::Describe(sent)));
            }
        }
    }

    void listsArePresizedAndEmptied() {
        TFormLoad fl;
        RecordList<TRecGood> ost;
        ost.push_back(std::make_unique<TRecGood>());
        fl.RunRepOst(ost, QString(), false, 0);
        QVERIFY(ost.empty());
        QCOMPARE(ost.capacity(), size_t(8192));
        RecordList<TRecDolg> dolg;
        fl.RunRepDolg(dolg, kEnd, 0);
        QCOMPARE(dolg.capacity(), size_t(2048));
        RecordList<TRecSt> st;
        fl.RunRepSaleSt(st, kBegin, kEnd, QString(), 0, 0, 0);
        QCOMPARE(st.capacity(), size_t(2048));
    }

    void stockRowsReadEveryKey() {
        server->Enqueue(R"([{"id": 70, "flag_del": 1, "name": "Чай", "prim": "п", "pack": 10, "barcode": "46",
            "code": "A-1", "pcen": "12.5", "zcen": 9, "id_goods": 15, "kol_plus": 10, "kol_plus_v": 2,
            "kol_minus": 3, "kol_minus_v": 1, "nds": 20, "gg_code": 4}])");
        TFormLoad fl;
        RecordList<TRecGood> L;
        fl.RunRepOst(L, QString(), false, 0);
        QCOMPARE(L.size(), size_t(1));
        const TRecGood& g = *L[0];
        QCOMPARE(g.ID, 70); // the row's own ID, unlike the picker's stock list
        QCOMPARE(g.IDGoods, 15);
        QCOMPARE(g.FlagDel, 1);
        QCOMPARE(g.Name, QStringLiteral("Чай"));
        QCOMPARE(g.Prim, QStringLiteral("п"));
        QCOMPARE(g.Pack, 10.0);
        QCOMPARE(g.BarCode, QStringLiteral("46"));
        QCOMPARE(g.Code, QStringLiteral("A-1"));
        QCOMPARE(g.PCen, 12.5);
        QCOMPARE(g.ZCen, 9.0);
        QCOMPARE(g.GetOst(), 8.0);
        QCOMPARE(g.Nds, 0.0);
        QCOMPARE(g.GrCode, 1);
        QCOMPARE(g.OstKol, 0.0);
        QCOMPARE(g.ItogZSum, 0.0);
    }

    void movementRowsAndTheirOptionalQuantities() {
        server->Enqueue(R"([{"id": 1, "doc_id": 41, "docdate": "2024-03-05", "id_klients": 11,
            "name_klients": "Ромашка", "kol_prh": "5"}])");
        server->Enqueue(R"([{"id": 2, "doc_id": 42, "docdate": "bad", "kol_nkl": 2.5}])");
        TFormLoad fl;
        RecordList<TRecMoveGood> L;
        fl.RunRepMoveGood(L, 15, kEnd, -1);
        QCOMPARE(L.size(), size_t(2));
        QCOMPARE(L[0]->ID, 1);
        QCOMPARE(L[0]->DocID, 41);
        QCOMPARE(L[0]->DocDat, EncodeDate(2024, 3, 5));
        QCOMPARE(L[0]->KlientID, 11);
        QCOMPARE(L[0]->KlientName, QStringLiteral("Ромашка"));
        QCOMPARE(L[0]->KolPrh, 5.0);
        QCOMPARE(L[0]->KolNkl, 0.0);
        QCOMPARE(L[1]->DocDat, 0.0);
        QCOMPARE(L[1]->KolPrh, 0.0);
        QCOMPARE(L[1]->KolNkl, 2.5);
    }

    void structureAndDynamicsRows() {
        const QByteArray st =
            R"([{"id": 15, "name": "Чай", "pack": 10, "kol": 20, "zsum": 180, "rsum": 250}])";
        TFormLoad fl;
        RecordList<TRecSt> L;
        server->Enqueue(st);
        fl.RunRepSaleSt(L, kBegin, kEnd, QString(), 0, 0, 0);
        QCOMPARE(L.size(), size_t(1));
        QCOMPARE(L[0]->ID, 15);
        QCOMPARE(L[0]->Name, QStringLiteral("Чай"));
        QCOMPARE(L[0]->Pack, 10.0);
        QCOMPARE(L[0]->Kol, 20.0);
        QCOMPARE(L[0]->SumZ, 180.0);
        QCOMPARE(L[0]->SumR, 250.0);
        server->Enqueue(st);
        fl.RunRepPrhSt(L, kBegin, kEnd, QString(), 0, 0);
        QCOMPARE(L[0]->SumR, 0.0); // purchase rows have no sale sum

        const QByteArray dyn = R"([{"docdate": "2024-03-01", "min_docdate": "2024-03-01 09:15:00",
            "max_docdate": "2024-03-07", "kol": 3, "zsum": "30.5", "rsum": 45}])";
        RecordList<TRecDynam> D;
        server->Enqueue(dyn);
        fl.RunRepSaleDynam(D, kBegin, kEnd, 2, 0, 0, 0);
        QCOMPARE(D.size(), size_t(1));
        QCOMPARE(D[0]->DocDate, EncodeDate(2024, 3, 1));
        QCOMPARE(D[0]->MinDocDate, EncodeDate(2024, 3, 1) + (9 * 60 + 15) / 1440.0);
        QCOMPARE(D[0]->MaxDocDate, EncodeDate(2024, 3, 7));
        QCOMPARE(D[0]->Kol, 3.0);
        QCOMPARE(D[0]->SumZ, 30.5);
        QCOMPARE(D[0]->SumR, 45.0);
        server->Enqueue(dyn);
        fl.RunRepPrhDynam(D, kBegin, kEnd, 2, 0, 0);
        QCOMPARE(D[0]->SumR, 0.0);
    }

    void firstFailureEndsTheReport() {
        server->Enqueue(R"([{"id": 1, "kol_prh": 5}, {"id": 2, "kol_prh": 1}])");
        server->Enqueue("<html>down</html>", 502);
        TFormLoad fl;
        RecordList<TRecMoveGood> L;
        fl.RunRepMoveGood(L, 15, kEnd, 3);
        QCOMPARE(server->Count(), 2); // "-p" and "-i" are never asked
        QCOMPARE(L.size(), size_t(2));
        QCOMPARE(fl.MemoInfo.last(), QStringLiteral("HTTP/1.1 502 Error"));
        QVERIFY(fl.Failed());

        // A reply that is not an array ends it as well, keeping the rows of the earlier endpoints.
        server->Clear();
        server->Enqueue(R"([{"id": 1, "sel_docdate": "2024-03-02", "sel_docsum": 100}])");
        server->Enqueue(R"([])");
        server->Enqueue(R"({"error": "busy"})");
        RecordList<TRecMoveKl> K;
        TFormLoad fk;
        fk.RunRepMoveKl(K, 11, kEnd);
        QCOMPARE(server->Count(), 3);
        QCOMPARE(K.size(), size_t(1));
        QCOMPARE(fk.MemoInfo.last(), QStringLiteral("JSON array expected"));

        // A value that cannot be read ends it in the middle of an array.
        server->Clear();
        server->Enqueue(R"([{"id": 1, "kol": 1}, {"id": 2, "kol": "много"}, {"id": 3, "kol": 1}])");
        RecordList<TRecSt> S;
        fk.RunRepSaleSt(S, kBegin, kEnd, QString(), 0, 0, 0);
        QCOMPARE(S.size(), size_t(1));
    }

    void debtsMergeWithSigns() {
        server->Enqueue(R"([{"id_klient": 11, "name_klient": "Ромашка", "group_kl": 1, "doc_sum": 100},
                            {"id_klient": 12, "name_klient": "Лютик", "group_kl": 1, "doc_sum": "40.5"}])");
        server->Enqueue(R"([{"id_klient": 11, "name_klient": "Ромашка-2", "group_kl": 3, "doc_sum": 30
    },
                            {"id_klient": 13, "name_klient": "Поставщик", "group_kl": 1, "doc_sum": 75}])");
        server->Enqueue(R"([{"id_klient": 11, "doc_sum": 70}, {"id_klient": 2, "name_klient": "Касса",
                             "group_kl": 2, "doc_sum": 500}])");
        server->Enqueue(R"([{"id_klient": 2, "doc_sum": 120}, {"id_klient": 12, "doc_sum": 0.5}])");
        TFormLoad fl;
        RecordList<TRecDolg> L;
        fl.RunRepDolg(L, kEnd, 0);
        QCOMPARE(L.size(), size_t(4));
        // In order of first appearance, name and group from the first element seen.
        QCOMPARE(L[0]->KlientID, 11);
        QCOMPARE(L[0]->KlientName, QStringLiteral("Ромашка"));
        QCOMPARE(L[0]->KlientGr, 1);
        QCOMPARE(L[0]->DolgSum, 0.0); // waybill 100 - receipt 30 - incoming payment 70
        QCOMPARE(L[1]->KlientID, 12);
        QCOMPARE(L[1]->DolgSum, 41.0);
        QCOMPARE(L[2]->KlientID, 13);
        QCOMPARE(L[2]->DolgSum, -75.0);
        QCOMPARE(L[3]->KlientID, 2);
        QCOMPARE(L[3]->KlientName, QStringLiteral("Касса"));
        QCOMPARE(L[3]->KlientGr, 2);
        QCOMPARE(L[3]->DolgSum, -380.0);
    }

    void debtsFailureKeepsTheEarlierSums() {
        server->Enqueue(R"([{"id_klient": 11, "name_klient": "Ромашка", "group_kl": 1, "doc_sum": 100}])");
        server->Enqueue(R"([{"id_klient": 11, "doc_sum": 30}, {"id_klient": 11, "doc_sum": "x"}])");
        TFormLoad fl;
        RecordList<TRecDolg> L;
        fl.RunRepDolg(L, kEnd, 0);
        QCOMPARE(server->Count(), 2);
        QCOMPARE(L.size(), size_t(1));
        QCOMPARE(L[0]->DolgSum, 70.0); // the unreadable element adds nothing
    }

    void settlementRowsAreNamedAndSided() {
        server->Enqueue(R"([{"id": 41, "sel_docdate": "2024-03-05", "sel_docsum": 100}])");
        server->Enqueue(R"([{"id": 7, "sel_docdate": "2024-03-06", "sel_docsum": 30}])");
        server->Enqueue(R"([{"id": 8, "sel_docdate": "2024-03-07", "sel_docsum": 50}])");
        server->Enqueue(R"([{"id": 9, "sel_docdate": "2024-03-08 10:00:00", "sel_docsum": "20.25"}])");
        TFormLoad fl;
        RecordList<TRecMoveKl> L;
        fl.RunRepMoveKl(L, 11, kEnd);
        QCOMPARE(L.size(), size_t(4));
        const QList<std::tuple<int, QString, double, double>> expected{
            {41, QStringLiteral("Расходная накладная"), 0.0, 100.0},
            {7, QStringLiteral("Приходная накладная"), 30.0, 0.0},
            {8, QStringLiteral("Оплата"), 50.0, 0.0},
            {9, QStringLiteral("Оплата"), 0.0, 20.25},
        };
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(L[i]->ID, std::get<0>(expected[i]));
            QCOMPARE(L[i]->NameDoc, std::get<1>(expected[i]));
            QCOMPARE(L[i]->SumP, std::get<2>(expected[i]));
            QCOMPARE(L[i]->SumR, std::get<3>(expected[i]));
        }
        QCOMPARE(L[0]->Dat, EncodeDate(2024, 3, 5));
        QCOMPARE(L[3]->Dat, EncodeDate(2024, 3, 8) + 10 / 24.0);
    }
};

QTEST_GUILESS_MAIN(TestFormLoadReports)
#include "test_form_load_reports.moc"
