#include "number_text.h"
#include "rec_bank.h"
#include "rec_doc.h"
#include "rec_doc_item.h"
#include "rec_dolg.h"
#include "rec_dynam.h"
#include "rec_good.h"
#include "rec_klient.h"
#include "rec_money.h"
#include "rec_move_good.h"
#include "rec_move_kl.h"
#include "rec_st.h"
#include "rec_user.h"
#include "record_list.h"
#include "sorted_list.h"

#include <QLocale>
#include <QTest>

using kovrel::EncodeDate;

class TestRecords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newRecordsCarryTheirDefaults() {
        QCOMPARE(TRecKlient().ManagerID, 1); // new counterparties are stored with "no manager"
        QCOMPARE(TRecKlient().TypeKl, 0);
        QCOMPARE(TRecGood().GrCode, 1); // and new goods with the default category
        QCOMPARE(TRecGood().Pack, 1.0);
        QCOMPARE(TRecSt().Pack, 1.0);
        QCOMPARE(TRecDocItem().Pack, 1.0);
        QCOMPARE(TRecDoc().DocDate, 0.0);
        QVERIFY(TRecBank().GBuh.isEmpty());
        QCOMPARE(TRecMoney().DocN, 0);
    }

    void perPackValuesFallBackToQuantityWithoutAPack() {
        TRecGood g;
        g.OstKol = 30;
        QCOMPARE(g.GetPackKol(), 30.0); // fresh record: pack 1
        g.Pack = 12;
        QCOMPARE(g.GetPackKol(), 2.5);
        g.Pack = 0;
        QCOMPARE(g.GetPackKol(), 30.0);

        TRecSt st;
        st.Kol = 7;
        st.Pack = 0;
        QCOMPARE(st.GetPackKol(), 7.0);

        TRecDocItem it;
        it.Kol = 24;
        it.Pack = 12;
        QCOMPARE(it.GetKolPack(), 2.0);
        it.Pack = 0;
        QCOMPARE(it.GetKolPack(), 24.0);
    }

    void averagesOfNothingAreZero() {
        TRecGood g;
        g.ItogZSum = 50;
        QCOMPARE(g.GetZCenAvg(), 0.0);
        g.OstKol = 8;
        g.ItogZSum = 90;
        QCOMPARE(g.GetZCenAvg(), 11.25);

        TRecSt st;
        st.SumZ = 10;
        QCOMPARE(st.GetZCenAvg(), 0.0);
        st.Kol = 4;
        QCOMPARE(st.GetZCenAvg(), 2.5);
        st.SumR = 15;
        QCOMPARE(st.GetNac(), 5.0);
    }

    void stockIsReceivedPlusTransferredInMinusIssued() {
        TRecGood g;
        g.KolPlus = 10;
        g.KolPlusV = 2.5;
        g.KolMinus = 4;
        g.KolMinusV = 1;
        QCOMPARE(g.GetOst(), 7.5);
        g.OstKol = 2;
        g.ZCen = 3.5;
        g.PCen = 5;
        QCOMPARE(g.GetZSum(), 7.0);
        QCOMPARE(g.GetSum(), 10.0);

        TRecDocItem it;
        it.KolPlus = 5;
        it.KolMinus = 1;
        it.PKolPlus = 2;
        it.PKolPlusV = 8;
        it.PKolMinusV = 10;
        QCOMPARE(it.GetOstI(), 4.0);
        QCOMPARE(it.GetOstP(), 0.0);
    }

    // The line's sum is rounded first, then its VAT, halves up; the record reads its doubles as
    // the decimals they were typed as (3 × 0,05 is 0,15 exactly).
    void vatIsContainedInTheRoundedSaleSum() {
        TRecDocItem it;
        it.Kol = 3;
        it.CenR = 100;
        it.ProcNds = 20;
        QCOMPARE(it.GetSumNds(), 50.0);
        QCOMPARE(it.GetSumNotNds(), 250.0);
        QCOMPARE(it.GetCenNotNds(), 83.33);

        it.Kol = 1;
        it.CenR = 0.75;
        QCOMPARE(it.GetSumNds(), 0.13); // 0,125
        QCOMPARE(it.GetSumNotNds(), 0.62);
        QCOMPARE(it.GetCenNotNds(), 0.62);
        it.Kol = 3;
        it.CenR = 0.05;
        it.ProcNds = 22;
        QCOMPARE(it.GetFigures().sum.Kopecks(), 15LL);
        QCOMPARE(it.GetSumNds(), 0.03);

        it.ProcNds = -100; // meaningless rate: no VAT instead of a division by zero
        QCOMPARE(it.GetSumNds(), 0.0);
    }

    void kitComponentsAreLinesWithARowButNoKitFlag() {
        TRecDocItem it;
        QVERIFY(!it.IsItems());
        it.IdRow = 4;
        QVERIFY(it.IsItems());
        it.FlagNorm = 1;
        QVERIFY(!it.IsItems());
    }

    void keys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        TRecKlient kl;
        kl.Name = QStringLiteral("Ромашка");
        kl.ID = 10;
        QTest::newRow("klient") << kl.GetKey() << QStringLiteral("Ромашка=10");

        TRecUser u;
        u.UserName = QStringLiteral("Иванов");
        u.ID = 7;
        QTest::newRow("user") << u.GetKey() << QStringLiteral("Иванов=7");

        TRecBank b;
        b.ID = 1000000;
        QTest::newRow("bank") << b.GetKey() << QStringLiteral("1000000");

        TRecGood g;
        g.Name = QStringLiteral("Гвозди");
        g.ID = 5;
        g.ZCen = 12.5;
        const QString sep = QLocale::system().decimalPoint();
        QTest::newRow("good") << g.GetKey() << QStringLiteral("Гвозди=5");
        QTest::newRow("good by price")
            << g.GetKeyCenZ() << QStringLiteral("Гвозди=5=  12") + sep + QStringLiteral("500");

        TRecMoveGood mg;
        mg.DocDat = EncodeDate(2024, 3, 1) + 0.75;
        mg.DocID = 10;
        mg.ID = 3;
        QTest::newRow("movement") << mg.GetKey() << QStringLiteral("2024-03-01=10=3");

        TRecDolg dl;
        dl.KlientName = QStringLiteral("Альфа");
        dl.KlientID = 12;
        QTest::newRow("debt") << dl.GetKey() << QStringLiteral("Альфа=12");

        TRecMoveKl mk;
        mk.Dat = EncodeDate(2024, 3, 1);
        mk.ID = 7;
        mk.NameDoc = QStringLiteral("Оплата");
        QTest::newRow("settlement") << mk.GetKey() << QStringLiteral("2024-03-01=7=Оплата");

        TRecDoc doc;
        doc.DocDate = EncodeDate(2024, 2, 1);
        doc.ID = 57;
        QTest::newRow("document") << doc.GetKey() << QStringLiteral("000027728=9999943");

        TRecMoney money;
        money.DocDate = EncodeDate(2099, 12, 31);
        money.ID = 1;
        QTest::newRow("money") << money.GetKey() << QStringLiteral("000000001=9999999");

        TRecDocItem kit;
        kit.IdRow = 5;
        kit.FlagNorm = 1;
        kit.Name = QStringLiteral("Набор");
        kit.ID = 12;
        QTest::newRow("kit line") << kit.GetKey() << QStringLiteral("000000005=0=Набор=000000012");
        TRecDocItem part = kit;
        part.FlagNorm = 0;
        QTest::newRow("kit part") << part.GetKey() << QStringLiteral("000000005=1=Набор=000000012");
    }
    void keys() {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(key, expected);
    }

    void documentsSortNewestFirstThenHighestNumber() {
        RecordList<TRecDoc> docs;
        auto add = [&](int id, TDateTime date) {
            auto d = std::make_unique<TRecDoc>();
            d->ID = id;
            d->DocDate = date;
            docs.push_back(std::move(d));
        };
        add(9, EncodeDate(2024, 3, 1));
        add(10, EncodeDate(2024, 3, 1));
        add(3, EncodeDate(2024, 3, 2));
        add(120, EncodeDate(2023, 12, 31));
        TSortedList<TRecDoc> index;
        for (auto& d : docs)
            index.Add(d->GetKey(), d.get());
        QList<int> order;
        for (int i = 0; i < index.Count(); ++i)
            order << index.Objects(i)->ID;
        QCOMPARE(order, (QList<int>{3, 10, 9, 120}));
    }

    void documentLinesGroupByKitWithTheKitLineFirst() {
        RecordList<TRecDocItem> lines;
        auto add = [&](int id, int row, int flag, const char* name) {
            auto it = std::make_unique<TRecDocItem>();
            it->ID = id;
            it->IdRow = row;
            it->FlagNorm = flag;
            it->Name = QString::fromUtf8(name);
            lines.push_back(std::move(it));
        };
        add(1, 2, 0, "Болт");
        add(2, 2, 1, "Набор");
        add(3, 0, 0, "Яблоко");
        add(4, 0, 0, "Арбуз");
        add(5, 2, 0, "Гайка");
        TSortedList<TRecDocItem> index;
        for (auto& l : lines)
            index.Add(l->GetKey(), l.get());
        QList<int> order;
        for (int i = 0; i < index.Count(); ++i)
            order << index.Objects(i)->ID;
        QCOMPARE(order, (QList<int>{4, 3, 2, 1, 5}));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
