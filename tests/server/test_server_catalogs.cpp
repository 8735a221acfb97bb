// Stores, managers, categories, counterparties and requisites on the real kovrel-server with
// its demo data, driven by the client's own catalog operations: what the client sends is what
// the service reads, and what the service answers is what the client's records show.
#include "demo_server.h"
#include "demo_session.h"
#include "form_load.h"
#include "server_request.h"
#include "session.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

using Klients = RecordList<TRecKlient>;

// The catalogs that share the name-and-note form, by what the client calls to use them.
struct NamedCatalog {
    const char* tag;
    int kind; // TypeKl that the client's list stamps
    bool insertSetsId;
    std::function<void(TFormLoad&, Klients&, const QString&)> list;
    std::function<bool(TFormLoad&, TRecKlient&)> insert, update, remove;
};

const QList<NamedCatalog>& namedCatalogs() {
    static const QList<NamedCatalog> all = {
        {"stores", TypeKlKind::Store, false,
         [](TFormLoad& f, Klients& l, const QString& s) { f.SelectStoreList(l, s); },
         [](TFormLoad& f, TRecKlient& r) { return f.InsertStore(r); },
         [](TFormLoad& f, TRecKlient& r) { return f.UpdateStore(r); },
         [](TFormLoad& f, TRecKlient& r) { return f.DeleteStore(r); }},
        {"managers", TypeKlKind::Manager, true,
         [](TFormLoad& f, Klients& l, const QString& s) { f.SelectManagerList(l, s); },
         [](TFormLoad& f, TRecKlient& r) { return f.InsertManager(r); },
         [](TFormLoad& f, TRecKlient& r) { return f.UpdateManager(r); },
         [](TFormLoad& f, TRecKlient& r) { return f.DeleteManager(r); }},
        {"categories", 0, true, [](TFormLoad& f, Klients& l, const QString& s) { f.SelectGroupList(l, s); },
         [](TFormLoad& f, TRecKlient& r) { return f.InsertGroup(r); },
         [](TFormLoad& f, TRecKlient& r) { return f.UpdateGroup(r); },
         [](TFormLoad& f, TRecKlient& r) { return f.DeleteGroup(r); }},
    };
    return all;
}

const NamedCatalog& catalogNamed(const QString& tag) {
    for (const NamedCatalog& c : namedCatalogs())
        if (tag == QLatin1String(c.tag)) return c;
    qFatal("no catalog %s", qPrintable(tag));
}

Klients listOf(const NamedCatalog& c, const QString& filter = {}) {
    return Fetch<Klients>([&](TFormLoad& f, Klients& l) { c.list(f, l, filter); });
}

Klients klients(int kind, const QString& filter = {}) {
    return Fetch<Klients>([&](TFormLoad& f, Klients& l) { f.SelectKlientList(l, filter, kind); });
}

QStringList names(const Klients& l) {
    return TextsOf<TRecKlient>(l, [](const TRecKlient& r) { return r.Name; });
}

// One write on a fresh request object, as every editor makes it.
std::unique_ptr<TRecBank> bank(int id) {
    TFormLoad f;
    return f.SelectBank(id);
}

QStringList bankTexts(const TRecBank& b) {
    return {b.Name,  b.BName, b.Rs,   b.Ks,   b.Bik,  b.Inn, b.Kpp,
            b.Adres, b.Tel,   b.Okpo, b.Ogrn, b.Okpd, b.Dir, b.GBuh};
}

} // namespace

