// Document operations against a capture server: the four goods-document kinds side by side,
// the receipt's and the transfer's irregular operations, and money operations.
#include "capture_server.h"
#include "form_load.h"
#include "request_fields.h"

#include <QTest>

#include <functional>

using testing::Fields;

namespace {

using kovrel::EncodeDate;

// A header element carrying every key any kind reads, so each kind shows which it takes.
const QByteArray kHeaderReply =
    R"([{"id": 41, "docdate": "2024-03-05 14:30:00", "id_klients": 11, "id_stores": 3,
    "id_stores_i": 3, "id_stores_p": 4, "name_klients": "Ромашка", "name_stores": "Основной",
    "name_stores_i": "Основной", "name_stores_p": "Филиал", "prim": "срочно", "zsum": "1500.5",
    "rsum": 1800, "money_sum": 900.25}])";

// A line element likewise.
const QByteArray kLineReply =
    R"([{"id": 501, "id_z": 41, "id_goods": 15, "kol": 2.5, "zcen": 10, "rcen": "12.5",
    "kol_plus": 100, "kol_minus": 30, "kol_plus_v": 5, "kol_minus_v": 1, "name": "Чай", "pack": 10, "nds": 20,
    "okei": "166", "flag_norm": 1, "id_row": 3, "p_kol_plus": 7, "p_kol_minus": 2, "p_kol_plus_v": 1, "p_kol_minus_v": 0.5}])";

struct Kind {
    const char* name;
    const char* stem; // endpoints are written out in full below, the stem only labels failures
    bool transfer;
    bool receipt;
    std::function<void(TFormLoad&, RecordList<TRecDoc>&, const QString&, TDateTime, TDateTime)> list;
    std::function<bool(TFormLoad&, const TRecDoc&)> update;
    std::function<bool(TFormLoad&, TRecDoc&)> insert;
    std::function<bool(TFormLoad&, const TRecDoc&)> remove;
    std::function<void(TFormLoad&, RecordList<TRecDocItem>&, int)> items; // stores 3 (and 4)
    std::function<std::unique_ptr<TRecDocItem>(TFormLoad&, const TRecDocItem&)> itemOne;
    std::function<bool(TFormLoad&, TRecDocItem&)> insertItem;
    std::function<bool(TFormLoad&, const TRecDocItem&)> removeItem;
    QStringList paths; // list, update, insert, delete, items, item one, item insert, item delete
};

