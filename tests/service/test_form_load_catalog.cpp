// Catalog, rights, password and backup operations against a capture server: exact fields in
// order, endpoints, and what each reads back.
#include "capture_server.h"
#include "form_load.h"
#include "request_fields.h"

#include <QTest>

#include <functional>

using testing::Fields;

namespace {

TRecKlient klient() {
    TRecKlient r;
    r.ID = 7;
    r.Name = QStringLiteral("Склад \"Север\"");
    r.Prim = QStringLiteral("строка 1\nстрока 2");
    r.TypeKl = 12;
    r.ManagerID = 3;
    return r;
}

TRecUser user() {
    TRecUser r;
    r.ID = 4;
    r.UserName = QStringLiteral("Кассир");
    r.DopLogin = QStringLiteral("kassa@shop.ru");
    return r;
}

TRecGood good() {
    TRecGood r;
    r.ID = 15;
    r.Name = QStringLiteral("Чай");
    r.Prim = QStringLiteral("лист");
    r.Code = QStringLiteral("A-1");
    r.BarCode = QStringLiteral("4600000000001");
    r.Pack = 12;
    r.PCen = 99.9;
    r.Nds = 20;
    r.GrCode = 5;
    r.ZCen = 50; // never sent
    return r;
}

struct WriteCase {
    const char* name;
    std::function<bool(TFormLoad&)> call;
    const char* path;
    Fields fields;
};

} // namespace

class TestFormLoadCatalog : public QObject {
    Q_OBJECT

    std::unique_ptr<CaptureServer> server;

    CaptureServer::Request only() {
        [&] { QCOMPARE(server->Count(), 1); }();
        return server->Last();
    }

private Q_SLOTS:
    void init() {
        server = std::make_unique<CaptureServer>();
        testing::SetTestSession(server->Url());
    }
    void cleanup() { server.reset(); }