class TestServerCatalogs : public DemoServerTest {
    Q_OBJECT

private Q_SLOTS:
    void namedCatalogsInsertRenameAndDelete_data() {
        QTest::addColumn<QString>("tag");
        for (const NamedCatalog& c : namedCatalogs())
            QTest::newRow(c.tag) << QString::fromLatin1(c.tag);
    }
    void namedCatalogsInsertRenameAndDelete() {
        QFETCH(QString, tag);
        const NamedCatalog& c = catalogNamed(tag);
        const QStringList before = names(listOf(c));
        QVERIFY(!before.isEmpty());

        TRecKlient rec;
        rec.TypeKl = c.kind;
        rec.Name = QStringLiteral("Новый «склад» = №1");
        rec.Prim = QStringLiteral("первая строка\nвторая строка");
        QVERIFY(Write([&](TFormLoad& f) { return c.insert(f, rec); }));
        Klients after = listOf(c);
        const auto stored = FindByName(after, rec.Name);
        QVERIFY(stored);
        QCOMPARE(after.size(), size_t(before.size() + 1));
        QCOMPARE(stored->Prim, QStringLiteral("первая строка\r\nвторая строка"));
        QCOMPARE(stored->TypeKl, c.kind);
        QCOMPARE(stored->FlagDel, 0);
        if (c.insertSetsId) QCOMPARE(rec.ID, stored->ID);

        TRecKlient renamed = *stored;
        renamed.Name = QStringLiteral("Переименованный");
        renamed.Prim.clear();
        QVERIFY(Write([&](TFormLoad& f) { return c.update(f, renamed); }));
        after = listOf(c);
        QVERIFY(!FindByName(after, rec.Name));
        const auto changed = FindByName(after, renamed.Name);
        QVERIFY(changed);
        QCOMPARE(changed->ID, renamed.ID);
        QCOMPARE(changed->Prim, QString());

        // The deletion mark takes the entry out of every list, searches included.
        QVERIFY(Write([&](TFormLoad& f) { return c.remove(f, renamed); }));
        QCOMPARE(names(listOf(c)), before);
        QVERIFY(listOf(c, QStringLiteral("переименованный")).empty());
    }

    // The client upper-cases the filter; the service finds it anywhere in the name, Cyrillic
    // letters and the characters that SQL patterns treat specially included.
    void searchesMatchAnywhereInAnyLetterCase() {
        const NamedCatalog& stores = catalogNamed(QStringLiteral("stores"));
        for (const QString& name : {QStringLiteral("Ёлочный базар"), QStringLiteral("Скидка 50%"),
                                    QStringLiteral("Склад_2"), QStringLiteral("Склад!")}) {
            TRecKlient r;
            r.Name = name;
            QVERIFY(Write([&](TFormLoad& f) { return f.InsertStore(r); }));
        }
        const auto found = [&](const QString& filter) { return names(listOf(stores, filter)); };
        QCOMPARE(found(QStringLiteral("промыш")), QStringList{QStringLiteral("Склад на Промышленной")});
        QCOMPARE(found(QStringLiteral("магазин на")),
                 QStringList({QStringLiteral("Магазин на Ленина"), QStringLiteral("Магазин на Садовой")}));
        QCOMPARE(found(QStringLiteral("ёлоч")), QStringList{QStringLiteral("Ёлочный базар")});
        QCOMPARE(found(QStringLiteral("0%")), QStringList{QStringLiteral("Скидка 50%")});
        QCOMPARE(found(QStringLiteral("д_")), QStringList{QStringLiteral("Склад_2")});
        QCOMPARE(found(QStringLiteral("!")), QStringList{QStringLiteral("Склад!")});
        QCOMPARE(found(QStringLiteral("нет такого")), QStringList());
        QCOMPARE(found(QString()).size(), 8);

        QCOMPARE(names(listOf(catalogNamed(QStringLiteral("managers")), QStringLiteral("анна"))),
                 QStringList{QStringLiteral("Петрова Анна Викторовна")});
        QCOMPARE(names(listOf(catalogNamed(QStringLiteral("categories")), QStringLiteral("хим"))),
                 QStringList{QStringLiteral("Бытовая химия")});
        QCOMPARE(names(klients(TypeKlKind::Klient, QStringLiteral("заречье"))),
                 QStringList{QStringLiteral("Молочный комбинат Заречье")});
        QCOMPARE(names(klients(TypeKlKind::Overhead, QStringLiteral("интернет"))),
                 QStringList{QStringLiteral("Связь и интернет")});
        // A filter matches only within the kind asked for.
        QCOMPARE(names(klients(TypeKlKind::Account, QStringLiteral("интернет"))), QStringList());
    }