QList<Kind> kinds() {
    return {
        {"sales waybill",
         "nkl",
         false,
         false,
         &TFormLoad::SelectNklList,
         &TFormLoad::UpdateNkl,
         &TFormLoad::InsertNkl,
         &TFormLoad::DeleteNkl,
         [](TFormLoad& f, auto& L, int id) { f.SelectNklItemsList(L, id, 3); },
         [](TFormLoad& f, const TRecDocItem& r) { return f.SelectNklItemOne(r, 3); },
         &TFormLoad::InsertNklItem,
         &TFormLoad::DeleteNklItemOne,
         {"/list-nkl-json.php", "/update-nkl.php", "/insert-nkl.php", "/delete-nkl.php",
          "/list-nkl-items-with-ost-json.php", "/list-nkl-items-one-with-ost-json.php",
          "/insert-nkl-items.php", "/delete-nkl-items-one.php"}},
        {"order",
         "invoice",
         false,
         false,
         &TFormLoad::SelectInvoiceList,
         &TFormLoad::UpdateInvoice,
         &TFormLoad::InsertInvoice,
         &TFormLoad::DeleteInvoice,
         [](TFormLoad& f, auto& L, int id) { f.SelectInvoiceItemsList(L, id, 3); },
         [](TFormLoad& f, const TRecDocItem& r) { return f.SelectInvoiceItemOne(r, 3); },
         &TFormLoad::InsertInvoiceItem,
         &TFormLoad::DeleteInvoiceItemOne,
         {"/list-invoice-json.php", "/update-invoice.php", "/insert-invoice.php", "/delete-invoice.php",
          "/list-invoice-items-with-ost-json.php", "/list-invoice-items-one-with-ost-json.php",
          "/insert-invoice-items.php", "/delete-invoice-items-one.php"}},
        {"receipt",
         "prh",
         false,
         true,
         &TFormLoad::SelectPrhList,
         &TFormLoad::UpdatePrh,
         &TFormLoad::InsertPrh,
         &TFormLoad::DeletePrh,
         [](TFormLoad& f, auto& L, int id) { f.SelectPrhItemsList(L, id, 3); },
         [](TFormLoad& f, const TRecDocItem& r) { return f.SelectPrhItemOne(r, 3); },
         &TFormLoad::InsertPrhItem,
         &TFormLoad::DeletePrhItemOne,
         {"/list-prh-json.php", "/update-prh.php", "/insert-prh.php", "/delete-prh.php",
          "/list-prh-items-with-ost-json.php", "/list-prh-items-one-with-ost-json.php",
          "/insert-prh-items.php", "/delete-prh-items-one.php"}},
        {"internal transfer",
         "vnk",
         true,
         false,
         &TFormLoad::SelectVnkList,
         &TFormLoad::UpdateVnk,
         &TFormLoad::InsertVnk,
         &TFormLoad::DeleteVnk,
         [](TFormLoad& f, auto& L, int id) { f.SelectVnkItemsList(L, id, 3, 4); },
         [](TFormLoad& f, const TRecDocItem& r) { return f.SelectVnkItemOne(r, 3, 4); },
         &TFormLoad::InsertVnkItem,
         &TFormLoad::DeleteVnkItemOne,
         {"/list-vnk-json.php", "/update-vnk.php", "/insert-vnk.php", "/delete-vnk.php",
          "/list-vnk-items-with-ost-json.php", "/list-vnk-items-one-with-ost-json.php",
          "/insert-vnk-items.php", "/delete-vnk-items-one.php"}},
    };
}

TRecDoc header() {
    TRecDoc r;
    r.ID = 41;
    r.DocDate = EncodeDate(2024, 3, 5) + 0.75; // the time of day is not sent
    r.KlientID = 11;
    r.StoreID = 3;
    r.StoreIDI = 5;
    r.StoreIDP = 6;
    r.Prim = QStringLiteral("до 18:00");
    return r;
}

TRecDocItem line() {
    TRecDocItem r;
    r.ID = 501;
    r.IDZag = 41;
    r.IDGood = 15;
    r.Kol = 2;
    r.CenZ = 10;
    r.CenR = 12.5;
    return r;
}

} // namespace

class TestFormLoadDocuments : public QObject {
    Q_OBJECT

    std::unique_ptr<CaptureServer> server;

    QString path() const { return QString::fromLatin1(server->Last().path); }

private Q_SLOTS:
    void init() {
        server = std::make_unique<CaptureServer>();
        testing::SetTestSession(server->Url());
    }
    void cleanup() { server.reset(); }

