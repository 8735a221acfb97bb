// The report endpoints on a small, hand-checkable history: what each endpoint answers, and what
// the client's report computations make of it.
#include "report_card.h"
#include "report_debts.h"
#include "report_stock_balance.h"
#include "right_codes.h"
#include "session.h"
#include "shop_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

using Fields = QList<QPair<QString, QString>>;

QString num(double v) {
    return QString::number(v);
}

TDateTime day(int y, int m, int d) {
    return kovrel::ToDateTime(QDate(y, m, d));
}

// The rows of a reply as "key=value key=value", numbers in their shortest form: one text per
// row, so a comparison shows exactly which value differs.
QStringList rowsOf(const ServerReply& r, const QStringList& keys) {
    if (r.status != 200) return {QStringLiteral("HTTP %1: %2").arg(r.status).arg(r.text)};
    QStringList rows;
    for (const QJsonValue& v : QJsonDocument::fromJson(r.text.toUtf8()).array()) {
        QStringList cells;
        for (const QString& k : keys) {
            const QJsonValue x = v.toObject().value(k);
            cells.append(k + QLatin1Char('=') + (x.isDouble() ? num(x.toDouble()) : x.toString()));
        }
        rows.append(cells.join(QLatin1Char(' ')));
    }
    return rows;
}

} // namespace

class TestServerReports : public QObject {
    Q_OBJECT

    ShopFixture shop;
    const ShopFixture::Ids& ids = shop.ids;
    int pepper = 0, r1 = 0, r2 = 0, r3 = 0, s1 = 0, s2 = 0, s3 = 0, t1 = 0;