    // Manager 1 stands for "no manager": never listed, never changed, but a valid choice.
    void theNoManagerEntry() {
        const Klients managers = listOf(catalogNamed(QStringLiteral("managers")));
        QCOMPARE(managers.size(), size_t(3));
        for (const auto& m : managers)
            QVERIFY(m->ID != 1);
        TRecKlient none;
        none.ID = 1;
        none.Name = QStringLiteral("Захвачен");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateManager(none); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.DeleteManager(none); }));

        TRecKlient buyer;
        buyer.TypeKl = TypeKlKind::Klient;
        buyer.Name = QStringLiteral("Без менеджера");
        QCOMPARE(buyer.ManagerID, 1);
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertKlient(buyer); }));
        const auto stored = FindByName(klients(TypeKlKind::Klient), buyer.Name);
        QVERIFY(stored);
        QCOMPARE(stored->ManagerID, 1);
        QCOMPARE(stored->ManagerName, QStringLiteral("-"));
    }

    void counterpartiesByKindWithTheirManagers() {
        const QList<std::pair<int, size_t>> counts = {{TypeKlKind::Klient, 12},
                                                      {TypeKlKind::Account, 5},
                                                      {TypeKlKind::Overhead, 7},
                                                      {TypeKlKind::Investment, 4}};
        for (const auto& [kind, count] : counts) {
            const Klients l = klients(kind);
            QCOMPARE(l.size(), count);
            for (const auto& k : l) {
                QCOMPARE(k->TypeKl, kind);
                QVERIFY(k->m1_sum >= 0 && k->m2_sum >= 0 && k->nkl_sum >= 0 && k->prh_sum >= 0);
            }
        }
        const Klients managers = listOf(catalogNamed(QStringLiteral("managers")));
        const auto petrova = FindByName(managers, QStringLiteral("Петрова Анна Викторовна"));
        QVERIFY(petrova);

        // A new overhead item: its ID comes back, and it is listed under its kind only.
        TRecKlient item;
        item.TypeKl = TypeKlKind::Overhead;
        item.Name = QStringLiteral("Охрана");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertKlient(item); }));
        QVERIFY(item.ID > 1);
        QCOMPARE(FindByName(klients(TypeKlKind::Overhead), item.Name)->ID, item.ID);
        QVERIFY(!FindByName(klients(TypeKlKind::Klient), item.Name));

        // A buyer gets a manager, changes it, and loses it again.
        TRecKlient buyer;
        buyer.TypeKl = TypeKlKind::Klient;
        buyer.Name = QStringLiteral("ООО «Новый покупатель»");
        buyer.ManagerID = petrova->ID;
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertKlient(buyer); }));
        const auto storedBuyer = [&] { return *FindByName(klients(TypeKlKind::Klient), buyer.Name); };
        QCOMPARE(storedBuyer().ManagerName, petrova->Name);
        QCOMPARE(storedBuyer().ManagerID, petrova->ID);
        buyer.ManagerID = 1;
        buyer.Prim = QStringLiteral("оптовик");
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateKlient(buyer); }));
        QCOMPARE(storedBuyer().ManagerID, 1);
        QCOMPARE(storedBuyer().Prim, QStringLiteral("оптовик"));

        // A manager that is not one (a store, an unknown ID) is refused and nothing changes.
        for (int wrong : {2, 9999}) {
            TRecKlient bad = storedBuyer();
            bad.Name = QStringLiteral("Испорчен");
            bad.ManagerID = wrong;
            QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateKlient(bad); }));
            TRecKlient badNew = bad;
            badNew.ID = 0;
            QVERIFY(!Write([&](TFormLoad& f) { return f.InsertKlient(badNew); }));
        }
        QCOMPARE(storedBuyer().ManagerID, 1);
        QVERIFY(klients(TypeKlKind::Klient, QStringLiteral("испорчен")).empty());

        // Stores and managers are not counterparties: neither listed nor made nor changed here.
        TFormLoad asStores;
        Klients none;
        asStores.SelectKlientList(none, QString(), TypeKlKind::Store);
        QVERIFY(none.empty());
        QVERIFY(asStores.MemoInfo.join(QLatin1Char('\n')).contains(QStringLiteral("400")));
        TRecKlient store;
        store.TypeKl = TypeKlKind::Store;
        store.Name = QStringLiteral("Склад в обход права");
        QVERIFY(!Write([&](TFormLoad& f) { return f.InsertKlient(store); }));
        TRecKlient mainStore =
            *FindByName(listOf(catalogNamed(QStringLiteral("stores"))), QStringLiteral("Основной склад"));
        mainStore.Name = QStringLiteral("Переименован в обход права");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateKlient(mainStore); }));
        QCOMPARE(listOf(catalogNamed(QStringLiteral("stores")), QStringLiteral("обход")).size(), size_t(0));

        // Deletion.
        QVERIFY(Write([&](TFormLoad& f) { return f.DeleteKlient(item); }));
        QVERIFY(!FindByName(klients(TypeKlKind::Overhead), item.Name));
    }

    void requisitesOfCounterpartiesAndTheOwnOrganization() {
        const auto org = bank(kOrganizationID);
        QCOMPARE(org->ID, kOrganizationID);
        QVERIFY(org->Name.contains(QStringLiteral("Ковчег-Трейд")));
        QCOMPARE(org->Inn.size(), 10);
        QCOMPARE(org->Rs.size(), 20);

        // A new buyer without requisites reads as its ID with empty texts, as the editor expects.
        TRecKlient buyer;
        buyer.TypeKl = TypeKlKind::Klient;
        buyer.Name = QStringLiteral("Реквизиты");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertKlient(buyer); }));
        const auto empty = bank(buyer.ID);
        QCOMPARE(empty->ID, buyer.ID);
        QCOMPARE(bankTexts(*empty).join(QString()), QString());

        TRecBank b;
        b.ID = buyer.ID;
        const QStringList texts = {QStringLiteral("ООО «Реквизиты = Всё»"),
                                   QStringLiteral("Банк"),
                                   QStringLiteral("40702810900000000001"),
                                   QStringLiteral("30101810400000000225"),
                                   QStringLiteral("044525225"),
                                   QStringLiteral("7701234567"),
                                   QStringLiteral("770101001"),
                                   QStringLiteral("г. Москва,\nул. Тверская, 1"),
                                   QStringLiteral("+7 495 000-00-00"),
                                   QStringLiteral("12345678"),
                                   QStringLiteral("1027700000000"),
                                   QStringLiteral("46.39"),
                                   QStringLiteral("Иванов И.И."),
                                   QStringLiteral("Петрова П.П.")};
        std::tie(b.Name, b.BName, b.Rs, b.Ks, b.Bik, b.Inn, b.Kpp, b.Adres, b.Tel, b.Okpo, b.Ogrn, b.Okpd,
                 b.Dir, b.GBuh) =
            std::tuple(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7],
                       texts[8], texts[9], texts[10], texts[11], texts[12], texts[13]);
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateBank(b); }));
        QStringList expected = texts;
        expected[7] = QStringLiteral("г. Москва,\r\nул. Тверская, 1");
        QCOMPARE(bankTexts(*bank(buyer.ID)), expected);

        // A second save replaces the first, it does not add to it.
        b.Dir = QStringLiteral("Сидоров С.С.");
        b.Tel.clear();
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateBank(b); }));
        const auto replaced = bank(buyer.ID);
        QCOMPARE(replaced->Dir, QStringLiteral("Сидоров С.С."));
        QCOMPARE(replaced->Tel, QString());
        QCOMPARE(replaced->Name, texts[0]);

        // Requisites belong to counterparties and the own organization, not to stores.
        TRecBank storeBank;
        storeBank.ID =
            FindByName(listOf(catalogNamed(QStringLiteral("stores"))), QStringLiteral("Основной склад"))->ID;
        storeBank.Name = QStringLiteral("Склад с реквизитами");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateBank(storeBank); }));
        QCOMPARE(bank(storeBank.ID)->Name, QString());
    }

    // The participant ID is kept beside the requisites by a write of its own, which a
    // requisites save leaves alone. The demo organization and every buyer or supplier with
    // requisites has one; sole traders have a person's taxpayer number and no КПП.
    void participantIdsBesideTheRequisites() {
        const auto org = bank(kOrganizationID);
        QCOMPARE(org->EdoID, QStringLiteral("2BM-") + org->Inn + QLatin1Char('-') + org->Kpp);
        int withIds = 0;
        for (const auto& k : klients(TypeKlKind::Klient)) {
            const auto b = bank(k->ID);
            if (b->Name.isEmpty()) {
                QCOMPARE(k->Name, QStringLiteral("Столовая Домашняя"));
                QCOMPARE(b->EdoID, QString());
                continue;
            }
            ++withIds;
            const bool soleTrader = k->Name.startsWith(QStringLiteral("ИП "));
            QCOMPARE(b->Inn.size(), soleTrader ? 12 : 10);
            QCOMPARE(b->Kpp.isEmpty(), soleTrader);
            QVERIFY2(b->EdoID.startsWith(QStringLiteral("2BM-") + b->Inn), qPrintable(b->EdoID));
            if (soleTrader)
                QVERIFY2(QRegularExpression(QStringLiteral("^\\d{15}$")).match(b->Ogrn).hasMatch(),
                         qPrintable(b->Ogrn));
        }
        QCOMPARE(withIds, 11);

        TRecKlient buyer;
        buyer.TypeKl = TypeKlKind::Klient;
        buyer.Name = QStringLiteral("Участник ЭДО");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertKlient(buyer); }));
        QVERIFY(
            Write([&](TFormLoad& f) { return f.UpdateEdoID(buyer.ID, QStringLiteral(" 2AL-5001012345 ")); }));
        auto stored = bank(buyer.ID);
        QCOMPARE(stored->EdoID, QStringLiteral("2AL-5001012345"));
        QCOMPARE(bankTexts(*stored).join(QString()), QString());
        stored->Name = QStringLiteral("ООО «Участник»");
        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateBank(*stored); }));
        QCOMPARE(bank(buyer.ID)->EdoID, QStringLiteral("2AL-5001012345"));
        QCOMPARE(bank(buyer.ID)->Name, QStringLiteral("ООО «Участник»"));

        // Characters a file name cannot carry, and entries that are no counterparty, are refused.
        for (const QString& bad :
             {QStringLiteral("2AL_5001"), QStringLiteral("2AL"), QStringLiteral("2АЛ-5001")})
            QVERIFY2(!Write([&](TFormLoad& f) { return f.UpdateEdoID(buyer.ID, bad); }), qPrintable(bad));
        const int store =
            FindByName(listOf(catalogNamed(QStringLiteral("stores"))), QStringLiteral("Основной склад"))->ID;
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateEdoID(store, QStringLiteral("2AL-1234")); }));
        QCOMPARE(bank(store)->EdoID, QString());
        QCOMPARE(bank(buyer.ID)->EdoID, QStringLiteral("2AL-5001012345"));

        QVERIFY(Write([&](TFormLoad& f) { return f.UpdateEdoID(buyer.ID, QString()); }));
        QCOMPARE(bank(buyer.ID)->EdoID, QString());
        QCOMPARE(bank(buyer.ID)->Name, QStringLiteral("ООО «Участник»"));
    }

    // Another account's IDs are neither shown nor changed: per-account numbering makes the
    // same numbers name other entries there, or none.
    void accountsAreIsolated() {
        const QString other = QStringLiteral("other@shop.ru");
        const QString password = NewAccountPassword(Demo().Server(), other);
        QVERIFY(!password.isEmpty());
        const Klients demoStores = listOf(catalogNamed(QStringLiteral("stores")));
        const TRecKlient demoBuyer = *FindByName(klients(TypeKlKind::Klient), QStringLiteral("Восход ТД"));
        const auto demoBank = bank(demoBuyer.ID);
        QVERIFY(!demoBank->Inn.isEmpty());

        UseSession(other, QString(), password);
        QVERIFY(listOf(catalogNamed(QStringLiteral("stores"))).empty());
        QVERIFY(listOf(catalogNamed(QStringLiteral("managers"))).empty());
        QCOMPARE(names(listOf(catalogNamed(QStringLiteral("categories")))),
                 QStringList{QStringLiteral("Основная группа")});
        for (int kind = 1; kind <= 4; ++kind)
            QVERIFY(klients(kind).empty());
        QCOMPARE(bankTexts(*bank(demoBuyer.ID)).join(QString()), QString());
        QCOMPARE(bankTexts(*bank(kOrganizationID)).join(QString()), QString());

        TRecKlient store = *demoStores.front();
        store.Name = QStringLiteral("Чужой");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateStore(store); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.DeleteStore(store); }));
        TRecKlient buyer = demoBuyer;
        buyer.Name = QStringLiteral("Чужой");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateKlient(buyer); }));
        QVERIFY(!Write([&](TFormLoad& f) { return f.DeleteKlient(buyer); }));
        TRecBank b;
        b.ID = demoBuyer.ID;
        b.Name = QStringLiteral("Чужой");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateBank(b); }));
        TRecKlient category;
        category.ID = 5;
        category.Name = QStringLiteral("Чужой");
        QVERIFY(!Write([&](TFormLoad& f) { return f.UpdateGroup(category); }));

        // The other account's own entries are numbered on their own.
        TRecKlient own;
        own.TypeKl = TypeKlKind::Klient;
        own.Name = QStringLiteral("Свой покупатель");
        QVERIFY(Write([&](TFormLoad& f) { return f.InsertKlient(own); }));
        QCOMPARE(own.ID, 2);

        UseDemoAdmin();
        QCOMPARE(names(listOf(catalogNamed(QStringLiteral("stores")))), names(demoStores));
        QCOMPARE(bankTexts(*bank(demoBuyer.ID)), bankTexts(*demoBank));
        QCOMPARE(FindByName(klients(TypeKlKind::Klient), QStringLiteral("Восход ТД"))->ID, demoBuyer.ID);
        QVERIFY(klients(TypeKlKind::Klient, QStringLiteral("свой")).empty());
        QVERIFY(listOf(catalogNamed(QStringLiteral("categories")), QStringLiteral("чужой")).empty());
    }

    // The limited user reads every catalog but writes one only with its right: 5004 stores,
    // 5003 counterparties, managers and requisites, 5001 categories. Each refused write leaves
    // nothing behind; the right alone opens its own catalogs and no other.
    void writesNeedTheirRight_data() {
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("tag");
        QTest::newRow("stores") << 5004 << "stores";
        QTest::newRow("managers") << 5003 << "managers";
        QTest::newRow("categories") << 5001 << "categories";
    }
    void writesNeedTheirRight() {
        QFETCH(int, right);
        QFETCH(QString, tag);
        const NamedCatalog& c = catalogNamed(tag);
        const QStringList before = names(listOf(c));
        const auto tryAll = [&](const QString& name) {
            Klients current = listOf(c);
            TRecKlient existing = *current.front();
            TRecKlient fresh;
            fresh.TypeKl = c.kind;
            fresh.Name = name;
            existing.Name = name + QStringLiteral(" 2");
            const bool inserted = Write([&](TFormLoad& f) { return c.insert(f, fresh); });
            const bool updated = Write([&](TFormLoad& f) { return c.update(f, existing); });
            const bool deleted = Write([&](TFormLoad& f) { return c.remove(f, existing); });
            return QList<bool>{inserted, updated, deleted};
        };

        UseDemoUser();
        QCOMPARE(names(listOf(c)), before);
        QCOMPARE(tryAll(QStringLiteral("Без права")), QList<bool>({false, false, false}));
        for (int otherRight : {5001, 5003, 5004})
            if (otherRight != right) QVERIFY(SetDemoUserRights({{otherRight, 1}}));
        UseDemoUser();
        QCOMPARE(tryAll(QStringLiteral("С чужим правом")), QList<bool>({false, false, false}));
        UseDemoAdmin();
        QCOMPARE(names(listOf(c)), before);

        QVERIFY(SetDemoUserRights({{right, 1}}));
        UseDemoUser();
        QCOMPARE(tryAll(QStringLiteral("С правом")), QList<bool>({true, true, true}));
        UseDemoAdmin();
        QVERIFY(FindByName(listOf(c), QStringLiteral("С правом")));
        QCOMPARE(listOf(c).size(), size_t(before.size()));
    }

    void counterpartyWritesNeedRight5003() {
        TRecKlient buyer = *FindByName(klients(TypeKlKind::Klient), QStringLiteral("Кафе Уют"));
        TRecBank b = *bank(buyer.ID);
        TRecBank org = *bank(kOrganizationID);
        const auto tryAll = [&] {
            TRecKlient fresh;
            fresh.TypeKl = TypeKlKind::Account;
            fresh.Name = QStringLiteral("Касса пользователя");
            TRecKlient changed = buyer;
            changed.Prim = QStringLiteral("изменено пользователем");
            b.Tel = QStringLiteral("+7 000");
            org.Rs = QStringLiteral("40702810000000000000");
            return QList<bool>{Write([&](TFormLoad& f) { return f.InsertKlient(fresh); }),
                               Write([&](TFormLoad& f) { return f.UpdateKlient(changed); }),
                               Write([&](TFormLoad& f) { return f.UpdateBank(b); }),
                               Write([&](TFormLoad& f) { return f.UpdateBank(org); }),
                               Write([&](TFormLoad& f) {
                                   return f.UpdateEdoID(kOrganizationID, QStringLiteral("2BM-0000000001"));
                               }),
                               Write([&](TFormLoad& f) { return f.DeleteKlient(changed); })};
        };
        const auto bankBefore = bankTexts(*bank(buyer.ID));
        const auto orgBefore = bankTexts(*bank(kOrganizationID)) << bank(kOrganizationID)->EdoID;
        UseDemoUser();
        QCOMPARE(klients(TypeKlKind::Klient).size(), size_t(12));
        QCOMPARE(bank(kOrganizationID)->Inn, org.Inn);
        QCOMPARE(tryAll(), QList<bool>({false, false, false, false, false, false}));
        UseDemoAdmin();
        QCOMPARE(bankTexts(*bank(buyer.ID)), bankBefore);
        QCOMPARE(bankTexts(*bank(kOrganizationID)) << bank(kOrganizationID)->EdoID, orgBefore);
        QCOMPARE(klients(TypeKlKind::Account).size(), size_t(5));

        QVERIFY(SetDemoUserRights({{5003, 1}}));
        UseDemoUser();
        QCOMPARE(tryAll(), QList<bool>({true, true, true, true, true, true}));
        QCOMPARE(bank(kOrganizationID)->Rs, QStringLiteral("40702810000000000000"));
        QCOMPARE(bank(kOrganizationID)->EdoID, QStringLiteral("2BM-0000000001"));
        QVERIFY(!FindByName(klients(TypeKlKind::Klient), buyer.Name));
    }

    // A name with NUL or another control character is refused wherever an entry gets a name,
    // and the entry keeps the one it had.
    void namesBlankOrWithControlCharactersAreRefused() {
        const int store = StoreId(QStringLiteral("Основной склад"));
        const int buyer = FindByName(klients(TypeKlKind::Klient), QStringLiteral("Кафе Уют"))->ID;
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const ServerReply receipt =
            PostToServer(QStringLiteral("/insert-prh.php"),
                         WithFields(TFormLoad::NewForm(), {{"dat", today},
                                                           {"id_stores", QString::number(store)},
                                                           {"id_klients", "0"},
                                                           {"prim_win", ""}}));
        QCOMPARE(receipt.status, 200);
        struct Write {
            QString endpoint, field;
            QList<QPair<QString, QString>> fields;
        };
        // One write of each kind of entry that gets a name.
        const QList<Write> writes = {
            {"/insert-store.php", "name_win", {{"prim_win", ""}}},
            {"/update-grname.php", "name_win", {{"id", "1"}, {"prim_win", ""}}},
            {"/update-klient.php",
             "name_win",
             {{"id", QString::number(buyer)}, {"type_kl", "1"}, {"prim_win", ""}, {"id_manager", "1"}}},
            {"/insert-good.php",
             "name_win",
             {{"prim_win", ""},
              {"code_win", ""},
              {"barcode_win", ""},
              {"pack", "1"},
              {"pcen", "1"},
              {"nds", "0"},
              {"gg_code", "1"}}},
            {"/insert-user.php", "user_name_win", {{"user_dop_login_win", "new@kovrel.local"}}},
            {"/insert-prh-excel-win.php",
             "list[0][name_win]",
             {{"id", receipt.text},
              {"list[0][find_id]", "0"},
              {"list[0][code_win]", ""},
              {"list[0][barcode_win]", ""},
              {"list[0][pcen]", "1"},
              {"list[0][zcen]", "1"},
              {"list[0][kol]", "1"}}},
        };
        const QString control =
            QStringLiteral("Поле %1: наименование не может содержать управляющие символы");
        const QString blank = QStringLiteral("Поле %1: наименование не может быть пустым");
        const QList<QPair<QString, QString>> names = {{QStringLiteral("Склад") + QChar(0), control},
                                                      {QStringLiteral("\x1b[2J"), control},
                                                      {QString(), blank},
                                                      {QStringLiteral(" \u00a0 "), blank}};
        for (const Write& w : writes) {
            for (const auto& [name, reason] : names) {
                const ServerReply r = PostToServer(
                    w.endpoint, WithFields(TFormLoad::NewForm(),
                                           w.fields + QList<QPair<QString, QString>>{{w.field, name}}));
                QVERIFY2(r.status == 400, qPrintable(w.endpoint + QLatin1Char(' ') + r.text));
                QCOMPARE(r.text, (w.field.startsWith(QLatin1String("list")) ? QStringLiteral("Строка 1: ")
                                                                            : QString()) +
                                     reason.arg(w.field));
            }
        }
        QVERIFY(FindByName(listOf(catalogNamed(QStringLiteral("stores"))), QStringLiteral("Основной склад")));
        QVERIFY(FindByName(klients(TypeKlKind::Klient), QStringLiteral("Кафе Уют")));
    }

    // Every paper and the e-invoice carry a goods name of up to 2 000 characters and a party's
    // name or address of up to 1 000 (the tax service's schema): longer ones are refused, naming
    // the field, and the longest are taken.
    void textsLongerThanPapersCarryAreRefused() {
        const int buyer = FindByName(klients(TypeKlKind::Klient), QStringLiteral("Кафе Уют"))->ID;
        const QList<QPair<QString, QString>> good = {{"prim_win", ""}, {"code_win", ""}, {"barcode_win", ""},
                                                     {"pack", "1"},    {"pcen", "1"},    {"nds", "0"},
                                                     {"gg_code", "1"}};
        QList<QPair<QString, QString>> bank = {{"id", QString::number(buyer)}};
        for (const char* f : {"bname_win", "rs_win", "ks_win", "bik_win", "inn_win", "kpp_win", "tel_win",
                              "okpo_win", "ogrn_win", "okpd_win", "dir_win", "gbuh_win"})
            bank.append({QLatin1String(f), QString()});
        struct Write {
            QString endpoint, field;
            int longest;
            QList<QPair<QString, QString>> fields;
        };
        const QList<Write> writes = {
            {"/insert-good.php", "name_win", 2000, good},
            {"/update-klient.php",
             "name_win",
             1000,
             {{"id", QString::number(buyer)}, {"type_kl", "1"}, {"prim_win", ""}, {"id_manager", "1"}}},
            {"/update-bank.php", "name_win", 1000,
             bank + QList<QPair<QString, QString>>{{"adres_win", "Адрес"}}},
            {"/update-bank.php", "adres_win", 1000,
             bank + QList<QPair<QString, QString>>{{"name_win", "Имя"}}},
        };
        for (const Write& w : writes) {
            const auto post = [&](int length) {
                return PostToServer(w.endpoint,
                                    WithFields(TFormLoad::NewForm(),
                                               w.fields + QList<QPair<QString, QString>>{
                                                              {w.field, QString(length, QChar(0x0416))}}));
            };
            const ServerReply tooLong = post(w.longest + 1);
            QCOMPARE(tooLong.status, 400);
            QCOMPARE(tooLong.text, QStringLiteral("Поле %1: не более %2 символов")
                                       .arg(w.field, w.longest == 2000 ? QStringLiteral("2 000")
                                                                       : QStringLiteral("1 000")));
            QVERIFY2(post(w.longest).status == 200, qPrintable(w.endpoint + QLatin1Char(' ') + w.field));
        }
        QCOMPARE(FindByName(klients(TypeKlKind::Klient), QString(1000, QChar(0x0416)))->ID, buyer);
        QCOMPARE(PostToServer(QStringLiteral("/update-klient.php"),
                              WithFields(TFormLoad::NewForm(), {{"id", QString::number(buyer)},
                                                                {"type_kl", "1"},
                                                                {"prim_win", ""},
                                                                {"id_manager", "1"},
                                                                {"name_win", "Кафе Уют"}}))
                     .status,
                 200);
    }

    void wrongPasswordsGetNothing() {
        const size_t stores = listOf(catalogNamed(QStringLiteral("stores"))).size();
        for (const auto& [dopLogin, token] : QList<std::pair<QString, QString>>{
                 {QString(), QStringLiteral("wrong")},
                 {QStringLiteral("kassa@kovrel.local"), QStringLiteral("demo2024")},
                 {QStringLiteral("nobody@kovrel.local"), QStringLiteral("kassa2024")}}) {
            UseSession(QStringLiteral("demo@kovrel.local"), dopLogin, token);
            TFormLoad f;
            Klients l;
            f.SelectStoreList(l, QString());
            QVERIFY(l.empty());
            QVERIFY(f.MemoInfo.join(QLatin1Char('\n')).contains(QStringLiteral("401")));
            QCOMPARE(bankTexts(*bank(kOrganizationID)).join(QString()), QString());
            TRecKlient r;
            r.Name = QStringLiteral("Взлом");
            QVERIFY(!Write([&](TFormLoad& w) { return w.InsertStore(r); }));
        }
        UseDemoAdmin();
        QCOMPARE(listOf(catalogNamed(QStringLiteral("stores"))).size(), stores);
    }
};

QTEST_GUILESS_MAIN(TestServerCatalogs)
#include "test_server_catalogs.moc"