    void journalsOfEveryKind() {
        for (const Kind& kind : kinds()) {
            const QByteArray label = QByteArray(kind.name);
            TFormLoad fl;
            RecordList<TRecDoc> list;
            server->Enqueue(kHeaderReply);
            const TDateTime day = EncodeDate(2024, 3, 5);
            kind.list(fl, list, QStringLiteral("ромашка"), day + 0.4, day + 0.9);
            QVERIFY2(path() == kind.paths[0], label);
            // One day: the same date at both ends, whatever the times of day.
            COMPARE_FIELDS(
                server->Last(),
                Fields{{"find_win", "РОМАШКА"}, {"dat_begin", "2024-03-05"}, {"dat_end", "2024-03-05"}});
            QVERIFY2(list.size() == 1, label);
            const TRecDoc& d = *list[0];
            QCOMPARE(d.ID, 41);
            QCOMPARE(d.DocDate, EncodeDate(2024, 3, 5) + 14.5 / 24);
            QCOMPARE(d.Prim, QStringLiteral("срочно"));
            QCOMPARE(d.SumZ, 1500.5);
            // Receipts read no sale sum even when the reply has one.
            QCOMPARE(d.SumR, kind.receipt ? 0.0 : 1800.0);
            if (kind.transfer) {
                QCOMPARE(d.StoreIDI, 3);
                QCOMPARE(d.StoreIDP, 4);
                QCOMPARE(d.StoreNameI, QStringLiteral("Основной"));
                QCOMPARE(d.StoreNameP, QStringLiteral("Филиал"));
                QCOMPARE(d.KlientID, 0);
                QCOMPARE(d.StoreID, 0);
                QVERIFY(d.KlientName.isEmpty() && d.StoreName.isEmpty());
                QCOMPARE(d.MoneySum, 0.0);
            } else {
                QCOMPARE(d.KlientID, 11);
                QCOMPARE(d.StoreID, 3);
                QCOMPARE(d.KlientName, QStringLiteral("Ромашка"));
                QCOMPARE(d.StoreName, QStringLiteral("Основной"));
                QCOMPARE(d.MoneySum, 900.25);
                QCOMPARE(d.StoreIDI, 0);
                QVERIFY(d.StoreNameP.isEmpty());
            }
        }
    }

    void unreadableDocumentDateIsZero() {
        server->Enqueue(R"([{"id": 1, "docdate": "0000-00-00"}, {"id": 2, "docdate": ""}, {"id": 3}])");
        TFormLoad fl;
        RecordList<TRecDoc> list;
        fl.SelectNklList(list, QString(), 0, 0);
        QCOMPARE(list.size(), size_t(3));
        for (const auto& d : list)
            QCOMPARE(d->DocDate, 0.0);
    }

    void headerWritesOfEveryKind() {
        for (const Kind& kind : kinds()) {
            const QByteArray label = QByteArray(kind.name);
            const Fields stores = kind.transfer ? Fields{{"id_stores_i", "5"}, {"id_stores_p", "6"}}
                                                : Fields{{"id_stores", "3"}, {"id_klients", "11"}};
            TFormLoad fl;
            QVERIFY2(kind.update(fl, header()), label);
            QVERIFY2(path() == kind.paths[1], label);
            COMPARE_FIELDS(server->Last(), Fields{{"id", "41"}, {"dat", "2024-03-05"}} + stores +
                                               Fields{{"prim_win", "до 18:00"}});

            TRecDoc fresh = header();
            fresh.ID = 0;
            server->Enqueue("77");
            QVERIFY2(kind.insert(fl, fresh), label);
            QCOMPARE(fresh.ID, 77);
            QVERIFY2(path() == kind.paths[2], label);
            COMPARE_FIELDS(server->Last(),
                           Fields{{"dat", "2024-03-05"}} + stores + Fields{{"prim_win", "до 18:00"}});

            // A failed insert leaves the header unstored, which the editors rely on.
            TRecDoc unstored = header();
            unstored.ID = 0;
            server->Enqueue("", 500);
            QVERIFY2(!kind.insert(fl, unstored), label);
            QCOMPARE(unstored.ID, 0);

            QVERIFY2(kind.remove(fl, header()), label);
            QVERIFY2(path() == kind.paths[3], label);
            COMPARE_FIELDS(server->Last(), Fields{{"id", "41"}});
        }
    }

