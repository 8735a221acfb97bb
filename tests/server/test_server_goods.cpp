// Goods, kits and the goods-with-stock list on the real kovrel-server with its demo data,
// through the client's own operations; kit compositions through the service's own Kits on the
// same database.
#include "database.h"
#include "demo_server.h"
#include "demo_session.h"
#include "form_load.h"
#include "kits.h"
#include "server_request.h"
#include "session.h"
#include "transaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>
#include <QTest>

#include <memory>

using namespace kovrel::server;

namespace {

using Goods = RecordList<TRecGood>;

Goods goods(const QString& filter = {}, bool kits = false) {
    return Fetch<Goods>([&](TFormLoad& f, Goods& l) { f.SelectGoodList(l, filter, kits); });
}

Goods stock(const QString& filter, int flagZero, int store, QStringList* log = nullptr) {
    TFormLoad f;
    Goods l;
    f.SelectOstList(l, filter, flagZero, store);
    if (log) *log = f.MemoInfo;
    return l;
}

QStringList names(const Goods& l) {
    return TextsOf<TRecGood>(l, [](const TRecGood& g) { return g.Name; });
}

bool validEan13(const QString& code) {
    if (code.size() != 13) return false;
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += code[i].digitValue() * (i % 2 ? 3 : 1);
    return code[12].digitValue() == (10 - sum % 10) % 10;
}

} // namespace

class TestServerGoods : public DemoServerTest {
    Q_OBJECT

    // The service's database opened by the test itself, and the demo account in it.
    std::unique_ptr<Database> openDatabase(qint64& demoAccount) {
        QString error;
        auto address = DatabaseAddress::Parse(Demo().Database().Argument(), &error);
        auto store = std::make_unique<Database>(*address);
        if (!store->Open()) return nullptr;
        auto q = store->Query(QStringLiteral("SELECT id FROM accounts WHERE login_key = 'demo@kovrel.local'"))
                     .Run();
        demoAccount = q.Next() ? q.Int64(0) : 0;
        return store;
    }

private Q_SLOTS:
    void demoGoodsAndKits() {
        const Goods all = goods();
        QCOMPARE(all.size(), size_t(200));
        TFormLoad f;
        RecordList<TRecKlient> categories;
        f.SelectGroupList(categories, QString());
        QSet<int> categoryIds;
        for (const auto& c : categories)
            categoryIds.insert(c->ID);
        QSet<QString> codes;
        QMap<double, int> rates;
        for (const auto& g : all) {
            QCOMPARE(g->IDGoods, g->ID);
            QVERIFY2(validEan13(g->BarCode), qPrintable(g->BarCode));
            QVERIFY(!g->Code.isEmpty());
            codes.insert(g->Code);
            QVERIFY(g->Pack >= 1);
            QVERIFY(g->ZCen > 0 && g->ZCen < g->PCen);
            ++rates[g->Nds];
            QVERIFY(categoryIds.contains(g->GrCode));
            // Goods sold by weight in kilograms, the rest by the piece.
            QCOMPARE(g->OKEI, g->Name.contains(QStringLiteral(" весов")) ? QStringLiteral("166")
                                                                         : QStringLiteral("796"));
        }
        QCOMPARE(codes.size(), 200);
        // The rates of 2026: the general 22 % for most, 10 % for a few, a few without VAT.
        QCOMPARE(QSet<double>(rates.keyBegin(), rates.keyEnd()), (QSet<double>{22, 10, 0}));
        QVERIFY(rates[22] > 150);
        const Goods kits = goods(QString(), true);
        QCOMPARE(kits.size(), size_t(5));
        for (const auto& k : kits) {
            QVERIFY(!names(all).contains(k->Name));
            QCOMPARE(k->GrCode, CategoryId(QStringLiteral("Наборы")));
            QCOMPARE(k->OKEI, QStringLiteral("839"));
        }
        QCOMPARE(names(goods(QStringLiteral("завтрак"), true)),
                 QStringList{QStringLiteral("Набор «Завтрак»")});
        QVERIFY(goods(QStringLiteral("завтрак")).empty());
    }