    void writesSendTheirFieldsInOrder() {
        const QString name = QStringLiteral("Склад \"Север\"");
        const QString prim = QStringLiteral("строка 1\r\nстрока 2");
        const QList<WriteCase> cases{
            {"UpdateStore",
             [](TFormLoad& f) { return f.UpdateStore(klient()); },
             "/update-store.php",
             {{"id", "7"}, {"name_win", name}, {"prim_win", prim}}},
            {"InsertStore",
             [](TFormLoad& f) { return f.InsertStore(klient()); },
             "/insert-store.php",
             {{"name_win", name}, {"prim_win", prim}}},
            {"UpdateUser",
             [](TFormLoad& f) { return f.UpdateUser(user()); },
             "/update-user.php",
             {{"id", "4"}, {"user_name_win", "Кассир"}, {"user_dop_login_win", "kassa@shop.ru"}}},
            {"InsertUser",
             [](TFormLoad& f) { return f.InsertUser(user()); },
             "/insert-user.php",
             {{"user_name_win", "Кассир"}, {"user_dop_login_win", "kassa@shop.ru"}}},
            {"DeleteUser",
             [](TFormLoad& f) { return f.DeleteUser(user()); },
             "/update-user.php",
             {{"id", "4"}, {"flag_del", "1"}}},
            {"UpdateKlient",
             [](TFormLoad& f) { return f.UpdateKlient(klient()); },
             "/update-klient.php",
             {{"id", "7"}, {"name_win", name}, {"prim_win", prim}, {"id_manager", "3"}}},
            {"DeleteKlient",
             [](TFormLoad& f) { return f.DeleteKlient(klient()); },
             "/update-klient.php",
             {{"id", "7"}, {"flag_del", "1"}}},
            {"UpdateGroup",
             [](TFormLoad& f) { return f.UpdateGroup(klient()); },
             "/update-grname.php",
             {{"id", "7"}, {"name_win", name}, {"prim_win", prim}}},
            {"DeleteGroup",
             [](TFormLoad& f) { return f.DeleteGroup(klient()); },
             "/update-grname.php",
             {{"id", "7"}, {"flag_del", "1"}}},
            {"UpdateManager",
             [](TFormLoad& f) { return f.UpdateManager(klient()); },
             "/update-manager.php",
             {{"id", "7"}, {"name_win", name}, {"prim_win", prim}}},
            {"DeleteManager",
             [](TFormLoad& f) { return f.DeleteManager(klient()); },
             "/update-manager.php",
             {{"id", "7"}, {"flag_del", "1"}}},
            {"UpdateGood",
             [](TFormLoad& f) { return f.UpdateGood(good()); },
             "/update-good.php",
             {{"id", "15"},
              {"name_win", "Чай"},
              {"prim_win", "лист"},
              {"code_win", "A-1"},
              {"barcode_win", "4600000000001"},
              {"pack", "12.000"},
              {"pcen", "99.90"},
              {"nds", "20.00"},
              {"gg_code", "5"}}},
            {"InsertGood",
             [](TFormLoad& f) { return f.InsertGood(good()); },
             "/insert-good.php",
             {{"name_win", "Чай"},
              {"prim_win", "лист"},
              {"code_win", "A-1"},
              {"barcode_win", "4600000000001"},
              {"pack", "12.000"},
              {"pcen", "99.90"},
              {"nds", "20.00"},
              {"gg_code", "5"}}},
            {"DeleteGood",
             [](TFormLoad& f) { return f.DeleteGood(good()); },
             "/update-good.php",
             {{"id", "15"}, {"flag_del", "1"}}},
            {"UpdateGoodUnit",
             [](TFormLoad& f) { return f.UpdateGoodUnit(15, QStringLiteral("006")); },
             "/update-good-unit.php",
             {{"id", "15"}, {"okei", "006"}}},
            {"UpdateGoodUnit cleared",
             [](TFormLoad& f) { return f.UpdateGoodUnit(15, QString()); },
             "/update-good-unit.php",
             {{"id", "15"}, {"okei", ""}}},
            {"UpdateEdoID",
             [](TFormLoad& f) { return f.UpdateEdoID(1000000, QStringLiteral("2BM-7701234567-770101001")); },
             "/update-edo-id.php",
             {{"id", "1000000"}, {"edo_id_win", "2BM-7701234567-770101001"}}},
        };
        for (const WriteCase& c : cases) {
            server->Clear();
            TFormLoad fl;
            QVERIFY2(c.call(fl), c.name);
            const auto req = only();
            QCOMPARE(req.path, QByteArray(c.path));
            const Fields sent = testing::OwnFields(req);
            QVERIFY2(sent == c.fields, qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") +
                                                  testing::Describe(sent)));
        }
    }

    void deletingAStoreSendsExactlySixParts() {
        TFormLoad fl;
        QVERIFY(fl.DeleteStore(klient()));
        const auto req = only();
        QCOMPARE(req.path, QByteArray("/update-store.php"));
        const Fields expected = testing::AuthFields() + Fields{{"id", "7"}, {"flag_del", "1"}};
        QCOMPARE(testing::AllFields(req), expected);
        QCOMPARE(req.body.count("Content-Disposition: form-data;"), 6);
    }

    void insertsThatLearnTheirNewID() {
        TFormLoad fl;
        TRecKlient kl = klient();
        kl.TypeKl = 1;
        server->Enqueue("  321\r\n");
        QVERIFY(fl.InsertKlient(kl));
        QCOMPARE(kl.ID, 321);
        COMPARE_FIELDS(server->Last(), Fields{{"type_kl", "1"},
                                              {"name_win", kl.Name},
                                              {"prim_win", "строка 1\r\nстрока 2"},
                                              {"id_manager", "3"}});
        QCOMPARE(server->Last().path, QByteArray("/insert-klient.php"));

        // A category keeps kind 0 and a manager the caller's 12: both go out as they are.
        TRecKlient group;
        group.Name = QStringLiteral("Напитки");
        server->Enqueue("22");
        QVERIFY(fl.InsertGroup(group));
        QCOMPARE(group.ID, 22);
        QCOMPARE(server->Last().path, QByteArray("/insert-grname.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"type_kl", "0"}, {"name_win", "Напитки"}, {"prim_win", ""}});

        TRecKlient manager = klient();
        server->Enqueue("not a number");
        QVERIFY(fl.InsertManager(manager));
        QCOMPARE(manager.ID, 7);
        QCOMPARE(server->Last().path, QByteArray("/insert-manager.php"));
        COMPARE_FIELDS(
            server->Last(),
            Fields{{"type_kl", "12"}, {"name_win", manager.Name}, {"prim_win", "строка 1\r\nстрока 2"}});

        server->Enqueue("99", 500);
        QVERIFY(!fl.InsertKlient(kl));
        QCOMPARE(kl.ID, 321);
    }

    void listsSendUpperCasedFiltersAndStampKinds() {
        TFormLoad fl;
        RecordList<TRecKlient> list;
        const QByteArray rows = R"([{"id": 3, "flag_del": 1, "name": "Главный", "prim": "п", "type_kl": 4},
                                    {"id": "8", "name": "Второй"}])";

        server->Enqueue(rows);
        fl.SelectStoreList(list, QStringLiteral("склад ёж"));
        QCOMPARE(server->Last().path, QByteArray("/list-stores-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"upname_win", "СКЛАД ЁЖ"}});
        QCOMPARE(list.size(), size_t(2));
        QCOMPARE(list[0]->ID, 3);
        QCOMPARE(list[0]->FlagDel, 1);
        QCOMPARE(list[0]->Name, QStringLiteral("Главный"));
        QCOMPARE(list[0]->Prim, QStringLiteral("п"));
        QCOMPARE(list[0]->TypeKl, 10); // stamped, whatever the reply says
        QCOMPARE(list[1]->ID, 8);
        QCOMPARE(list[1]->TypeKl, 10);

        server->Enqueue(rows);
        fl.SelectManagerList(list, QString());
        QCOMPARE(server->Last().path, QByteArray("/list-managers-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"upname_win", ""}});
        QCOMPARE(list.size(), size_t(2));
        QCOMPARE(list[0]->TypeKl, 12);

        server->Enqueue(rows);
        fl.SelectGroupList(list, QStringLiteral("Чай"));
        QCOMPARE(server->Last().path, QByteArray("/list-grnames-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"upname_win", "ЧАЙ"}});
        QCOMPARE(list[0]->TypeKl, 0); // categories keep the constructor's kind
        QCOMPARE(list[0]->Name, QStringLiteral("Главный"));
    }

    void counterpartyListReadsEveryKey() {
        server->Enqueue(R"([{"id": 11, "flag_del": 0, "name": "ООО Ромашка", "prim": "опт", "type_kl": 1,
                             "manager_name": "Иванов", "id_manager": 6, "m1_sum": "10.5", "m2_sum": 2,
                             "nkl_sum": 300.25, "prh_sum": null},
                            {"id": 12}])");
        TFormLoad fl;
        RecordList<TRecKlient> list;
        fl.SelectKlientList(list, QStringLiteral("ром"), 1);
        QCOMPARE(server->Last().path, QByteArray("/list-klients-dolg-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"type_kl", "1"}, {"upname_win", "РОМ"}});
        QCOMPARE(list.size(), size_t(2));
        const TRecKlient& r = *list[0];
        QCOMPARE(r.ID, 11);
        QCOMPARE(r.Name, QStringLiteral("ООО Ромашка"));
        QCOMPARE(r.Prim, QStringLiteral("опт"));
        QCOMPARE(r.TypeKl, 1);
        QCOMPARE(r.ManagerName, QStringLiteral("Иванов"));
        QCOMPARE(r.ManagerID, 6);
        QCOMPARE(r.m1_sum, 10.5);
        QCOMPARE(r.m2_sum, 2.0);
        QCOMPARE(r.nkl_sum, 300.25);
        QCOMPARE(r.prh_sum, 0.0);
        // Absent keys read as zero, also where the constructor had another default.
        QCOMPARE(list[1]->ManagerID, 0);
        QCOMPARE(list[1]->TypeKl, 0);
    }

    void userListReadsItsIDInUpperCase() {
        TFormLoad fl;
        RecordList<TRecUser> list;
        server->Enqueue(R"([{"ID": 5, "flag_del": 1, "dop_login": "a@b.ru", "user_name": "Анна"}])");
        fl.SelectUserList(list, QStringLiteral("анна"));
        QCOMPARE(server->Last().path, QByteArray("/list-users-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"upname_win", "АННА"}});
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0]->ID, 5);
        QCOMPARE(list[0]->FlagDel, 1);
        QCOMPARE(list[0]->DopLogin, QStringLiteral("a@b.ru"));
        QCOMPARE(list[0]->UserName, QStringLiteral("Анна"));

        server->Enqueue(R"([{"id": 5, "user_name": "Анна"}])");
        fl.SelectUserList(list, QString());
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0]->ID, 0);
    }

    void requisitesFetchAndWrite() {
        TFormLoad fl;
        server->Enqueue(R"([{"name": "ООО «Ромашка»", "bname": "Банк", "rs": "40702", "ks": "30101",
                             "bik": "044525", "inn": "7701", "kpp": "7701001", "adres": "Москва", "tel": "123",
                             "okpo": "1", "ogrn": "2", "okpd": "3", "dir": "Петров", "gbuh": "Сидорова",
                             "edo_id": "2BM-7701"},
                            {"name": "second"}])");
        auto bank = fl.SelectBank(11);
        QCOMPARE(server->Last().path, QByteArray("/select-bank-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "11"}});
        QCOMPARE(bank->ID, 11);
        QCOMPARE(bank->Name, QStringLiteral("ООО «Ромашка»"));
        QCOMPARE(bank->BName, QStringLiteral("Банк"));
        QCOMPARE(bank->Rs, QStringLiteral("40702"));
        QCOMPARE(bank->Ks, QStringLiteral("30101"));
        QCOMPARE(bank->Bik, QStringLiteral("044525"));
        QCOMPARE(bank->Inn, QStringLiteral("7701"));
        QCOMPARE(bank->Kpp, QStringLiteral("7701001"));
        QCOMPARE(bank->Adres, QStringLiteral("Москва"));
        QCOMPARE(bank->Tel, QStringLiteral("123"));
        QCOMPARE(bank->Okpo, QStringLiteral("1"));
        QCOMPARE(bank->Ogrn, QStringLiteral("2"));
        QCOMPARE(bank->Okpd, QStringLiteral("3"));
        QCOMPARE(bank->Dir, QStringLiteral("Петров"));
        QCOMPARE(bank->GBuh, QStringLiteral("Сидорова"));
        QCOMPARE(bank->EdoID, QStringLiteral("2BM-7701"));

        server->Enqueue("[]");
        auto none = fl.SelectBank(1000000);
        QCOMPARE(none->ID, 1000000);
        QVERIFY(none->Name.isEmpty() && none->Inn.isEmpty() && none->GBuh.isEmpty());
        server->Enqueue("oops", 500);
        QCOMPARE(fl.SelectBank(3)->ID, 3);

        server->Clear();
        QVERIFY(fl.UpdateBank(*bank));
        QCOMPARE(server->Last().path, QByteArray("/update-bank.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "11"},
                                              {"name_win", "ООО «Ромашка»"},
                                              {"bname_win", "Банк"},
                                              {"rs_win", "40702"},
                                              {"ks_win", "30101"},
                                              {"bik_win", "044525"},
                                              {"inn_win", "7701"},
                                              {"kpp_win", "7701001"},
                                              {"adres_win", "Москва"},
                                              {"tel_win", "123"},
                                              {"okpo_win", "1"},
                                              {"ogrn_win", "2"},
                                              {"okpd_win", "3"},
                                              {"dir_win", "Петров"},
                                              {"gbuh_win", "Сидорова"}});
    }

    void goodsAndKits() {
        TFormLoad fl;
        RecordList<TRecGood> list;
        server->Enqueue(R"([{"id": 15, "flag_del": 0, "name": "Чай", "prim": "п", "pack": "12", "nds": 20,
                             "barcode": "46", "code": "A-1", "pcen": 99.9, "zcen": 50.5, "id_goods": 9,
                             "gg_code": 4, "kol_plus": 100, "okei": "006"}])");
        fl.SelectGoodList(list, QStringLiteral("чай"), false);
        QCOMPARE(server->Last().path, QByteArray("/list-goods-json.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"find_win", "ЧАЙ"}, {"flag_norm", "0"}});
        QCOMPARE(list.size(), size_t(1));
        const TRecGood& g = *list[0];
        QCOMPARE(g.ID, 15);
        QCOMPARE(g.Name, QStringLiteral("Чай"));
        QCOMPARE(g.Prim, QStringLiteral("п"));
        QCOMPARE(g.Pack, 12.0);
        QCOMPARE(g.Nds, 20.0);
        QCOMPARE(g.BarCode, QStringLiteral("46"));
        QCOMPARE(g.Code, QStringLiteral("A-1"));
        QCOMPARE(g.PCen, 99.9);
        QCOMPARE(g.ZCen, 50.5);
        QCOMPARE(g.IDGoods, 9);
        QCOMPARE(g.GrCode, 4);
        QCOMPARE(g.OKEI, QStringLiteral("006"));
        QCOMPARE(g.KolPlus, 0.0); // not a key of this list

        server->Enqueue("[]");
        fl.SelectGoodList(list, QString(), true);
        COMPARE_FIELDS(server->Last(), Fields{{"find_win", ""}, {"flag_norm", "1"}});
        QVERIFY(list.empty());
    }

    void stockListReadsTransferColumnsOnlyWhenPresent() {
        TFormLoad fl;
        RecordList<TRecGood> list;
        server->Enqueue(
            R"([{"id_goods": 15, "id": 999, "name": "Чай", "pack": 10, "kol_plus": 10, "kol_minus": 3,
                             "gg_code": 2, "zcen": "4.5", "okei": "166"},
                            {"id_goods": 16, "kol_plus": 10, "kol_minus": 3, "kol_plus_v": 5, "kol_minus_v": 1.5}])");
        fl.SelectOstList(list, QStringLiteral("ч"), 1, 4);
        QCOMPARE(server->Last().path, QByteArray("/rep-ost-json-v2.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"find_win", "Ч"}, {"flag_zero", "1"}, {"code_store", "4"}});
        QCOMPARE(list.size(), size_t(2));
        QCOMPARE(list[0]->ID, 15); // the goods ID, so that picking a row picks the goods item
        QCOMPARE(list[0]->IDGoods, 15);
        QCOMPARE(list[0]->ZCen, 4.5);
        QCOMPARE(list[0]->GrCode, 2);
        QCOMPARE(list[0]->OKEI, QStringLiteral("166"));
        QCOMPARE(list[1]->OKEI, QString()); // a service that does not know units sends none
        QCOMPARE(list[0]->KolPlusV, 0.0);
        QCOMPARE(list[0]->GetOst(), 7.0);
        QCOMPARE(list[1]->KolPlusV, 5.0);
        QCOMPARE(list[1]->KolMinusV, 1.5);
        QCOMPARE(list[1]->GetOst(), 10.5);
        QCOMPARE(list[1]->GrCode, 0);

        server->Enqueue("[]");
        fl.SelectOstList(list, QString(), 0, -1);
        COMPARE_FIELDS(server->Last(), Fields{{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "-1"}});
    }

    void userRightsReadAndWrite() {
        TFormLoad fl;
        TSortedList<TRecUserRights> rights;
        server->Enqueue(
            R"([{"id_right": 5005, "ur": 0}, {"id_right": 1001, "ur": "1"}, {"id_right": 1003, "ur": 10},
                            {"id_right": 1001, "ur": 0}])");
        fl.SelectUserRights(7, rights);
        QCOMPARE(server->Last().path, QByteArray("/get-user-rights.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "7"}});
        QCOMPARE(rights.Count(), 3);
        QCOMPARE(rights.Strings(0), QStringLiteral("1001"));
        QCOMPARE(rights.Objects(0)->ur, 1); // of a code sent twice the first stays
        QCOMPARE(rights.Find(QStringLiteral("1003"))->ur, 10);

        rights.Find(QStringLiteral("5005"))->ur = 1;
        QVERIFY(fl.UpdateUserRights(7, rights));
        QCOMPARE(server->Last().path, QByteArray("/update-user-rights.php"));
        COMPARE_FIELDS(server->Last(),
                       Fields{{"id", "7"}, {"UR1001", "1"}, {"UR1003", "10"}, {"UR5005", "1"}});

        server->Enqueue("[]");
        fl.SelectUserRights(8, rights);
        QCOMPARE(rights.Count(), 0);
        QVERIFY(fl.UpdateUserRights(8, rights));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "8"}});

        server->Enqueue("denied", 403);
        rights.AddOwned(QStringLiteral("1"), std::make_unique<TRecUserRights>());
        fl.SelectUserRights(8, rights);
        QCOMPARE(rights.Count(), 0); // emptied before the failure
    }

    void storeRightsReadAndWrite() {
        TFormLoad fl;
        const QByteArray rows = R"([{"id_store": 30, "id_user": 7, "ur": 2, "user_name": "Анна"},
                                    {"id_store": 4, "id_user": 12, "ur": 0, "user_name": "Борис"}])";
        RecordList<TRecStoreRights> onStore;
        server->Enqueue(rows);
        fl.SelectStoreRightsOnStore(30, onStore);
        QCOMPARE(server->Last().path, QByteArray("/get-store-rights-one-store.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "30"}});
        QCOMPARE(onStore.size(), size_t(2));
        QCOMPARE(onStore[0]->idStore, 30);
        QCOMPARE(onStore[0]->idUser, 7);
        QCOMPARE(onStore[0]->ur, 2);
        QCOMPARE(onStore[0]->userName, QStringLiteral("Анна"));

        QVERIFY(fl.UpdateStoreRightsOnStore(30, onStore));
        QCOMPARE(server->Last().path, QByteArray("/update-store-rights.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "30"}, {"user_id_7", "2"}, {"user_id_12", "0"}});

        TSortedList<TRecStoreRights> onUser;
        server->Enqueue(rows);
        fl.SelectStoreRightsOnUser(7, onUser);
        QCOMPARE(server->Last().path, QByteArray("/get-store-rights-one-user.php"));
        COMPARE_FIELDS(server->Last(), Fields{{"id", "7"}});
        QCOMPARE(onUser.Count(), 2);
        QCOMPARE(onUser.Find(QStringLiteral("30"))->ur, 2);
        QCOMPARE(onUser.Find(QStringLiteral("4"))->userName, QStringLiteral("Борис"));
    }

    void newPasswordSendsTheLoginWithoutCharset() {
        TFormLoad fl;
        QVERIFY(fl.CreateNewPas(7, QStringLiteral(" anna@shop.ru\t")));
        const auto req = only();
        QCOMPARE(req.path, QByteArray("/create-new-pas.php"));
        COMPARE_FIELDS(req, Fields{{"user_id", "7"}, {"user_dop_login", "anna@shop.ru"}});
        QVERIFY(req.body.contains("name=\"user_dop_login\"\r\nContent-Type: text/plain\r\n"));
        server->Enqueue("no", 404);
        QVERIFY(!fl.CreateNewPas(7, QStringLiteral("anna@shop.ru")));
    }

    void backupHandsOnTheTrimmedReply() {
        TFormLoad fl;
        server->Enqueue("\r\n  http://127.0.0.1:8088/backup/0f3a.db \t\r\n");
        QCOMPARE(fl.RunBlackup(), QStringLiteral("http://127.0.0.1:8088/backup/0f3a.db"));
        QCOMPARE(server->Last().path, QByteArray("/backup-db.php"));
        COMPARE_FIELDS(server->Last(), Fields{});
        server->Enqueue(" Нет доступа ", 202); // no status test: the text is the answer
        QCOMPARE(fl.RunBlackup(), QStringLiteral("Нет доступа"));
        server->Enqueue("boom", 500);
        QCOMPARE(fl.RunBlackup(), QString());
        QVERIFY(fl.Failed());
    }
};

QTEST_GUILESS_MAIN(TestFormLoadCatalog)
#include "test_form_load_catalog.moc"