    void lineListsOfEveryKind() {
        for (const Kind& kind : kinds()) {
            const QByteArray label = QByteArray(kind.name);
            const Fields stores = kind.transfer ? Fields{{"code_store_i", "3"}, {"code_store_p", "4"}}
                                                : Fields{{"code_store", "3"}};
            const bool kits = !kind.transfer && !kind.receipt;
            TFormLoad fl;
            RecordList<TRecDocItem> list;
            server->Enqueue(kLineReply);
            kind.items(fl, list, 41);
            QVERIFY2(path() == kind.paths[4], label);
            COMPARE_FIELDS(server->Last(), Fields{{"id", "41"}} + stores);
            QVERIFY2(list.size() == 1, label);
            const TRecDocItem& r = *list[0];
            QCOMPARE(r.ID, 501);
            QCOMPARE(r.IDZag, 41);
            QCOMPARE(r.IDGood, 15);
            QCOMPARE(r.Kol, 2.5);
            QCOMPARE(r.CenZ, 10.0);
            QCOMPARE(r.CenR, 12.5);
            QCOMPARE(r.Name, QStringLiteral("Чай"));
            QCOMPARE(r.Pack, 10.0);
            QCOMPARE(r.OKEI, QStringLiteral("166")); // every kind's lines carry their unit
            QCOMPARE(r.GetOstI(), 74.0);
            QCOMPARE(r.ProcNds, kits ? 20.0 : 0.0);
            QCOMPARE(r.FlagNorm, kits ? 1 : 0);
            QCOMPARE(r.IdRow, kits ? 3 : 0);
            QCOMPARE(r.PKolPlus, kind.transfer ? 7.0 : 0.0);
            QCOMPARE(r.PKolMinus, kind.transfer ? 2.0 : 0.0);
            QCOMPARE(r.PKolPlusV, kind.transfer ? 1.0 : 0.0);
            QCOMPARE(r.PKolMinusV, kind.transfer ? 0.5 : 0.0);
        }
    }

    void lineRefreshOfEveryKind() {
        for (const Kind& kind : kinds()) {
            const QByteArray label = QByteArray(kind.name);
            const Fields stores = kind.transfer ? Fields{{"code_store_i", "3"}, {"code_store_p", "4"}}
                                                : Fields{{"code_store", "3"}};
            TFormLoad fl;
            TRecDocItem mine = line();
            server->Enqueue(kLineReply);
            const auto fresh = kind.itemOne(fl, mine);
            QVERIFY2(path() == kind.paths[5], label);
            COMPARE_FIELDS(server->Last(), Fields{{"id", "501"}} + stores);
            QVERIFY2(fresh, label);
            QCOMPARE(fresh->Kol, 2.5);
            QCOMPARE(fresh->GetOstI(), 74.0);
            QCOMPARE(fresh->ProcNds, kind.transfer || kind.receipt ? 0.0 : 20.0);
            QCOMPARE(fresh->FlagNorm, 0); // a refresh never reads the kit keys
            QCOMPARE(fresh->IdRow, 0);
            QCOMPARE(fresh->GetOstP(), kind.transfer ? 5.5 : 0.0);
            QCOMPARE(mine.Kol, 2.0); // the caller's record is left alone

            server->Enqueue("[]");
            QVERIFY2(!kind.itemOne(fl, mine), label);
            server->Enqueue("gone", 404);
            QVERIFY2(!kind.itemOne(fl, mine), label);
        }
    }

    void lineWritesOfEveryKind() {
        for (const Kind& kind : kinds()) {
            const QByteArray label = QByteArray(kind.name);
            TFormLoad fl;
            TRecDocItem r = line();
            r.ID = 0;
            server->Enqueue("502");
            QVERIFY2(kind.insertItem(fl, r), label);
            QCOMPARE(r.ID, 502);
            QVERIFY2(path() == kind.paths[6], label);
            // A sales line of 2 at 10 and 12.5 goes out as 2, 10.00 and 12.50; receipts have no sale price.
            const Fields sale = kind.receipt ? Fields{} : Fields{{"rcen", "12.50"}};
            COMPARE_FIELDS(server->Last(),
                           Fields{{"id_z", "41"}, {"id_goods", "15"}, {"kol", "2"}, {"zcen", "10.00"}} +
                               sale);

            QVERIFY2(kind.removeItem(fl, r), label);
            QVERIFY2(path() == kind.paths[7], label);
            COMPARE_FIELDS(server->Last(), Fields{{"id", "502"}});
        }
    }