    // Name, code and bar code are all searched; the purchase price is never sent and stays.
    void goodsInsertSearchUpdateAndDelete() {
        TRecGood g;
        g.Name = QStringLiteral("Сыр «Гауда» весовой");
        g.Prim = QStringLiteral("нарезка\nпо заказу");
        g.Code = QStringLiteral("сг-77");
        g.BarCode = QStringLiteral("4601234567893");
        g.Pack = 0.25;
        g.PCen = 99.9;
        g.Nds = 20;
        g.ZCen = 55;
        g.GrCode = CategoryId(QStringLiteral("Молочная продукция"));
        QVERIFY(g.GrCode > 1);
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertGood(g); }));

        for (const QString& filter : {QStringLiteral("гауда"), QStringLiteral("СГ-7"),
                                      QStringLiteral("сг-77"), QStringLiteral("1234567")}) {
            const Goods found = goods(filter);
            QCOMPARE(names(found), QStringList{g.Name});
        }
        const TRecGood stored = *goods(QStringLiteral("гауда")).front();
        QCOMPARE(stored.Prim, QStringLiteral("нарезка\r\nпо заказу"));
        QCOMPARE(stored.Code, g.Code);
        QCOMPARE(stored.BarCode, g.BarCode);
        QCOMPARE(stored.Pack, 0.25);
        QCOMPARE(stored.PCen, 99.9);
        QCOMPARE(stored.Nds, 20.0);
        QCOMPARE(stored.ZCen, 0.0);
        QCOMPARE(stored.GrCode, g.GrCode);
        QCOMPARE(goods().size(), size_t(201));

        TRecGood changed = stored;
        changed.Name = QStringLiteral("Сыр «Гауда» 45%");
        changed.Pack = 12;
        changed.PCen = 1250.5;
        changed.Nds = 10;
        changed.GrCode = 1;
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateGood(changed); }));
        const TRecGood updated = *goods(QStringLiteral("гауда")).front();
        QCOMPARE(updated.ID, stored.ID);
        QCOMPARE(updated.Name, changed.Name);
        QCOMPARE(updated.Pack, 12.0);
        QCOMPARE(updated.PCen, 1250.5);
        QCOMPARE(updated.Nds, 10.0);
        QCOMPARE(updated.GrCode, 1);

        QVERIFY(Write([&](TFormLoad& f) { return f.DeleteGood(updated); }));
        QVERIFY(goods(QStringLiteral("гауда")).empty());
        QVERIFY(stock(QStringLiteral("гауда"), 1, -1).empty());
        QCOMPARE(goods().size(), size_t(200));
    }

    void badGoodsAreRefused() {
        TRecGood base;
        base.Name = QStringLiteral("Неправильный товар");
        base.GrCode = 1;
        QList<TRecGood> bad;
        for (int i = 0; i < 4; ++i)
            bad << base;
        bad[0].PCen = -1;
        bad[1].Pack = -0.5;
        bad[2].Nds = -20;
        bad[3].GrCode = 999;
        for (const TRecGood& g : bad)
            QVERIFY(!Write([&](TFormLoad& f) { return f.InsertGood(g); }));
        QVERIFY(goods(QStringLiteral("неправильный")).empty());

        TRecGood existing = *goods(QStringLiteral("Спички")).front();
        const TRecGood before = existing;
        existing.Name = QStringLiteral("Спички испорчены");
        existing.PCen = -5;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateGood(existing); }));
        existing.PCen = 5;
        existing.GrCode = 999;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateGood(existing); }));
        QCOMPARE(goods(QStringLiteral("Спички")).front()->Name, before.Name);
        QCOMPARE(goods(QStringLiteral("Спички")).front()->PCen, before.PCen);
    }

    // Goods need 5001; kits are changed with 5002, which the client only lists.
    void goodsAndKitsTakeTheirOwnRights() {
        const auto tryBoth = [] {
            TRecGood item = *goods(QStringLiteral("Спички")).front();
            TRecGood kit = *goods(QStringLiteral("Пикник"), true).front();
            item.Prim = kit.Prim = QStringLiteral("изменено");
            return QList<bool>{Write([&](TFormLoad& f) { return f.UpdateGood(item); }),
                               Write([&](TFormLoad& f) { return f.UpdateGood(kit); })};
        };
        UseDemoUser();
        QCOMPARE(goods().size(), size_t(200));
        QCOMPARE(tryBoth(), QList<bool>({false, false}));
        QVERIFY(SetDemoUserRights({{5001, 1}}));
        UseDemoUser();
        QCOMPARE(tryBoth(), QList<bool>({true, false}));
        QVERIFY(SetDemoUserRights({{5001, 0}, {5002, 1}}));
        UseDemoUser();
        QCOMPARE(tryBoth(), QList<bool>({false, true}));
        UseDemoAdmin();
        QCOMPARE(goods(QStringLiteral("Пикник"), true).front()->Prim, QStringLiteral("изменено"));
    }

    // Every goods item of the store with its stock: a row per purchase price it has there, or one
    // row at its last purchase price; the kits after the goods, with what their components make.
    void stockListOfAStore() {
        const int store = StoreId(QStringLiteral("Основной склад"));
        const Goods rows = stock(QString(), 1, store);
        QSet<QString> kitNames, goodsNames;
        for (const auto& k : goods(QString(), true))
            kitNames.insert(k->Name);
        for (const auto& g : goods())
            goodsNames.insert(g->Name);
        QSet<QString> listedGoods, listedKits;
        QSet<QPair<int, double>> lots;
        for (const auto& r : rows) {
            QCOMPARE(r->IDGoods, r->ID);
            QVERIFY(r->ZCen > 0);
            QVERIFY(r->GetOst() >= 0);
            QVERIFY2(!lots.contains({r->ID, r->ZCen}), qPrintable(r->Name)); // one row per price
            lots.insert({r->ID, r->ZCen});
            (kitNames.contains(r->Name) ? listedKits : listedGoods).insert(r->Name);
        }
        QCOMPARE(listedGoods, goodsNames);
        QCOMPARE(listedKits, kitNames);
        const Goods onHand = stock(QString(), 0, store);
        QVERIFY(!onHand.empty() && onHand.size() < rows.size());
        for (const auto& r : onHand)
            QVERIFY(r->GetOst() > 0);
        QSet<QString> teas;
        for (const auto& r : stock(QStringLiteral("чай зел"), 1, store))
            teas.insert(r->Name);
        QCOMPARE(teas, QSet<QString>({QStringLiteral("Чай зеленый 100 г"),
                                      QStringLiteral("Чай зеленый 100 пакетиков"),
                                      QStringLiteral("Чай зеленый 25 пакетиков")}));

        // The keys as the stock report reads them, the optional transfer columns included.
        const ServerReply raw =
            PostToServer(QStringLiteral("/rep-ost-json-v2.php"),
                         WithFields(TFormLoad::NewForm(), {{"find_win", QStringLiteral("СПИЧКИ")},
                                                           {"flag_zero", "1"},
                                                           {"code_store", QString::number(store)}}));
        QCOMPARE(raw.status, 200);
        const QJsonObject row = QJsonDocument::fromJson(raw.text.toUtf8()).array().first().toObject();
        for (const char* key :
             {"id", "id_goods", "flag_del", "name", "prim", "pack", "nds", "barcode", "code", "pcen", "zcen",
              "gg_code", "kol_plus", "kol_minus", "kol_plus_v", "kol_minus_v", "okei"})
            QVERIFY2(row.contains(QLatin1String(key)), key);

        // A store the account does not have is refused, not taken for "all".
        QStringList log;
        QVERIFY(stock(QString(), 1, 9999, &log).empty());
        QVERIFY(log.join(QLatin1Char('\n')).contains(QStringLiteral("404")));
        QVERIFY(stock(QString(), 1, 1, &log).empty()); // manager 1, not a store
    }

    // A unit is set, changed and cleared by its own write, which no other write touches; the
    // goods lists and the stock list carry it. Only codes of the papers' units are taken, and
    // the right is the item's: goods 5001, kits 5002.
    void unitsOfMeasure() {
        TRecGood item = *goods(QStringLiteral("Спички")).front();
        QCOMPARE(item.OKEI, QStringLiteral("796"));
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateGoodUnit(item.ID, QStringLiteral("778")); }));
        QCOMPARE(goods(QStringLiteral("Спички")).front()->OKEI, QStringLiteral("778"));
        item.Prim = QStringLiteral("коробок");
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateGood(item); }));
        QCOMPARE(goods(QStringLiteral("Спички")).front()->OKEI, QStringLiteral("778"));
        const int store = StoreId(QStringLiteral("Основной склад"));
        for (const auto& row : stock(QStringLiteral("Спички"), 1, store))
            QCOMPARE(row->OKEI, QStringLiteral("778"));
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateGoodUnit(item.ID, QString()); }));
        QCOMPARE(goods(QStringLiteral("Спички")).front()->OKEI, QString());

        for (const QString& bad : {QStringLiteral("999"), QStringLiteral("6"), QStringLiteral("кг")})
            QVERIFY2(!Write([&](TFormLoad& f) { return f.UpdateGoodUnit(item.ID, bad); }), qPrintable(bad));
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateGoodUnit(99999, QStringLiteral("796")); }));
        QCOMPARE(goods(QStringLiteral("Спички")).front()->OKEI, QString());

        const TRecGood kit = *goods(QStringLiteral("Пикник"), true).front();
        UseDemoUser();
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateGoodUnit(item.ID, QStringLiteral("006")); }));
        QVERIFY(SetDemoUserRights({{5001, 1}}));
        UseDemoUser();
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateGoodUnit(item.ID, QStringLiteral("006")); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateGoodUnit(kit.ID, QStringLiteral("796")); }));
        UseDemoAdmin();
        QCOMPARE(goods(QStringLiteral("Спички")).front()->OKEI, QStringLiteral("006"));
        QCOMPARE(goods(QStringLiteral("Пикник"), true).front()->OKEI, QStringLiteral("839"));
    }

    // A store closed to a user gives that user no stock; a store open for reports does.
    void stockFollowsStoreAccess() {
        UseDemoUser();
        QStringList log;
        QVERIFY(stock(QString(), 1, StoreId(QStringLiteral("Магазин на Садовой")), &log).empty());
        QVERIFY(log.join(QLatin1Char('\n')).contains(QStringLiteral("403")));
        const auto items = [](const Goods& rows) {
            QSet<int> ids;
            for (const auto& r : rows)
                ids.insert(r->ID);
            return ids.size();
        };
        const qsizetype all = static_cast<qsizetype>(goods().size() + goods(QString(), true).size());
        QCOMPARE(items(stock(QString(), 1, StoreId(QStringLiteral("Склад на Промышленной")))), all);
        QCOMPARE(items(stock(QString(), 1, StoreId(QStringLiteral("Основной склад")))), all);
        QCOMPARE(items(stock(QString(), 1, -1)), all);

        const QString password = NewAccountPassword(Demo().Server(), QStringLiteral("other@shop.ru"));
        UseSession(QStringLiteral("other@shop.ru"), QString(), password);
        QVERIFY(stock(QString(), 1, -1).empty());
        UseDemoAdmin();
        const int demoStore = StoreId(QStringLiteral("Основной склад"));
        UseSession(QStringLiteral("other@shop.ru"), QString(), password);
        QVERIFY(stock(QString(), 1, demoStore, &log).empty());
        QVERIFY(log.join(QLatin1Char('\n')).contains(QStringLiteral("404")));
    }

    void demoKitsHaveTheirComposition() {
        qint64 account = 0;
        const auto store = openDatabase(account);
        QVERIFY(store && account);
        const Kits kits(*store, account);
        const Goods kitList = goods(QString(), true);
        QSet<int> goodsIds;
        for (const auto& g : goods())
            goodsIds.insert(g->ID);
        for (const auto& k : kitList) {
            const QList<KitComponent> parts = kits.Composition(k->ID);
            QVERIFY2(parts.size() >= 3, qPrintable(k->Name));
            for (const KitComponent& c : parts) {
                QVERIFY(goodsIds.contains(c.goodsId));
                QVERIFY(c.kol >= 1);
            }
        }
        const TRecGood breakfast = *goods(QStringLiteral("завтрак"), true).front();
        const int tea = goods(QStringLiteral("Чай черный байховый 25")).front()->ID;
        const int sugar = goods(QStringLiteral("Сахар-песок 1 кг")).front()->ID;
        const int cookies = goods(QStringLiteral("Юбилейное» 313")).front()->ID;
        QList<KitComponent> expected = {{tea, 1}, {sugar, 1}, {cookies, 2}};
        std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.goodsId < b.goodsId; });
        QCOMPARE(kits.Composition(breakfast.ID), expected);
        QVERIFY(kits.Composition(tea).isEmpty());
    }

    // A kit is made of ordinary goods of its own account, each once, in positive quantities;
    // a composition that breaks that is refused whole.
    void kitCompositionRules() {
        qint64 account = 0;
        const auto store = openDatabase(account);
        QVERIFY(store && account);
        const int tea = goods(QStringLiteral("Чай черный байховый 25")).front()->ID;
        const int sugar = goods(QStringLiteral("Сахар-песок 1 кг")).front()->ID;
        const int kit = goods(QStringLiteral("завтрак"), true).front()->ID;
        const int otherKit = goods(QStringLiteral("Пикник"), true).front()->ID;
        Kits kits(*store, account);
        const QList<KitComponent> before = kits.Composition(kit);
        const QList<QList<KitComponent>> refused = {
            {},
            {{tea, 0}},
            {{tea, -1}},
            {{tea, 1}, {tea, 2}},
            {{tea, 1}, {otherKit, 1}},
            {{tea, 1}, {999999, 1}},
        };
        for (const auto& components : refused) {
            Transaction tx(*store, Transaction::Mode::Write);
            QVERIFY_THROWS_EXCEPTION(KitError, kits.SetComposition(kit, components));
        }
        {
            Transaction tx(*store, Transaction::Mode::Write);
            QVERIFY_THROWS_EXCEPTION(KitError, kits.SetComposition(tea, {{sugar, 1}}));
            QVERIFY_THROWS_EXCEPTION(KitError, Kits(*store, account + 1).SetComposition(kit, {{tea, 1}}));
        }
        QCOMPARE(kits.Composition(kit), before);

        int made = 0;
        {
            Transaction tx(*store, Transaction::Mode::Write);
            kits.SetComposition(kit, {{sugar, 2}, {tea, 0.5}});
            TRecGood sweet;
            sweet.Name = QStringLiteral("Набор «Сладкий чай»");
            sweet.PCen = 250;
            made = kits.Create(sweet, {{tea, 1}, {sugar, 1}});
            tx.Commit();
        }
        QList<KitComponent> expected = {{sugar, 2}, {tea, 0.5}};
        std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.goodsId < b.goodsId; });
        QCOMPARE(kits.Composition(kit), expected);
        QCOMPARE(goods(QStringLiteral("сладкий чай"), true).front()->ID, made);
        QVERIFY(goods(QStringLiteral("сладкий чай")).empty());
        // The new kit is listed with as many kits as its components' stock makes.
        const auto balance = [](int id) {
            double sum = 0;
            for (const auto& r : stock(QString(), 1, -1))
                if (r->ID == id) sum += r->GetOst();
            return sum;
        };
        const Goods listed = stock(QStringLiteral("сладкий чай"), 1, -1);
        QCOMPARE(listed.size(), size_t(1));
        QCOMPARE(listed.front()->ID, made);
        QCOMPARE(listed.front()->GetOst(), std::min(balance(tea), balance(sugar)));
    }
};

QTEST_GUILESS_MAIN(TestServerGoods)
#include "test_server_goods.moc"
