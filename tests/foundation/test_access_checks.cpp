#include "access_checks.h"
#include "date_time.h"
#include "right_codes.h"
#include "scripted_interaction.h"
#include "session.h"
#include "sorted_list.h"

#include <QTest>

namespace {

void setRight(int code, int value) {
    auto r = std::make_unique<TRecUserRights>();
    r->idRight = code;
    r->ur = value;
    UserRights.AddOwned(QString::number(code), std::move(r));
}

void setStore(int store, int level) {
    auto r = std::make_unique<TRecStoreRights>();
    r->idStore = store;
    r->ur = level;
    StoreRights.AddOwned(QString::number(store), std::move(r));
}

struct Counted {
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};

} // namespace

class TestAccessChecks : public QObject {
    Q_OBJECT

    ScriptedInteraction::State* ui = nullptr;

private Q_SLOTS:
    void init() {
        ui = &ScriptedInteraction::Install();
        SignInState = TSignInRec();
        UserRights.Clear();
        StoreRights.Clear();
    }

    void emptyListsRefuseRightsButGrantLocksAndStores() {
        QVERIFY(!CheckRight(Right::PrhFull, false));
        QVERIFY(!CheckNotDenied(Right::PrhNoDelete, false));
        QVERIFY(CheckDocAge(Right::PrhLock, false, kovrel::EncodeDate(2000, 1, 1)));
        QVERIFY(CheckStoreFull(5, false));
        QVERIFY(CheckStoreView(5, false));
        QVERIFY(ui->infos.isEmpty());
    }

    void refusalShowsTheMessageOnlyWhenAsked() {
        QVERIFY(!CheckRight(Right::Goods, true));
        QCOMPARE(ui->infos, QStringList{QStringLiteral("Доступ запрещен. ")});
        QVERIFY(!CheckRight(Right::Goods, false));
        QCOMPARE(ui->infos.size(), 1);
    }

    void administratorMayDoEverything() {
        SignInState.flagAdmin = 1;
        setRight(Right::PrhFull, 0);
        setRight(Right::PrhNoDelete, 1);
        setRight(Right::PrhLock, 1);
        setStore(5, 0);
        QVERIFY(CheckRight(Right::PrhFull, true));
        QVERIFY(CheckNotDenied(Right::PrhNoDelete, true));
        QVERIFY(CheckDocAge(Right::PrhLock, true, kovrel::EncodeDate(2000, 1, 1)));
        QVERIFY(CheckStoreFull(5, true));
        QVERIFY(CheckStoreView(5, true));
        QVERIFY(ui->infos.isEmpty());
    }

    void rightsAndProhibitionsByValue() {
        setRight(Right::PrhFull, 1);
        setRight(Right::NklFull, 0);
        setRight(Right::PrhNoDelete, 0);
        setRight(Right::NklNoDelete, 1);
        QVERIFY(CheckRight(Right::PrhFull, false));
        QVERIFY(!CheckRight(Right::NklFull, false));
        QVERIFY(CheckNotDenied(Right::PrhNoDelete, false)); // 0: deletion allowed
        QVERIFY(!CheckNotDenied(Right::NklNoDelete, false));
        QVERIFY(!CheckNotDenied(Right::InvoiceNoDelete, false)); // no entry: refused
    }

    void daysLockCountsWholeDays() {
        setRight(Right::NklLock, 10);
        const TDateTime now = kovrel::Now();
        QVERIFY(CheckDocAge(Right::NklLock, false, now - 9 - 23.0 / 24));
        QVERIFY(!CheckDocAge(Right::NklLock, false, now - 10));
        QVERIFY(!CheckDocAge(Right::NklLock, false, now - 400));
        QVERIFY(CheckDocAge(Right::InvoiceLock, false, now - 400)); // no entry: no lock
        setRight(Right::MoneyLock, 0);
        QVERIFY(CheckDocAge(Right::MoneyLock, false, now - 4000)); // 0 never locks
    }

    void storeLevels() {
        setStore(1, 1);
        setStore(2, 2);
        setStore(3, 0);
        QVERIFY(CheckStoreFull(1, false));
        QVERIFY(CheckStoreView(1, false));
        QVERIFY(!CheckStoreFull(2, false)); // limited: reports only
        QVERIFY(CheckStoreView(2, false));
        QVERIFY(!CheckStoreFull(3, false));
        QVERIFY(!CheckStoreView(3, false));
        QVERIFY(CheckStoreFull(4, false)); // no entry: full access
    }

    void everyCodeHasItsEditorText() {
        QCOMPARE(AllRightCodes().size(), size_t(36));
        QCOMPARE(QString::fromUtf8(FindRightCode(5006)->text),
                 QStringLiteral("Началные остатки товаров и денег"));
        QCOMPARE(FindRightCode(1004)->kind, RightKind::Prohibition);
        QCOMPARE(FindRightCode(4003)->kind, RightKind::DaysLock);
        QCOMPARE(FindRightCode(5002)->kind, RightKind::ListedOnly);
        QVERIFY(!FindRightCode(9999));
    }

    void sortedListIgnoresCaseAndKeepsTheFirstOfEqualKeys() {
        TSortedList<int> list;
        int a = 1, b = 2, c = 3, d = 4;
        list.Add(QStringLiteral("банан=9"), &a);
        list.Add(QStringLiteral("Банан=10"), &b);
        list.Add(QStringLiteral("БАНАН=9"), &c); // same key as the first, other case
        list.Add(QStringLiteral("абрикос=1"), &d);
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Strings(0), QStringLiteral("абрикос=1"));
        QCOMPARE(*list.Objects(1), 2); // identifier 10 sorts before 9
        QCOMPARE(*list.Objects(2), 1); // the first of the equal keys stayed
        QCOMPARE(list.IndexOf(QStringLiteral("БАНАН=10")), 1);
        QCOMPARE(list.IndexOf(QStringLiteral("банан=1")), -1);
        // Adding after reading merges into the existing order.
        int e = 5;
        list.Add(QStringLiteral("ананас=1"), &e);
        list.Add(QStringLiteral("Абрикос=1"), &e);
        QCOMPARE(list.Count(), 4);
        QCOMPARE(*list.Objects(0), 4); // абрикос before ананас; its upper-case twin was dropped
        QCOMPARE(*list.Objects(1), 5);
    }

    void ownedObjectsAreFreedByClearAndOnDuplicates() {
        {
            TSortedList<Counted> list;
            list.AddOwned(QStringLiteral("a"), std::make_unique<Counted>());
            list.AddOwned(QStringLiteral("A"), std::make_unique<Counted>());
            QCOMPARE(list.Count(), 1);
            QCOMPARE(Counted::alive, 1);
            list.AddOwned(QStringLiteral("b"), std::make_unique<Counted>());
            ClearSortedList(list);
            QCOMPARE(Counted::alive, 0);
            QCOMPARE(list.Count(), 0);
            list.AddOwned(QStringLiteral("c"), std::make_unique<Counted>());
        }
        QCOMPARE(Counted::alive, 0);
    }

    void cleanupTestCase() { ScriptedInteraction::Uninstall(); }
};

QTEST_GUILESS_MAIN(TestAccessChecks)
#include "test_access_checks.moc"