    void lineUpdatesSendQuantityAndSalePrice() {
        TRecDocItem r = line();
        r.Kol = 2.25;
        r.CenR = 0.125;
        const QList<QPair<const char*, std::function<bool(TFormLoad&)>>> updates{
            {"/update-nkl-items.php", [&](TFormLoad& f) { return f.UpdateNklItem(r); }},
            {"/update-invoice-items.php", [&](TFormLoad& f) { return f.UpdateInvoiceItem(r); }},
            {"/update-vnk-items.php", [&](TFormLoad& f) { return f.UpdateVnkItem(r); }},
        };
        for (const auto& [endpoint, update] : updates) {
            TFormLoad fl;
            QVERIFY(update(fl));
            QCOMPARE(server->Last().path, QByteArray(endpoint));
            COMPARE_FIELDS(server->Last(), Fields{{"id", "501"}, {"kol", "2.250"}, {"rcen", "0.13"}});
        }
    }

    void receiptLineUpdateCarriesTheOldValues() {
        TFormLoad fl;
        TRecDocItem r = line();
        r.Kol = 5;
        r.CenZ = 10;
        QVERIFY(fl.UpdatePrhItem(r, 3.5, 10, 0)); // same price
        QCOMPARE(server->Last().path, QByteArray("/update-prh-items.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "501"},
                                              {"kol", "5"},
                                              {"zcen", "10.00"},
                                              {"id_goods", "15"},
                                              {"old_kol", "3.500"},
                                              {"old_zcen", "10.00"},
                                              {"compare", "0"}});
        r.CenZ = 11.5;
        QVERIFY(fl.UpdatePrhItem(r, 5, 10, 1)); // the price changed
        COMPARE_FIELDS(server->Last(), Fields{{"id", "501"},
                                              {"kol", "5"},
                                              {"zcen", "11.50"},
                                              {"id_goods", "15"},
                                              {"old_kol", "5"},
                                              {"old_zcen", "10.00"},
                                              {"compare", "1"}});
    }

    void receiptBatchInsertNumbersItsRows() {
        RecordList<TRecGood> rows;
        for (int i = 0; i < 3; ++i) {
            auto g = std::make_unique<TRecGood>();
            g->IDGoods = i == 1 ? 0 : 20 + i; // the middle row matched no goods item
            g->Name = QStringLiteral("Товар %1").arg(i);
            g->PCen = 100 + i;
            g->ZCen = 80.5;
            g->Code = QStringLiteral("C%1").arg(i);
            g->BarCode = i == 2 ? QString() : QStringLiteral("46%1").arg(i);
            g->OstKol = i == 2 ? 1.5 : 4;
            rows.push_back(std::move(g));
        }
        TFormLoad fl;
        QVERIFY(fl.InsertPrhItemExcel(rows, 41));
        const auto req = server->Last();
        QCOMPARE(req.path, QByteArray("/insert-prh-excel-win.php"));
        QCOMPARE(testing::AllFields(req).size(), 4 + 1 + 21);
        COMPARE_FIELDS(req, Fields{{"id", "41"},
                                   {"list[0][find_id]", "20"},
                                   {"list[0][name_win]", "Товар 0"},
                                   {"list[0][pcen]", "100.00"},
                                   {"list[0][zcen]", "80.50"},
                                   {"list[0][code_win]", "C0"},
                                   {"list[0][barcode_win]", "460"},
                                   {"list[0][kol]", "4"},
                                   {"list[1][find_id]", "0"},
                                   {"list[1][name_win]", "Товар 1"},
                                   {"list[1][pcen]", "101.00"},
                                   {"list[1][zcen]", "80.50"},
                                   {"list[1][code_win]", "C1"},
                                   {"list[1][barcode_win]", "461"},
                                   {"list[1][kol]", "4"},
                                   {"list[2][find_id]", "22"},
                                   {"list[2][name_win]", "Товар 2"},
                                   {"list[2][pcen]", "102.00"},
                                   {"list[2][zcen]", "80.50"},
                                   {"list[2][code_win]", "C2"},
                                   {"list[2][barcode_win]", ""},
                                   {"list[2][kol]", "1.500"}});
        // Names are user text, sent as UTF-8; the numbered fields are plain.
        QVERIFY(
            req.body.contains("name=\"list[0][name_win]\"\r\nContent-Type: text/plain; charset=\"utf-8\""));
        QVERIFY(req.body.contains("name=\"list[0][kol]\"\r\nContent-Type: text/plain\r\n"));
    }