    // March 2024: two receipts of sugar at 50 and 60 and one of salt, a sale in each store, a
    // transfer between them, tea for a kit sold in April, and money moving around.
    void makeHistory() {
        pepper = shop.Seed().Goods(ids.account, QStringLiteral("Перец"));
        r1 = shop.Receipt(ids.main, {{ids.sugar, 10, 50}, {ids.salt, 20, 10}}, {2024, 3, 1});
        r2 = shop.Receipt(ids.main, {{ids.sugar, 5, 60}}, {2024, 3, 4});
        s1 = shop.Sale(ids.main, {{ids.sugar, 4, 50, 80}, {ids.salt, 5, 10, 15}}, {2024, 3, 5});
        t1 = shop.Transfer(ids.main, ids.second, {{ids.sugar, 3, 60, 90}}, {2024, 3, 6});
        s2 = ShopFixture::Doc(QStringLiteral("nkl"), ids.second, ids.buyer2, {2024, 3, 11});
        QVERIFY(ShopFixture::AddLine(QStringLiteral("nkl"), s2, {ids.sugar, 2, 60, 90}));
        r3 = shop.Receipt(ids.main, {{ids.tea, 2, 100}}, {2024, 3, 20});
        s3 = shop.Sale(ids.main, {{ids.gift, 1, 0, 500}}, {2024, 4, 2});
        QVERIFY(r1 && r2 && s1 && t1 && s2 && r3 && s3);
        QVERIFY(ShopFixture::Pay({2024, 3, 1}, ids.owner, ids.cash, 1000));
        QVERIFY(ShopFixture::Pay({2024, 3, 6}, ids.buyer, ids.cash, 200, {}, s1));
        QVERIFY(ShopFixture::Pay({2024, 3, 10}, ids.bank, ids.supplier, 500, {}, r1));
        QVERIFY(ShopFixture::Pay({2024, 3, 15}, ids.cash, ids.rent, 300));
        QVERIFY(ShopFixture::Pay({2024, 4, 3}, ids.buyer2, ids.bank, 100));
    }

private Q_SLOTS:
    void initTestCase() {
        if (!TestDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TestDatabase::SkipReason()));
        const QString error = shop.Start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        makeHistory();
    }
    void init() { shop.SignInAdmin(); }
    void cleanupTestCase() { shop.Stop(); }

    // One row per goods item and purchase price, of one store or all; zero rows only on
    // request; the name filter also matches codes.
    void stockReport() {
        const QStringList keys = {"name", "zcen", "kol_plus", "kol_plus_v", "kol_minus", "kol_minus_v"};
        const auto stock = [&](const QString& find, int zero, int store) {
            return rowsOf(
                ShopFixture::Call("/rep-ost-json-v3.php",
                                  {{"find_win", find}, {"flag_zero", num(zero)}, {"code_store", num(store)}}),
                keys);
        };
        QCOMPARE(stock("", 0, -1),
                 (QStringList{
                     "name=Сахар zcen=50 kol_plus=10 kol_plus_v=0 kol_minus=6 kol_minus_v=0",
                     "name=Сахар zcen=60 kol_plus=5 kol_plus_v=3 kol_minus=2 kol_minus_v=3",
                     "name=Соль zcen=10 kol_plus=20 kol_plus_v=0 kol_minus=5 kol_minus_v=0",
                     "name=Чай зеленый zcen=100 kol_plus=2 kol_plus_v=0 kol_minus=1 kol_minus_v=0",
                 }));
        QCOMPARE(stock("", 0, ids.second),
                 QStringList{"name=Сахар zcen=60 kol_plus=0 kol_plus_v=3 kol_minus=2 kol_minus_v=0"});
        QCOMPARE(stock("", 1, ids.second),
                 (QStringList{
                     "name=Перец zcen=0 kol_plus=0 kol_plus_v=0 kol_minus=0 kol_minus_v=0",
                     "name=Сахар zcen=60 kol_plus=0 kol_plus_v=3 kol_minus=2 kol_minus_v=0",
                     "name=Соль zcen=10 kol_plus=0 kol_plus_v=0 kol_minus=0 kol_minus_v=0",
                     "name=Чай зеленый zcen=100 kol_plus=0 kol_plus_v=0 kol_minus=0 kol_minus_v=0",
                 }));
        QCOMPARE(stock("ЗЕЛ", 0, -1).size(), 1);
        QCOMPARE(stock("s-2", 0, -1),
                 QStringList{"name=Соль zcen=10 kol_plus=20 kol_plus_v=0 kol_minus=5 kol_minus_v=0"});

        // The client folds the purchase prices of one goods item when they are not shown.
        RecordList<TRecGood> list;
        TFormLoad().RunRepOst(list, QString(), false, -1);
        const kovrel::report::StockBalance b = kovrel::report::ComputeStockBalance(list, false, false);
        QCOMPARE(b.Rows.size(), size_t(3));
        QCOMPARE(b.Rows[0].OstKol, 7.0);
        QCOMPARE(b.Rows[0].ItogZSum, 4 * 50.0 + 3 * 60.0);
        QCOMPARE(b.Totals.OstKol, 7.0 + 15 + 1);
    }

    // Receipts, sales, and the two sides of transfers of the chosen store, up to and including
    // the date.
    void goodsMovementCard() {
        const QStringList keys = {"doc_id", "docdate", "name_klients", "kol_prh", "kol_nkl"};
        const auto card = [&](const char* endpoint, const QString& dat, int store) {
            return rowsOf(
                ShopFixture::Call(QString::fromLatin1(endpoint),
                                  {{"id_goods", num(ids.sugar)}, {"dat", dat}, {"code_store", num(store)}}),
                keys);
        };
        const QString d = QStringLiteral("doc_id=%1 docdate=%2 name_klients=%3 kol_%4");
        QCOMPARE(card("/rep-movegood-1-json.php", "2024-03-31", ids.main),
                 (QStringList{d.arg(r1).arg("2024-03-01", "Сахарный завод", "prh=10 kol_nkl="),
                              d.arg(r2).arg("2024-03-04", "Сахарный завод", "prh=5 kol_nkl=")}));
        QCOMPARE(card("/rep-movegood-2-json.php", "2024-03-05", ids.main),
                 QStringList{d.arg(s1).arg("2024-03-05", "ООО Ромашка", "prh= kol_nkl=4")});
        QCOMPARE(card("/rep-movegood-2-json.php", "2024-03-04", ids.main), QStringList{});
        QCOMPARE(card("/rep-movegood-i-json.php", "2024-03-31", ids.main),
                 QStringList{d.arg(t1).arg("2024-03-06", "Магазин на Ленина", "prh= kol_nkl=3")});
        QCOMPARE(card("/rep-movegood-p-json.php", "2024-03-31", ids.second),
                 QStringList{d.arg(t1).arg("2024-03-06", "Основной склад", "prh=3 kol_nkl=")});
        QCOMPARE(card("/rep-movegood-2-json.php", "2024-04-30", -1).size(),
                 3); // both stores, the kit's sugar
        QCOMPARE(card("/rep-movegood-p-json.php", "2024-04-30", -1), QStringList{});

        RecordList<TRecMoveGood> rows;
        TFormLoad().RunRepMoveGood(rows, ids.sugar, day(2024, 3, 31), ids.main);
        TSortedList<TRecMoveGood> index;
        const auto c = kovrel::report::ComputeMoveGoodCard(rows, index, day(2024, 3, 5));
        QCOMPARE(c.Opening, 15.0);
        QCOMPARE(c.Rows.size(), size_t(2));
        QCOMPARE(c.TotalOut, 7.0);
        QCOMPARE(c.Closing, 8.0);
    }

    // Per goods item sold or received in the period; a kit counts as the kit.
    void salesAndPurchaseStructure() {
        const QStringList keys = {"name", "kol", "zsum", "rsum"};
        const auto sales = [&](const QString& from, const QString& to, int kl, int store, int manager,
                               const QString& find = {}) {
            return rowsOf(ShopFixture::Call("/rep-nkl-st-json.php", {{"find_win", find},
                                                                     {"dat_begin", from},
                                                                     {"dat_end", to},
                                                                     {"code_kl", num(kl)},
                                                                     {"code_store", num(store)},
                                                                     {"code_manager", num(manager)}}),
                          keys);
        };
        QCOMPARE(sales("2024-03-01", "2024-03-31", -1, -1, -1),
                 (QStringList{"name=Сахар kol=6 zsum=320 rsum=500", "name=Соль kol=5 zsum=50 rsum=75"}));
        QCOMPARE(sales("2024-03-01", "2024-03-31", -1, -1, ids.manager),
                 (QStringList{"name=Сахар kol=4 zsum=200 rsum=320", "name=Соль kol=5 zsum=50 rsum=75"}));
        QCOMPARE(sales("2024-03-01", "2024-03-31", ids.buyer2, -1, -1),
                 QStringList{"name=Сахар kol=2 zsum=120 rsum=180"});
        QCOMPARE(sales("2024-03-01", "2024-03-31", -1, ids.second, -1),
                 QStringList{"name=Сахар kol=2 zsum=120 rsum=180"});
        QCOMPARE(sales("2024-03-01", "2024-03-31", -1, -1, -1, "соль"),
                 QStringList{"name=Соль kol=5 zsum=50 rsum=75"});
        QCOMPARE(sales("2024-04-02", "2024-04-02", -1, -1, -1),
                 QStringList{"name=Подарочный набор kol=1 zsum=200 rsum=500"});

        const auto purchases = [&](int kl, int store) {
            return rowsOf(ShopFixture::Call("/rep-prh-st-json.php", {{"find_win", ""},
                                                                     {"dat_begin", "2024-03-01"},
                                                                     {"dat_end", "2024-03-31"},
                                                                     {"code_kl", num(kl)},
                                                                     {"code_store", num(store)}}),
                          {"name", "kol", "zsum", "rsum"});
        };
        QCOMPARE(purchases(-1, -1),
                 (QStringList{"name=Сахар kol=15 zsum=800 rsum=", "name=Соль kol=20 zsum=200 rsum=",
                              "name=Чай зеленый kol=2 zsum=200 rsum="}));
        QCOMPARE(purchases(ids.buyer, -1), QStringList{});
        QCOMPARE(purchases(-1, ids.second), QStringList{});
    }

    // One row per day, week (from Monday) or month, labelled by its first day, with the dates
    // of its first and last documents.
    void salesAndPurchaseDynamics() {
        const QStringList keys = {"docdate", "min_docdate", "max_docdate", "kol", "zsum", "rsum"};
        const auto sales = [&](const QString& to, int detail) {
            return rowsOf(ShopFixture::Call("/rep-nkl-dynam-json.php", {{"dat_begin", "2024-03-01"},
                                                                        {"dat_end", to},
                                                                        {"code_detal", num(detail)},
                                                                        {"code_kl", "-1"},
                                                                        {"code_store", "-1"},
                                                                        {"code_manager", "-1"}}),
                          keys);
        };
        const QString r = QStringLiteral("docdate=%1 min_docdate=%2 max_docdate=%3 kol=%4");
        QCOMPARE(sales("2024-03-31", 0),
                 (QStringList{r.arg("2024-03-05", "2024-03-05", "2024-03-05", "9 zsum=250 rsum=395"),
                              r.arg("2024-03-11", "2024-03-11", "2024-03-11", "2 zsum=120 rsum=180")}));
        QCOMPARE(sales("2024-03-31", 2),
                 (QStringList{r.arg("2024-03-04", "2024-03-05", "2024-03-05", "9 zsum=250 rsum=395"),
                              r.arg("2024-03-11", "2024-03-11", "2024-03-11", "2 zsum=120 rsum=180")}));
        QCOMPARE(sales("2024-04-30", 1),
                 (QStringList{r.arg("2024-03-01", "2024-03-05", "2024-03-11", "11 zsum=370 rsum=575"),
                              r.arg("2024-04-01", "2024-04-02", "2024-04-02", "1 zsum=200 rsum=500")}));
        QCOMPARE(rowsOf(ShopFixture::Call("/rep-prh-dynam-json.php", {{"dat_begin", "2024-03-01"},
                                                                      {"dat_end", "2024-03-31"},
                                                                      {"code_detal", "1"},
                                                                      {"code_kl", num(ids.supplier)},
                                                                      {"code_store", num(ids.main)}}),
                        keys),
                 QStringList{r.arg("2024-03-01", "2024-03-01", "2024-03-20", "37 zsum=1200 rsum=")});
    }

    // Sums per counterparty up to the date, with its kind; the client's merge makes balances.
    void debts() {
        const QStringList keys = {"name_klient", "group_kl", "doc_sum"};
        const auto debts = [&](const char* endpoint, const QString& dat, int manager) {
            return rowsOf(ShopFixture::Call(QString::fromLatin1(endpoint),
                                            {{"dat", dat}, {"code_manager", num(manager)}}),
                          keys);
        };
        QCOMPARE(debts("/rep-dolg-nkl-json.php", "2024-03-31", -1),
                 (QStringList{"name_klient=ИП Васильев group_kl=1 doc_sum=180",
                              "name_klient=ООО Ромашка group_kl=1 doc_sum=395"}));
        QCOMPARE(debts("/rep-dolg-prh-json.php", "2024-03-31", -1),
                 QStringList{"name_klient=Сахарный завод group_kl=1 doc_sum=1200"});
        QCOMPARE(debts("/rep-dolg-moneyi-json.php", "2024-03-31", -1),
                 (QStringList{"name_klient=Касса group_kl=2 doc_sum=300",
                              "name_klient=ООО Ромашка group_kl=1 doc_sum=200",
                              "name_klient=Расчетный счет group_kl=2 doc_sum=500",
                              "name_klient=Учредитель group_kl=4 doc_sum=1000"}));
        QCOMPARE(debts("/rep-dolg-moneyp-json.php", "2024-03-31", -1),
                 (QStringList{"name_klient=Аренда group_kl=3 doc_sum=300",
                              "name_klient=Касса group_kl=2 doc_sum=1200",
                              "name_klient=Сахарный завод group_kl=1 doc_sum=500"}));
        QCOMPARE(debts("/rep-dolg-nkl-json.php", "2024-03-31", ids.manager),
                 QStringList{"name_klient=ООО Ромашка group_kl=1 doc_sum=395"});

        RecordList<TRecDolg> list;
        TFormLoad().RunRepDolg(list, day(2024, 4, 30), -1);
        TSortedList<TRecDolg> index;
        const auto clients = kovrel::report::ComputeDebts(list, index, kovrel::report::Klients);
        QStringList got;
        for (const auto& row : clients.Rows)
            got.append(QStringLiteral("%1 %2").arg(row.Rec->KlientName).arg(row.Balance));
        QCOMPARE(got, (QStringList{"ИП Васильев 80", "ООО Ромашка 695", "Сахарный завод -700"}));
        QCOMPARE(clients.TotalDebt, 775.0);
        QCOMPARE(clients.TotalAdvance, 700.0);
        const auto accounts = kovrel::report::ComputeDebts(list, index, kovrel::report::Accounts);
        QCOMPARE(accounts.TotalBalance, 900.0 - 400.0);
    }

    // One counterparty's documents and payments up to the date.
    void settlementCard() {
        const auto card = [&](const char* endpoint, int kl) {
            return rowsOf(ShopFixture::Call(QString::fromLatin1(endpoint),
                                            {{"code_kl", num(kl)}, {"dat", "2024-04-30"}}),
                          {"id", "sel_docdate", "sel_docsum"});
        };
        QCOMPARE(card("/rep-movekl-nkl-json.php", ids.buyer),
                 (QStringList{QStringLiteral("id=%1 sel_docdate=2024-03-05 sel_docsum=395").arg(s1),
                              QStringLiteral("id=%1 sel_docdate=2024-04-02 sel_docsum=500").arg(s3)}));
        QCOMPARE(card("/rep-movekl-prh-json.php", ids.supplier).size(), 3);
        QCOMPARE(card("/rep-movekl-moneyi-json.php", ids.buyer).size(), 1);
        QCOMPARE(card("/rep-movekl-moneyp-json.php", ids.cash).size(), 2);

        RecordList<TRecMoveKl> rows;
        TFormLoad().RunRepMoveKl(rows, ids.buyer, day(2024, 4, 30));
        TSortedList<TRecMoveKl> index;
        const auto c = kovrel::report::ComputeMoveKlCard(rows, index, day(2024, 3, 6));
        QCOMPARE(c.Opening, 395.0);
        QCOMPARE(c.Rows.size(), size_t(2));
        QCOMPARE(c.Closing, 695.0);
    }

    // Each report takes its own right; stores without access are left out of "all stores".
    void reportRights() {
        struct Report {
            int right;
            QString endpoint;
            Fields fields;
        };
        const Fields period = {{"dat_begin", "2024-03-01"}, {"dat_end", "2024-03-31"}};
        const QList<Report> reports = {
            {Right::RepOst,
             "/rep-ost-json-v3.php",
             {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", "-1"}}},
            {Right::RepMoveGood,
             "/rep-movegood-1-json.php",
             {{"id_goods", num(ids.sugar)}, {"dat", "2024-03-31"}, {"code_store", "-1"}}},
            {Right::RepSaleSt, "/rep-nkl-st-json.php",
             Fields{{"find_win", ""}} + period +
                 Fields{{"code_kl", "-1"}, {"code_store", "-1"}, {"code_manager", "-1"}}},
            {Right::RepSaleDynam, "/rep-nkl-dynam-json.php",
             period +
                 Fields{
                     {"code_detal", "0"}, {"code_kl", "-1"}, {"code_store", "-1"}, {"code_manager", "-1"}}},
            {Right::RepDolg, "/rep-dolg-moneyp-json.php", {{"dat", "2024-03-31"}, {"code_manager", "-1"}}},
            {Right::RepMoveKl,
             "/rep-movekl-nkl-json.php",
             {{"code_kl", num(ids.buyer)}, {"dat", "2024-03-31"}}},
            {Right::RepPrhSt, "/rep-prh-st-json.php",
             Fields{{"find_win", ""}} + period + Fields{{"code_kl", "-1"}, {"code_store", "-1"}}},
            {Right::RepPrhDynam, "/rep-prh-dynam-json.php",
             period + Fields{{"code_detal", "0"}, {"code_kl", "-1"}, {"code_store", "-1"}}},
        };
        shop.SignInUser();
        for (const Report& r : reports) {
            QCOMPARE(ShopFixture::Call(r.endpoint, r.fields).status, 403);
            shop.Seed().Right(ids.account, ids.user, r.right, 1);
            const ServerReply ok = ShopFixture::Call(r.endpoint, r.fields);
            QVERIFY2(ok.status == 200 && ok.text.startsWith(QLatin1Char('[')), qPrintable(r.endpoint));
        }
        shop.Seed().StoreRight(ids.account, ids.second, ids.user, 0);
        const QStringList keys = {"zcen", "kol_plus", "kol_plus_v", "kol_minus", "kol_minus_v"};
        QCOMPARE(rowsOf(ShopFixture::Call("/rep-ost-json-v3.php",
                                          {{"find_win", "сахар"}, {"flag_zero", "0"}, {"code_store", "-1"}}),
                        keys),
                 (QStringList{"zcen=50 kol_plus=10 kol_plus_v=0 kol_minus=6 kol_minus_v=0",
                              "zcen=60 kol_plus=5 kol_plus_v=0 kol_minus=0 kol_minus_v=3"}));
        QCOMPARE(ShopFixture::Call("/rep-ost-json-v3.php",
                                   {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", num(ids.second)}})
                     .status,
                 403);
        shop.Seed().StoreRight(ids.account, ids.second, ids.user, 2); // limited: reports see it
        QCOMPARE(ShopFixture::Call("/rep-ost-json-v3.php",
                                   {{"find_win", ""}, {"flag_zero", "0"}, {"code_store", num(ids.second)}})
                     .status,
                 200);
    }
};

QTEST_GUILESS_MAIN(TestServerReports)
#include "test_server_reports.moc"
