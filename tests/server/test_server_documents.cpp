// Goods documents and money operations over HTTP: each kind's life cycle with the client's own
// operations, the journals' period and search, linked payments, bad input, and the rights the
// service enforces.
#include "right_codes.h"
#include "session.h"
#include "shop_fixture.h"

#include <QTest>

namespace {

using Line = ShopFixture::Line;
using Fields = QList<QPair<QString, QString>>;

const QDate kToday = QDate::currentDate();

TDateTime day(const QDate& d) {
    return kovrel::ToDateTime(d);
}

template <class T>
T* byId(const RecordList<T>& list, int id) {
    for (const auto& r : list)
        if (r->ID == id) return r.get();
    return nullptr;
}

QString num(int v) {
    return QString::number(v);
}

} // namespace

class TestServerDocuments : public ShopTest {
    Q_OBJECT

private Q_SLOTS:
    // A sales waybill as its editor makes it: header first, a line at quantity 0, the line read
    // back with the store's stock, its quantity stored, the header changed, the line and the
    // document deleted; stock and the journal follow every step.
    void salesWaybillLifeCycle() {
        QVERIFY(shop.Receipt(ids.main, {{ids.sugar, 10, 50}}));
        TRecDoc doc;
        doc.DocDate = day(kToday);
        doc.StoreID = ids.main;
        doc.KlientID = ids.buyer;
        doc.Prim = QStringLiteral("Отгрузка № 7");
        TFormLoad fl;
        QVERIFY(fl.InsertNkl(doc));
        QVERIFY(doc.ID > 0);

        TRecDocItem line;
        line.IDZag = doc.ID;
        line.IDGood = ids.sugar;
        line.CenZ = 50;
        line.CenR = 80;
        QVERIFY(fl.InsertNklItem(line));
        QVERIFY(fl.UpdateGoodUnit(ids.sugar, QStringLiteral("166")));
        auto read = fl.SelectNklItemOne(line, ids.main);
        QVERIFY(read);
        QCOMPARE(read->Name, QStringLiteral("Сахар"));
        QCOMPARE(read->Pack, 10.0);
        QCOMPARE(read->OKEI, QStringLiteral("166")); // the goods item's unit, as it is now
        QCOMPARE(read->Kol, 0.0);
        QCOMPARE(read->GetOstI(), 10.0);

        read->Kol = 4;
        read->CenR = 82.5;
        QVERIFY(fl.UpdateNklItem(*read));
        RecordList<TRecDocItem> lines;
        fl.SelectNklItemsList(lines, doc.ID, ids.main);
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(lines[0]->Kol, 4.0);
        QCOMPARE(lines[0]->CenR, 82.5);
        QCOMPARE(lines[0]->CenZ, 50.0);
        QCOMPARE(lines[0]->OKEI, QStringLiteral("166"));
        QCOMPARE(lines[0]->KolPlus, 10.0);
        QCOMPARE(lines[0]->KolMinus, 4.0);
        QCOMPARE(lines[0]->GetOstI(), 6.0);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 6.0);

        RecordList<TRecDoc> journal;
        fl.SelectNklList(journal, QString(), day(kToday), day(kToday));
        TRecDoc* listed = byId(journal, doc.ID);
        QVERIFY(listed);
        QCOMPARE(listed->StoreName, QStringLiteral("Основной склад"));
        QCOMPARE(listed->KlientName, QStringLiteral("ООО Ромашка"));
        QCOMPARE(listed->Prim, QStringLiteral("Отгрузка № 7"));
        QCOMPARE(listed->SumZ, 200.0);
        QCOMPARE(listed->SumR, 330.0);
        QCOMPARE(listed->MoneySum, 0.0);

        doc.DocDate = day(kToday.addDays(-1));
        doc.KlientID = ids.buyer2;
        doc.Prim = QStringLiteral("исправлено");
        QVERIFY(fl.UpdateNkl(doc));
        fl.SelectNklList(journal, QString(), day(kToday.addDays(-1)), day(kToday.addDays(-1)));
        QVERIFY(byId(journal, doc.ID));
        QCOMPARE(byId(journal, doc.ID)->KlientName, QStringLiteral("ИП Васильев"));