    void moneyOperations() {
        TFormLoad fl;
        RecordList<TRecMoney> list;
        server->Enqueue(R"([{"id": 9, "docdate": "2024-02-01", "id_klient_i": 11, "id_klient_p": 2,
            "name_klient_i": "Ромашка", "name_klient_p": "Касса", "prim": "аванс", "sum_m": "250.5",
            "doc_link": 41, "doc_link_invoice": "0"}])");
        fl.SelectMoneyList(list, QStringLiteral("ром"), EncodeDate(2024, 2, 1), EncodeDate(2024, 2, 29));
        QCOMPARE(server->Last().path, QByteArray("/list-money-json.php"));
        COMPARE_FIELDS(server->Last(),
                       Fields{{"find_win", "РОМ"}, {"dat_begin", "2024-02-01"}, {"dat_end", "2024-02-29"}});
        QCOMPARE(list.size(), size_t(1));
        const TRecMoney& m = *list[0];
        QCOMPARE(m.ID, 9);
        QCOMPARE(m.DocDate, EncodeDate(2024, 2, 1));
        QCOMPARE(m.KlientIDI, 11);
        QCOMPARE(m.KlientIDP, 2);
        QCOMPARE(m.KlientNameI, QStringLiteral("Ромашка"));
        QCOMPARE(m.KlientNameP, QStringLiteral("Касса"));
        QCOMPARE(m.Prim, QStringLiteral("аванс"));
        QCOMPARE(m.SumM, 250.5);
        QCOMPARE(m.DocN, 41);
        QCOMPARE(m.InvoiceN, 0);

        TRecMoney pay;
        pay.ID = 9;
        pay.DocDate = EncodeDate(2024, 2, 1);
        pay.SumM = 1250;
        pay.KlientIDI = 11;
        pay.KlientIDP = 2;
        pay.Prim = QStringLiteral("без ссылок");
        QVERIFY(fl.UpdateMoney(pay));
        QCOMPARE(server->Last().path, QByteArray("/update-money.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "9"},
                                              {"dat", "2024-02-01"},
                                              {"sum_m", "1250.00"},
                                              {"klient_i", "11"},
                                              {"klient_p", "2"},
                                              {"prim_win", "без ссылок"},
                                              {"id", "9"},
                                              {"doc_link", "0"},
                                              {"doc_link_invoice", "0"}});

        pay.DocN = 41;
        pay.InvoiceN = 7;
        QVERIFY(fl.InsertMoney(pay));
        QCOMPARE(server->Last().path, QByteArray("/insert-money.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"dat", "2024-02-01"},
                                              {"sum_m", "1250.00"},
                                              {"klient_i", "11"},
                                              {"klient_p", "2"},
                                              {"prim_win", "без ссылок"},
                                              {"doc_link", "41"},
                                              {"doc_link_invoice", "7"}});

        QVERIFY(fl.DeleteMoney(pay));
        QCOMPARE(server->Last().path, QByteArray("/delete-money.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "9"}});
    }
};

QTEST_GUILESS_MAIN(TestFormLoadDocuments)
#include "test_form_load_documents.moc"