        QVERIFY(fl.DeleteNklItemOne(*lines[0]));
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 10.0);
        QVERIFY(fl.InsertNklItem(line));
        QVERIFY(fl.DeleteNkl(doc));
        fl.SelectNklList(journal, QString(), day(kToday.addDays(-30)), day(kToday));
        QVERIFY(!byId(journal, doc.ID));
        QCOMPARE(shop.Count(QStringLiteral("doc_items")), 1); // the receipt's line only
    }

    // Receipts bring stock in and carry no sale side; orders move nothing; transfers move
    // stock from one store to another and report both stores' stock with every line.
    void otherKindsLifeCycle() {
        TFormLoad fl;
        const int prh = shop.Receipt(ids.main, {{ids.salt, 12, 20}, {ids.tea, 5, 150}});
        RecordList<TRecDocItem> lines;
        fl.SelectPrhItemsList(lines, prh, ids.main);
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0]->GetOstI(), 12.0);
        QCOMPARE(lines[1]->CenZ, 150.0);
        RecordList<TRecDoc> receipts;
        fl.SelectPrhList(receipts, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(receipts, prh)->SumZ, 12 * 20.0 + 5 * 150.0);
        QCOMPARE(byId(receipts, prh)->KlientName, QStringLiteral("Сахарный завод"));

        const int order = shop.Doc(QStringLiteral("invoice"), ids.main, ids.buyer);
        QVERIFY(ShopFixture::AddLine(QStringLiteral("invoice"), order, {ids.salt, 100, 20, 35}));
        QCOMPARE(shop.Stock(ids.main, ids.salt), 12.0);
        fl.SelectInvoiceItemsList(lines, order, ids.main);
        QCOMPARE(lines[0]->Kol, 100.0);
        QCOMPARE(lines[0]->GetOstI(), 12.0);
        RecordList<TRecDoc> orders;
        fl.SelectInvoiceList(orders, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(orders, order)->SumR, 3500.0);

        const int vnk = shop.Transfer(ids.main, ids.second, {{ids.salt, 5, 20, 30}});
        QVERIFY(vnk);
        QCOMPARE(shop.Stock(ids.main, ids.salt), 7.0);
        QCOMPARE(shop.Stock(ids.second, ids.salt), 5.0);
        fl.SelectVnkItemsList(lines, vnk, ids.main, ids.second);
        QCOMPARE(lines[0]->GetOstI(), 7.0);
        QCOMPARE(lines[0]->KolMinusV, 5.0);
        QCOMPARE(lines[0]->GetOstP(), 5.0);
        QCOMPARE(lines[0]->PKolPlusV, 5.0);
        RecordList<TRecDoc> transfers;
        fl.SelectVnkList(transfers, QString(), day(kToday), day(kToday));
        TRecDoc* t = byId(transfers, vnk);
        QCOMPARE(t->StoreNameI, QStringLiteral("Основной склад"));
        QCOMPARE(t->StoreNameP, QStringLiteral("Магазин на Ленина"));
        QCOMPARE(t->SumR, 150.0);

        lines[0]->Kol = 2;
        QVERIFY(fl.UpdateVnkItem(*lines[0]));
        QCOMPARE(shop.Stock(ids.second, ids.salt), 2.0);
        QVERIFY(fl.DeleteVnk(*t));
        QCOMPARE(shop.Stock(ids.main, ids.salt), 12.0);
        QCOMPARE(shop.Stock(ids.second, ids.salt), 0.0);
        QVERIFY(fl.DeleteInvoice(*byId(orders, order)));
        QVERIFY(fl.DeletePrh(*byId(receipts, prh)));
        QCOMPARE(shop.Stock(ids.main, ids.salt), 0.0);
        QCOMPARE(shop.Count(QStringLiteral("doc_items")), 0);
    }

    // Both ends of the period count; the search text matches counterparty, store or note.
    void journalPeriodAndSearch() {
        const QDate d1(2024, 3, 1), d2(2024, 3, 31);
        const int early = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer, d1, QStringLiteral("первая"));
        const int late =
            shop.Doc(QStringLiteral("nkl"), ids.second, ids.buyer2, d2, QStringLiteral("Срочно"));
        const int outside = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer, d2.addDays(1));
        const int noBuyer = shop.Doc(QStringLiteral("nkl"), ids.third, 0, d1);
        struct Case {
            QString find;
            QList<int> expected;
        };
        const QList<Case> cases = {
            {QString(), {late, noBuyer, early}},    {QStringLiteral("ромаш"), {early}},
            {QStringLiteral("ЛЕНИНА"), {late}},     {QStringLiteral("срочно"), {late}},
            {QStringLiteral("дальний"), {noBuyer}}, {QStringLiteral("100%"), {}},
        };
        for (const Case& c : cases) {
            RecordList<TRecDoc> list;
            TFormLoad().SelectNklList(list, c.find, day(d1), day(d2));
            QList<int> got;
            for (const auto& r : list)
                got.append(r->ID);
            QCOMPARE(got, c.expected);
        }
        RecordList<TRecDoc> list;
        TFormLoad().SelectNklList(list, QString(), day(d2.addDays(1)), day(d2.addDays(1)));
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0]->ID, outside);
        QCOMPARE(list[0]->DocDate, day(d2.addDays(1)));
        QCOMPARE(list[0]->KlientID, ids.buyer);
    }

    // Receipts and sales waybills share one numbering, so a payment's document number names
    // one document; orders have their own. "money_sum" sums the payments linked to each.
    void linkedPaymentsAndMoneySum() {
        const int prh = shop.Receipt(ids.main, {{ids.sugar, 10, 50}});
        const int nkl = shop.Sale(ids.main, {{ids.sugar, 4, 50, 100}});
        const int order = shop.Doc(QStringLiteral("invoice"), ids.main, ids.buyer);
        QVERIFY(ShopFixture::AddLine(QStringLiteral("invoice"), order, {ids.salt, 3, 0, 40}));
        QVERIFY(nkl != prh);

        const auto pay = [&](int from, int to, double sum, int docLink, int orderLink) {
            TRecMoney m;
            m.DocDate = day(kToday);
            m.KlientIDI = from;
            m.KlientIDP = to;
            m.SumM = sum;
            m.DocN = docLink;
            m.InvoiceN = orderLink;
            m.Prim = QStringLiteral("оплата");
            return TFormLoad().InsertMoney(m);
        };
        QVERIFY(pay(ids.buyer, ids.cash, 150, nkl, 0));
        QVERIFY(pay(ids.buyer, ids.bank, 100.5, nkl, 0));
        QVERIFY(pay(ids.bank, ids.supplier, 500, prh, 0));
        QVERIFY(pay(ids.buyer, ids.bank, 60, 0, order));
        QVERIFY(pay(ids.owner, ids.cash, 1000, 0, 0));

        // The counterparty list carries each one's money sent and received and its documents.
        TFormLoad fl;
        RecordList<TRecKlient> klients;
        fl.SelectKlientList(klients, QString(), 1);
        const TRecKlient* buyer = byId(klients, ids.buyer);
        QCOMPARE(buyer->m1_sum, 310.5);
        QCOMPARE(buyer->m2_sum, 0.0);
        QCOMPARE(buyer->nkl_sum, 400.0);
        const TRecKlient* supplier = byId(klients, ids.supplier);
        QCOMPARE(supplier->m2_sum, 500.0);
        QCOMPARE(supplier->prh_sum, 500.0);
        fl.SelectKlientList(klients, QString(), 2);
        QCOMPARE(byId(klients, ids.cash)->m2_sum, 1150.0);

        RecordList<TRecDoc> list;
        fl.SelectNklList(list, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(list, nkl)->MoneySum, 250.5);
        fl.SelectPrhList(list, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(list, prh)->MoneySum, 500.0);
        fl.SelectInvoiceList(list, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(list, order)->MoneySum, 60.0);

        RecordList<TRecMoney> money;
        fl.SelectMoneyList(money, QStringLiteral("ромашка"), day(kToday), day(kToday));
        QCOMPARE(money.size(), size_t(3));
        QCOMPARE(money[0]->KlientNameI, QStringLiteral("ООО Ромашка"));
        fl.SelectMoneyList(money, QString(), day(kToday), day(kToday));
        QCOMPARE(money.size(), size_t(5));
        TRecMoney* orderPay = nullptr;
        for (const auto& m : money)
            if (m->InvoiceN == order) orderPay = m.get();
        QVERIFY(orderPay);
        QCOMPARE(orderPay->KlientNameP, QStringLiteral("Расчетный счет"));
        orderPay->SumM = 75;
        orderPay->InvoiceN = 0;
        orderPay->DocN = nkl;
        QVERIFY(fl.UpdateMoney(*orderPay));
        fl.SelectNklList(list, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(list, nkl)->MoneySum, 325.5);
        QVERIFY(fl.DeleteMoney(*orderPay));
        fl.SelectNklList(list, QString(), day(kToday), day(kToday));
        QCOMPARE(byId(list, nkl)->MoneySum, 250.5);

        // A document that payments refer to stays, and the refusal names them; without its
        // payments it goes.
        fl.SelectMoneyList(money, QString(), day(kToday), day(kToday));
        QList<const TRecMoney*> nklPays;
        for (const auto& m : money)
            if (m->DocN == nkl) nklPays.prepend(m.get());
        QCOMPARE(nklPays.size(), 2);
        const TRecDoc* listed = byId(list, nkl);
        QVERIFY(listed);
        const TRecDoc sale = *listed;
        // Nor does it lose its counterparty, or get another, while they refer to it (a buyer
        // cleared in the editor travels as -1); the rest of its header may change.
        const QString keepsBuyer = QStringLiteral("HTTP/1.1 409 Conflict: На документ ссылаются операции с "
                                                  "деньгами № %1, %2: контрагента документа нельзя убрать "
                                                  "или заменить, пока они на него ссылаются")
                                       .arg(nklPays[0]->ID)
                                       .arg(nklPays[1]->ID);
        TRecDoc changed = sale;
        changed.KlientID = -1;
        QVERIFY(!fl.UpdateNkl(changed));
        QCOMPARE(fl.MemoInfo.last(), keepsBuyer);
        changed.KlientID = ids.supplier;
        QVERIFY(!fl.UpdateNkl(changed));
        QCOMPARE(fl.MemoInfo.last(), keepsBuyer);
        changed = sale;
        changed.Prim = QStringLiteral("доставка в среду");
        QVERIFY(fl.UpdateNkl(changed));
        using Journal = void (TFormLoad::*)(RecordList<TRecDoc>&, const QString&, TDateTime, TDateTime);
        const auto stored = [&](Journal journal, int id) {
            RecordList<TRecDoc> docs;
            (fl.*journal)(docs, QString(), day(kToday), day(kToday));
            const TRecDoc* doc = byId(docs, id);
            return doc ? *doc : TRecDoc();
        };
        TRecDoc receipt = stored(&TFormLoad::SelectPrhList, prh);
        receipt.KlientID = 0;
        QVERIFY(!fl.UpdatePrh(receipt));
        // A document that had no counterparty may be given one, and then keeps it.
        const int unnamed = shop.Doc(QStringLiteral("prh"), ids.main, 0);
        QVERIFY(pay(ids.bank, ids.supplier, 10, unnamed, 0));
        TRecDoc named = stored(&TFormLoad::SelectPrhList, unnamed);
        named.KlientID = ids.supplier;
        QVERIFY(fl.UpdatePrh(named));
        named.KlientID = -1;
        QVERIFY(!fl.UpdatePrh(named));
        QVERIFY(!fl.DeleteNkl(sale));
        QCOMPARE(fl.MemoInfo.last(),
                 QStringLiteral("HTTP/1.1 409 Conflict: На документ ссылаются операции с деньгами "
                                "№ %1, %2: удалите их или уберите в них номер документа")
                     .arg(nklPays[0]->ID)
                     .arg(nklPays[1]->ID));
        fl.SelectNklList(list, QString(), day(kToday), day(kToday));
        QVERIFY(byId(list, nkl));
        for (const TRecMoney* m : nklPays)
            QVERIFY(fl.DeleteMoney(*m));
        changed.KlientID = -1; // without payments the buyer may go
        QVERIFY(fl.UpdateNkl(changed));
        QVERIFY(fl.DeleteNkl(sale));

        // A link to no document, a party of the wrong kind, or none: nothing is stored.
        const int before = shop.Count(QStringLiteral("money"));
        const auto moneyFields = [&](int from, int to, int docLink, int orderLink) {
            return Fields{{"dat", kToday.toString(Qt::ISODate)},
                          {"sum_m", "10.00"},
                          {"klient_i", num(from)},
                          {"klient_p", num(to)},
                          {"prim_win", ""},
                          {"doc_link", num(docLink)},
                          {"doc_link_invoice", num(orderLink)}};
        };
        QCOMPARE(ShopFixture::Call("/insert-money.php", moneyFields(ids.buyer, ids.cash, 9999, 0)).status,
                 404);
        QCOMPARE(ShopFixture::Call("/insert-money.php", moneyFields(ids.buyer, ids.cash, 0, nkl)).status,
                 404);
        QCOMPARE(ShopFixture::Call("/insert-money.php", moneyFields(ids.buyer, ids.main, 0, 0)).status, 404);
        const ServerReply noSender = ShopFixture::Call("/insert-money.php", moneyFields(-1, ids.cash, 0, 0));
        QCOMPARE(noSender.status, 400);
        QCOMPARE(noSender.text, QStringLiteral("Не указан отправитель денег"));
        QCOMPARE(shop.Count(QStringLiteral("money")), before);
    }

    // Unknown or foreign IDs, missing goods, meaningless numbers, a transfer without a store:
    // 400 or 404 with a reason, and nothing written.
    void badInputChangesNothing() {
        const int prh = shop.Receipt(ids.main, {{ids.sugar, 5, 50}});
        const int nkl = shop.Sale(ids.main, {{ids.sugar, 1, 50, 80}});
        const QString today = kToday.toString(Qt::ISODate);
        struct Case {
            const char* name;
            QString endpoint;
            Fields fields;
            int status;
            QString reason;
        };
        const QList<Case> cases = {
            {"unknown document",
             "/update-nkl.php",
             {{"id", "777"},
              {"dat", today},
              {"id_stores", num(ids.main)},
              {"id_klients", "0"},
              {"prim_win", ""}},
             404,
             "Документ не найден"},
            {"a receipt's number on the waybill endpoint",
             "/delete-nkl.php",
             {{"id", num(prh)}},
             404,
             "Документ не найден"},
            {"line of an unknown document",
             "/insert-nkl-items.php",
             {{"id_z", "777"},
              {"id_goods", num(ids.sugar)},
              {"kol", "1"},
              {"zcen", "0.00"},
              {"rcen", "0.00"}},
             404,
             "Документ не найден"},
            {"unknown goods",
             "/insert-nkl-items.php",
             {{"id_z", num(nkl)}, {"id_goods", "555"}, {"kol", "1"}, {"zcen", "0.00"}, {"rcen", "0.00"}},
             404,
             "Не найден товар с кодом 555"},
            {"negative quantity",
             "/insert-nkl-items.php",
             {{"id_z", num(nkl)},
              {"id_goods", num(ids.sugar)},
              {"kol", "-1"},
              {"zcen", "0.00"},
              {"rcen", "0.00"}},
             400,
             "Количество не может быть отрицательным"},
            {"non-numeric quantity",
             "/insert-nkl-items.php",
             {{"id_z", num(nkl)},
              {"id_goods", num(ids.sugar)},
              {"kol", "2,5"},
              {"zcen", "0.00"},
              {"rcen", "0.00"}},
             400,
             "Поле kol должно быть числом"},
            {"negative price",
             "/insert-prh-items.php",
             {{"id_z", num(prh)}, {"id_goods", num(ids.sugar)}, {"kol", "1"}, {"zcen", "-5.00"}},
             400,
             "Цена не может быть отрицательной"},
            {"transfer without a receiving store",
             "/insert-vnk.php",
             {{"dat", today}, {"id_stores_i", num(ids.main)}, {"id_stores_p", "-1"}, {"prim_win", ""}},
             400,
             "Не указан склад-получатель"},
            {"waybill without a store",
             "/insert-nkl.php",
             {{"dat", today}, {"id_stores", "0"}, {"id_klients", num(ids.buyer)}, {"prim_win", ""}},
             400,
             "Не указан склад"},
            {"a counterparty as store",
             "/insert-nkl.php",
             {{"dat", today}, {"id_stores", num(ids.buyer)}, {"id_klients", "0"}, {"prim_win", ""}},
             404,
             QStringLiteral("Не найден склад с кодом %1").arg(ids.buyer)},
            {"a store as counterparty",
             "/insert-nkl.php",
             {{"dat", today},
              {"id_stores", num(ids.main)},
              {"id_klients", num(ids.second)},
              {"prim_win", ""}},
             404,
             QStringLiteral("Не найден контрагент с кодом %1").arg(ids.second)},
            {"impossible date",
             "/insert-nkl.php",
             {{"dat", "2024-02-30"}, {"id_stores", num(ids.main)}, {"id_klients", "0"}, {"prim_win", ""}},
             400,
             "Поле dat должно быть датой ГГГГ-ММ-ДД"},
            {"unknown line",
             "/update-nkl-items.php",
             {{"id", "9999"}, {"kol", "1"}, {"rcen", "1.00"}},
             404,
             "Строка документа не найдена"},
            {"a kit in a receipt",
             "/insert-prh-items.php",
             {{"id_z", num(prh)}, {"id_goods", num(ids.gift)}, {"kol", "1"}, {"zcen", "1.00"}},
             400,
             "Комплект «Подарочный набор» нельзя добавить в документ: Приходная накладная"},
            {"lines of an unknown document",
             "/list-nkl-items-with-ost-json.php",
             {{"id", "0"}, {"code_store", "-1"}},
             404,
             "Документ не найден"},
        };
        const int docs = shop.Count(QStringLiteral("docs")), lines = shop.Count(QStringLiteral("doc_items"));
        for (const Case& c : cases) {
            const ServerReply r = ShopFixture::Call(c.endpoint, c.fields);
            QVERIFY2(r.status == c.status, c.name);
            QVERIFY2(r.text == c.reason, qPrintable(QStringLiteral("%1: %2").arg(c.name, r.text)));
        }
        QCOMPARE(shop.Count(QStringLiteral("docs")), docs);
        QCOMPARE(shop.Count(QStringLiteral("doc_items")), lines);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 4.0);

        // Numbers are per account: another account's requests name its own entries only.
        shop.SignInStranger();
        QCOMPARE(ShopFixture::Call("/delete-nkl.php", {{"id", num(nkl)}}).status, 404);
        RecordList<TRecDoc> list;
        TFormLoad().SelectNklList(list, QString(), day(kToday), day(kToday));
        QVERIFY(list.empty());
        const int theirs = shop.Doc(QStringLiteral("nkl"), ids.strangerStore, 0);
        QVERIFY(theirs > 0);
        QCOMPARE(ShopFixture::AddLine(QStringLiteral("nkl"), theirs, {ids.strangerGoods, 1}),
                 0); // no stock there
        shop.SignInAdmin();
        QCOMPARE(shop.Count(QStringLiteral("docs")), docs);
        TFormLoad().SelectNklList(list, QString(), day(kToday), day(kToday));
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0]->ID, nkl);
    }

    // A user's function rights, deletion prohibition, days lock and store access.
    void rightsOfAUser() {
        const int lockedDoc = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer, kToday.addDays(-10));
        const int freshDoc = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer, kToday);
        const int limitedDoc = shop.Doc(QStringLiteral("nkl"), ids.second, ids.buyer, kToday);
        const int vnkBoth = shop.Doc(QStringLiteral("vnk"), ids.main, ids.second, kToday);
        const int vnkHidden = shop.Doc(QStringLiteral("vnk"), ids.second, ids.third, kToday);
        CatalogSeed& seed = shop.Seed();
        const auto list = [&](const QDate& from) {
            RecordList<TRecDoc> docs;
            TFormLoad fl;
            fl.SelectNklList(docs, QString(), day(from), day(kToday));
            QList<int> got;
            for (const auto& r : docs)
                got.append(r->ID);
            return fl.Failed() ? QList<int>{-1} : got;
        };
        const auto header = [&](int id, int store) {
            return Fields{{"id", num(id)},
                          {"dat", kToday.toString(Qt::ISODate)},
                          {"id_stores", num(store)},
                          {"id_klients", "0"},
                          {"prim_win", "x"}};
        };
        shop.SignInUser();
        QCOMPARE(list(kToday.addDays(-30)), QList<int>{-1}); // no right at all
        seed.Right(ids.account, ids.user, Right::NklView, 1);
        QCOMPARE(list(kToday.addDays(-30)), (QList<int>{limitedDoc, freshDoc, lockedDoc}));
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header(freshDoc, ids.main)).status, 403);

        seed.Right(ids.account, ids.user, Right::NklFull, 1);
        seed.Right(ids.account, ids.user, Right::NklLock, 10);
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header(freshDoc, ids.main)).status, 200);
        const ServerReply locked = ShopFixture::Call("/update-nkl.php", header(lockedDoc, ids.main));
        QCOMPARE(locked.status, 403);
        QCOMPARE(locked.text, QStringLiteral("Доступ запрещен: документы старше 10 дн. изменять нельзя"));
        QCOMPARE(ShopFixture::Call("/insert-nkl-items.php", {{"id_z", num(lockedDoc)},
                                                             {"id_goods", num(ids.salt)},
                                                             {"kol", "0"},
                                                             {"zcen", "0.00"},
                                                             {"rcen", "0.00"}})
                     .status,
                 403);
        // Nor may a new document be dated into the locked days.
        QCOMPARE(shop.Doc(QStringLiteral("nkl"), ids.main, 0, kToday.addDays(-10)), 0);
        QVERIFY(shop.Doc(QStringLiteral("nkl"), ids.main, 0, kToday.addDays(-9)) > 0);

        seed.Right(ids.account, ids.user, Right::NklNoDelete, 1);
        const ServerReply refused = ShopFixture::Call("/delete-nkl.php", {{"id", num(freshDoc)}});
        QCOMPARE(refused.status, 403);
        QCOMPARE(refused.text, QStringLiteral("Доступ запрещен: удаление документов запрещено"));
        seed.Right(ids.account, ids.user, Right::NklNoDelete, 0);
        QCOMPARE(ShopFixture::Call("/delete-nkl.php", {{"id", num(freshDoc)}}).status, 200);

        // Limited access to a store: its documents are neither listed nor changed, nor read.
        seed.StoreRight(ids.account, ids.second, ids.user, 2);
        QVERIFY(!list(kToday).contains(limitedDoc));
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header(limitedDoc, ids.second)).status, 403);
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header(lockedDoc + 100, ids.main)).status, 404);
        QCOMPARE(ShopFixture::Call("/list-nkl-items-with-ost-json.php",
                                   {{"id", num(limitedDoc)}, {"code_store", "-1"}})
                     .status,
                 403);
        const int before = shop.Count(QStringLiteral("docs"));
        QCOMPARE(shop.Doc(QStringLiteral("nkl"), ids.second, 0), 0); // nor a new one in that store
        QCOMPARE(shop.Count(QStringLiteral("docs")), before);

        // A transfer is listed when either store is fully accessible, changed only when both are.
        seed.StoreRight(ids.account, ids.third, ids.user, 0);
        seed.Right(ids.account, ids.user, Right::VnkView, 1);
        seed.Right(ids.account, ids.user, Right::VnkFull, 1);
        RecordList<TRecDoc> transfers;
        TFormLoad().SelectVnkList(transfers, QString(), day(kToday), day(kToday));
        QCOMPARE(transfers.size(), size_t(1));
        QCOMPARE(transfers[0]->ID, vnkBoth);
        QCOMPARE(ShopFixture::Call("/delete-vnk.php", {{"id", num(vnkBoth)}}).status, 403);
        QCOMPARE(ShopFixture::Call("/delete-vnk.php", {{"id", num(vnkHidden)}}).status, 403);

        // Money operations have rights of their own; the administrator needs none.
        QCOMPARE(ShopFixture::Call("/list-money-json.php",
                                   {{"find_win", ""}, {"dat_begin", "2024-01-01"}, {"dat_end", "2024-12-31"}})
                     .status,
                 403);
        shop.SignInAdmin();
        QCOMPARE(ShopFixture::Call("/delete-vnk.php", {{"id", num(vnkHidden)}}).status, 200);
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header(lockedDoc, ids.main)).status, 200);
    }

    // The stock that comes with a line list or one line is of the document's own stores only
    // (either store of a transfer), for every kind, so that nobody reads the stock of a store
    // barred to him through a document he may open.
    void lineListsShowOnlyTheDocumentsStores() {
        QVERIFY(shop.Receipt(ids.main, {{ids.sugar, 10, 50}}));
        struct Kind {
            QString stem;
            int doc = 0, line = 0;
        };
        QList<Kind> kinds = {{"prh"}, {"nkl"}, {"invoice"}, {"vnk"}};
        for (Kind& k : kinds) {
            k.doc = shop.Doc(k.stem, ids.main, k.stem == QLatin1String("vnk") ? ids.second : ids.buyer);
            k.line = ShopFixture::AddLine(k.stem, k.doc, {ids.sugar, 1, 50, 80});
            QVERIFY2(k.doc && k.line, qPrintable(k.stem));
        }
        CatalogSeed& seed = shop.Seed();
        for (const int right : {Right::PrhView, Right::NklView, Right::InvoiceView, Right::VnkView})
            seed.Right(ids.account, ids.user, right, 1);
        seed.StoreRight(ids.account, ids.third, ids.user, 0);
        shop.SignInUser();
        const QString denied = QStringLiteral("Доступ запрещен: склад %1 не относится к документу");
        for (const Kind& k : kinds) {
            const bool transfer = k.stem == QLatin1String("vnk");
            const QList<QPair<QList<int>, int>> asked =
                transfer
                    ? QList<QPair<QList<int>, int>>{{{ids.main, ids.second}, 0},
                                                    {{ids.second, ids.main}, 0},
                                                    {{ids.main, ids.third}, ids.third},
                                                    {{ids.third, ids.second}, ids.third},
                                                    {{-1, ids.second}, -1}}
                    : QList<QPair<QList<int>, int>>{
                          {{ids.main}, 0}, {{ids.third}, ids.third}, {{ids.second}, ids.second}, {{-1}, -1}};
            for (const auto& [stores, refused] : asked) {
                Fields stock =
                    transfer ? Fields{{"code_store_i", num(stores[0])}, {"code_store_p", num(stores[1])}}
                             : Fields{{"code_store", num(stores[0])}};
                const QString what = QStringLiteral("%1 %2").arg(k.stem).arg(stores[0]);
                for (const auto& [endpoint, id] :
                     {qMakePair(QStringLiteral("/list-%1-items-with-ost-json.php"), k.doc),
                      qMakePair(QStringLiteral("/list-%1-items-one-with-ost-json.php"), k.line)}) {
                    const ServerReply r =
                        ShopFixture::Call(endpoint.arg(k.stem), Fields{{"id", num(id)}} + stock);
                    QVERIFY2(r.status == (refused ? 403 : 200), qPrintable(what + QLatin1Char(' ') + r.text));
                    if (refused) QCOMPARE(r.text, denied.arg(refused));
                }
            }
        }
    }

    // Read replies are reused until the account's data changes: a write through any server on
    // the database makes every server answer afresh; people of one account get their own replies.
    void repliesFollowEveryWrite() {
        ServerProcess other(shop.Database());
        QVERIFY2(other.Start(), qPrintable(other.Error()));
        const QString here = shop.Server().BaseUrl(), there = other.BaseUrl();
        const Fields journal = {{"find_win", ""},
                                {"dat_begin", kToday.toString(Qt::ISODate)},
                                {"dat_end", kToday.toString(Qt::ISODate)}};
        const auto list = [&](const QString& server) {
            return ShopFixture::CallAt(server, "/list-nkl-json.php", journal).text;
        };
        const int first = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer);
        const QString before = list(here);
        QVERIFY(before.contains(QStringLiteral("\"id\":%1").arg(first)));
        QCOMPARE(list(here), before);

        // Changed behind the service's back, without a new data version: the reply is reused.
        shop.Row("UPDATE docs SET prim = 'тайком' WHERE account_id = ?", {ids.account});
        QCOMPARE(list(here), before);
        shop.Seed().touch(ids.account);
        QVERIFY(list(here).contains(QStringLiteral("тайком")));

        // A write through the other server.
        const ServerReply made = ShopFixture::CallAt(there, "/insert-nkl.php",
                                                     {{"dat", kToday.toString(Qt::ISODate)},
                                                      {"id_stores", num(ids.second)},
                                                      {"id_klients", "0"},
                                                      {"prim_win", "через другой сервер"}});
        QCOMPARE(made.status, 200);
        QVERIFY(list(here).contains(QStringLiteral("через другой сервер")));

        // A refused write changes nothing, so the reply stays.
        const QString current = list(here);
        QCOMPARE(ShopFixture::CallAt(there, "/insert-nkl-items.php",
                                     {{"id_z", num(first)},
                                      {"id_goods", num(ids.salt)},
                                      {"kol", "5"},
                                      {"zcen", "0.00"},
                                      {"rcen", "0.00"}})
                     .status,
                 409);
        QCOMPARE(list(here), current);

        // A client that puts its fields before the authentication ones still gets its own reply.
        const auto searchFirst = [&](const QString& find) {
            kovrel::wire::MultipartForm f;
            f.AddField(QStringLiteral("find_win"), find);
            const kovrel::wire::MultipartForm auth = TFormLoad::NewForm();
            for (const auto& field : auth.Fields())
                f.AddField(field.name, field.value);
            f.AddField(QStringLiteral("dat_begin"), kToday.toString(Qt::ISODate));
            f.AddField(QStringLiteral("dat_end"), kToday.toString(Qt::ISODate));
            return PostToServer(QStringLiteral("/list-nkl-json.php"), f).text;
        };
        QVERIFY(searchFirst(QString()).contains(QStringLiteral("через другой сервер")));
        QVERIFY(!searchFirst(QStringLiteral("ромашка")).contains(QStringLiteral("через другой сервер")));

        // The user sees his own list, without the store he may not fully access.
        shop.Seed().Right(ids.account, ids.user, Right::NklView, 1);
        shop.Seed().StoreRight(ids.account, ids.second, ids.user, 2);
        shop.SignInUser();
        const QString users = list(here);
        QVERIFY(!users.contains(QStringLiteral("через другой сервер")));
        shop.SignInAdmin();
        QCOMPARE(list(here), current);
    }

    // A failed password gets nothing; so does a request without one.
    void wrongPasswordGetsNothing() {
        const int nkl = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer);
        Token = QStringLiteral("wrong");
        QCOMPARE(ShopFixture::Call("/delete-nkl.php", {{"id", num(nkl)}}).status, 401);
        shop.SignInAdmin();
        QCOMPARE(shop.Count(QStringLiteral("docs")), 1);
    }

    // A document's sums are its lines' sums, each quantity x price rounded to the kopeck as on
    // its papers: weighed goods make 4,11 + 0,15, not 4,25922.
    void documentSumsAreTheirRoundedLines() {
        QVERIFY(shop.Receipt(ids.main, {{ids.salt, 10, 0.15}}));
        const int sale = shop.Sale(ids.main, {{ids.salt, 0.333, 0.15, 12.34}, {ids.salt, 3, 0.15, 0.05}});
        QVERIFY(sale);
        const QVariantList sums = shop.Row(
            "SELECT zsum, rsum FROM docs WHERE account_id = ? AND kind = 2 AND id = ?", {ids.account, sale});
        QCOMPARE(sums.value(0).toDouble(), 0.5); // 0,04995 + 0,45
        QCOMPARE(sums.value(1).toDouble(), 4.26);
    }
};

QTEST_GUILESS_MAIN(TestServerDocuments)
#include "test_server_documents.moc"
