// The report computations on hand-made record lists: folding and zero removal of the stock
// balance, the two cards' opening balance, order and running balance, structures, period
// labels of the dynamics, and the debts report's groups and signs.
#include "format_settings.h"
#include "report_card.h"
#include "report_debts.h"
#include "report_dynamics.h"
#include "report_stock_balance.h"
#include "report_structure.h"

#include <QTest>

using namespace kovrel::report;
using kovrel::EncodeDate;

namespace {

TRecGood* addStock(RecordList<TRecGood>& L, int idGoods, double zcen, double plus, double minus = 0) {
    auto r = std::make_unique<TRecGood>();
    r->ID = static_cast<int>(L.size()) + 100;
    r->IDGoods = idGoods;
    r->Name = QStringLiteral("Товар %1").arg(idGoods);
    r->ZCen = zcen;
    r->PCen = zcen * 2;
    r->KolPlus = plus;
    r->KolMinus = minus;
    L.push_back(std::move(r));
    return L.back().get();
}

TRecMoveGood* addMove(RecordList<TRecMoveGood>& L, TDateTime dat, int docId, int id, double in, double out) {
    auto r = std::make_unique<TRecMoveGood>();
    r->DocDat = dat;
    r->DocID = docId;
    r->ID = id;
    r->KlientName = QStringLiteral("Ромашка");
    r->KolPrh = in;
    r->KolNkl = out;
    L.push_back(std::move(r));
    return L.back().get();
}

TRecMoveKl* addSettlement(RecordList<TRecMoveKl>& L, TDateTime dat, int id, const QString& name, double p,
                          double r) {
    auto rec = std::make_unique<TRecMoveKl>();
    rec->Dat = dat;
    rec->ID = id;
    rec->NameDoc = name;
    rec->SumP = p;
    rec->SumR = r;
    L.push_back(std::move(rec));
    return L.back().get();
}

void addDolg(RecordList<TRecDolg>& L, int id, const QString& name, int group, double sum) {
    auto r = std::make_unique<TRecDolg>();
    r->KlientID = id;
    r->KlientName = name;
    r->KlientGr = group;
    r->DolgSum = sum;
    L.push_back(std::move(r));
}

TRecDynam* addPeriod(RecordList<TRecDynam>& L, TDateTime date, TDateTime min, TDateTime max) {
    auto r = std::make_unique<TRecDynam>();
    r->DocDate = date;
    r->MinDocDate = min;
    r->MaxDocDate = max;
    L.push_back(std::move(r));
    return L.back().get();
}

} // namespace

class TestReportComputations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { BuildFormatSettings(); }

    // ---- Stock balance ------------------------------------------------------------------

    void stockRowsOfOneItemAtTwoPrices() {
        for (bool zeroIncluded : {false, true}) {
            RecordList<TRecGood> L;
            addStock(L, 15, 10, 3);
            addStock(L, 15, 12, 5);
            const StockBalance shown = ComputeStockBalance(L, true, zeroIncluded);
            QCOMPARE(shown.Rows.size(), size_t(2));
            QCOMPARE(shown.Rows[0].ItogZSum, 30.0);
            QCOMPARE(shown.Rows[1].ItogZSum, 60.0);
            QCOMPARE(shown.Totals.ItogZSum, 90.0);

            RecordList<TRecGood> M;
            TRecGood* first = addStock(M, 15, 10, 3);
            addStock(M, 15, 12, 5);
            const StockBalance folded = ComputeStockBalance(M, false, zeroIncluded);
            QCOMPARE(folded.Rows.size(), size_t(1));
            QCOMPARE(M.size(), size_t(1)); // the folded row left the list
            QCOMPARE(folded.Rows[0].Rec, first);
            QCOMPARE(folded.Rows[0].OstKol, 8.0);
            QCOMPARE(folded.Rows[0].ItogZSum, 90.0);
            QCOMPARE(folded.Rows[0].ZCenAvg, 11.25);
            QCOMPARE(first->ZCen, 10.0); // the surviving row keeps its own price
            QCOMPARE(first->OstKol, 8.0);
        }
    }

    void foldingKeepsServiceOrderAndThenDropsZeros() {
        RecordList<TRecGood> L;
        addStock(L, 1, 5, 10);
        addStock(L, 2, 7, 4);
        addStock(L, 1, 6, 0, 10); // brings item 1 to zero
        addStock(L, 3, 1, 2, 2);  // zero on its own
        addStock(L, 2, 8, 1);
        const StockBalance r = ComputeStockBalance(L, false, false);
        QCOMPARE(r.Rows.size(), size_t(1));
        QCOMPARE(r.Rows[0].Rec->IDGoods, 2);
        QCOMPARE(r.Rows[0].OstKol, 5.0);
        QCOMPARE(r.Rows[0].ItogZSum, 36.0);
        QCOMPARE(L.size(), size_t(1));

        RecordList<TRecGood> M;
        addStock(M, 1, 5, 10);
        addStock(M, 2, 7, 4);
        addStock(M, 1, 6, 0, 10);
        addStock(M, 3, 1, 2, 2);
        const StockBalance kept = ComputeStockBalance(M, false, true);
        QCOMPARE(kept.Rows.size(), size_t(3));
        QCOMPARE(kept.Rows[0].Rec->IDGoods, 1);
        QCOMPARE(kept.Rows[0].OstKol, 0.0);
        QCOMPARE(kept.Rows[0].ItogZSum, -10.0); // 50 in at 5, 60 out at 6
        QCOMPARE(kept.Rows[0].ZCenAvg, 0.0);
        QCOMPARE(kept.Rows[1].Rec->IDGoods, 2);
        QCOMPARE(kept.Rows[2].Rec->IDGoods, 3);
    }

    void zeroBalanceRows() {
        RecordList<TRecGood> L;
        TRecGood* balanced = addStock(L, 1, 4, 7, 3);
        balanced->KolPlusV = 2;
        balanced->KolMinusV = 6;
        addStock(L, 2, 4, 1e-13); // zero within the tolerance
        addStock(L, 3, 4, 1e-11); // not zero
        const StockBalance without = ComputeStockBalance(L, true, false);
        QCOMPARE(without.Rows.size(), size_t(1));
        QCOMPARE(without.Rows[0].Rec->IDGoods, 3);

        RecordList<TRecGood> M;
        TRecGood* b = addStock(M, 1, 4, 7, 3);
        b->KolPlusV = 2;
        b->KolMinusV = 6;
        const StockBalance with = ComputeStockBalance(M, true, true);
        QCOMPARE(with.Rows.size(), size_t(1));
        QCOMPARE(with.Rows[0].OstKol, 0.0);
        QCOMPARE(with.Rows[0].ZCenAvg, 0.0);
        QCOMPARE(with.Rows[0].Sum, 0.0);
    }

    void stockPacksAndTotals() {
        RecordList<TRecGood> L;
        addStock(L, 1, 10, 24)->Pack = 12;
        addStock(L, 2, 3, 5)->Pack = 0; // no pack size: the plain quantity
        addStock(L, 3, 2.5, 3);         // constructor pack 1
        const StockBalance r = ComputeStockBalance(L, true, false);
        QCOMPARE(r.Rows.size(), size_t(3));
        QCOMPARE(r.Rows[0].PackKol, 2.0);
        QCOMPARE(r.Rows[1].PackKol, 5.0);
        QCOMPARE(r.Rows[2].PackKol, 3.0);
        QCOMPARE(r.Rows[0].Sum, 480.0);
        QCOMPARE(r.Totals.OstKol, 32.0);
        QCOMPARE(r.Totals.PackKol, 10.0);
        QCOMPARE(r.Totals.ItogZSum, 240.0 + 15.0 + 7.5);
        QCOMPARE(r.Totals.Sum, 480.0 + 30.0 + 15.0);

        RecordList<TRecGood> none;
        const StockBalance empty = ComputeStockBalance(none, false, false);
        QVERIFY(empty.Rows.empty());
        QCOMPARE(empty.Totals.OstKol, 0.0);
        QCOMPARE(empty.Totals.Sum, 0.0);
    }

    // ---- Cards --------------------------------------------------------------------------

    void movementCardOpeningOrderAndBalance() {
        const TDateTime begin = EncodeDate(2024, 3, 1);
        RecordList<TRecMoveGood> L;
        addMove(L, EncodeDate(2024, 3, 5), 9, 1, 0, 4);
        addMove(L, EncodeDate(2024, 2, 10), 3, 2, 10, 0);       // before the period
        addMove(L, EncodeDate(2024, 3, 5), 10, 3, 6, 0);        // same day: "10" sorts before "9"
        addMove(L, begin, 5, 4, 2, 0);                          // on the begin date: in the period
        addMove(L, EncodeDate(2024, 2, 29) + 0.99, 4, 5, 0, 3); // late on the last day before
        addMove(L, 0, 1, 6, 1, 0);                              // unreadable date: opening
        TSortedList<TRecMoveGood> index;
        const auto card = ComputeMoveGoodCard(L, index, begin);
        QCOMPARE(card.Opening, 8.0);
        QCOMPARE(L.size(), size_t(3)); // rows before the period left the list
        QCOMPARE(card.Rows.size(), size_t(3));
        QCOMPARE(card.Rows[0].Date, begin);
        QCOMPARE(card.Rows[0].Text, QStringLiteral("Ромашка док. № 5"));
        QCOMPARE(card.Rows[0].Balance, 10.0);
        QCOMPARE(card.Rows[1].Text, QStringLiteral("Ромашка док. № 10"));
        QCOMPARE(card.Rows[1].In, 6.0);
        QCOMPARE(card.Rows[1].Out, 0.0);
        QCOMPARE(card.Rows[1].Balance, 16.0);
        QCOMPARE(card.Rows[2].Text, QStringLiteral("Ромашка док. № 9"));
        QCOMPARE(card.Rows[2].Balance, 12.0);
        QCOMPARE(card.TotalIn, 8.0);
        QCOMPARE(card.TotalOut, 4.0);
        QCOMPARE(card.Closing, 12.0);
        QCOMPARE(index.Count(), 3);
        QCOMPARE(index.Objects(0), card.Rows[0].Rec);
    }

    void movementCardDuplicateKeysCountOnce() {
        RecordList<TRecMoveGood> L;
        const TDateTime day = EncodeDate(2024, 3, 5);
        TRecMoveGood* first = addMove(L, day, 41, 7, 5, 0);
        addMove(L, day + 0.5, 41, 7, 100, 0); // same date, DocID and ID
        TSortedList<TRecMoveGood> index;
        const auto card = ComputeMoveGoodCard(L, index, EncodeDate(2024, 3, 1));
        QCOMPARE(card.Rows.size(), size_t(1));
        QCOMPARE(card.Rows[0].Rec, first);
        QCOMPARE(card.TotalIn, 5.0);
        QCOMPARE(card.Closing, 5.0);
        QCOMPARE(L.size(), size_t(2)); // both stay in the list
    }

    void movementCardBeginningAfterEveryRow() {
        RecordList<TRecMoveGood> L;
        addMove(L, EncodeDate(2024, 1, 5), 1, 1, 10, 0);
        addMove(L, EncodeDate(2024, 1, 6), 2, 2, 0, 4);
        TSortedList<TRecMoveGood> index;
        index.Add(QStringLiteral("stale"), nullptr); // left from an earlier run
        const auto card = ComputeMoveGoodCard(L, index, EncodeDate(2024, 3, 1));
        QVERIFY(card.Rows.empty());
        QCOMPARE(index.Count(), 0);
        QCOMPARE(card.Opening, 6.0);
        QCOMPARE(card.Closing, card.Opening);
        QCOMPARE(card.TotalIn, 0.0);
        QCOMPARE(card.TotalOut, 0.0);

        RecordList<TRecMoveGood> none;
        const auto empty = ComputeMoveGoodCard(none, index, EncodeDate(2024, 3, 1));
        QCOMPARE(empty.Opening, 0.0);
        QCOMPARE(empty.Closing, 0.0);
    }

    void settlementCardSidesAndTexts() {
        const TDateTime begin = EncodeDate(2024, 3, 1);
        const QString sale = QStringLiteral("Расходная накладная");
        const QString pay = QStringLiteral("Оплата");
        RecordList<TRecMoveKl> L;
        addSettlement(L, EncodeDate(2024, 2, 1), 30, sale, 0, 500); // owed before the period
        addSettlement(L, EncodeDate(2024, 2, 20), 31, pay, 200, 0); // partly paid
        addSettlement(L, EncodeDate(2024, 3, 2), 41, sale, 0, 100);
        addSettlement(L, EncodeDate(2024, 3, 2), 8, pay, 150.5, 0);
        TSortedList<TRecMoveKl> index;
        const auto card = ComputeMoveKlCard(L, index, begin);
        QCOMPARE(card.Opening, 300.0);
        QCOMPARE(card.Rows.size(), size_t(2));
        // Within a day by the identifier's text: "41" before "8".
        QCOMPARE(card.Rows[0].Text, QStringLiteral("Расходная накладная № 41"));
        QCOMPARE(card.Rows[0].In, 0.0);
        QCOMPARE(card.Rows[0].Out, 100.0);
        QCOMPARE(card.Rows[0].Balance, 400.0);
        QCOMPARE(card.Rows[1].Text, QStringLiteral("Оплата № 8"));
        QCOMPARE(card.Rows[1].In, 150.5);
        QCOMPARE(card.Rows[1].Balance, 249.5);
        QCOMPARE(card.TotalIn, 150.5);
        QCOMPARE(card.TotalOut, 100.0);
        QCOMPARE(card.Closing, 249.5);
    }

    // ---- Structures and dynamics --------------------------------------------------------

    void structureRowsAndTotals() {
        RecordList<TRecSt> L;
        for (const auto& [pack, kol, sumZ, sumR] :
             {std::tuple{10.0, 20.0, 180.0, 250.0}, std::tuple{0.0, 3.0, 30.0, 45.0},
              std::tuple{1.0, 0.0, 0.0, 5.0}}) {
            auto r = std::make_unique<TRecSt>();
            r->Pack = pack;
            r->Kol = kol;
            r->SumZ = sumZ;
            r->SumR = sumR;
            L.push_back(std::move(r));
        }
        const Structure s = ComputeStructure(L);
        QCOMPARE(s.Rows.size(), size_t(3));
        QCOMPARE(s.Rows[0].PackKol, 2.0);
        QCOMPARE(s.Rows[0].Nac, 70.0);
        QCOMPARE(s.Rows[0].ZCenAvg, 9.0);
        QCOMPARE(s.Rows[1].PackKol, 3.0);
        QCOMPARE(s.Rows[2].ZCenAvg, 0.0);
        QCOMPARE(s.Totals.Kol, 23.0);
        QCOMPARE(s.Totals.PackKol, 5.0);
        QCOMPARE(s.Totals.SumZ, 210.0);
        QCOMPARE(s.Totals.SumR, 300.0);
        QCOMPARE(s.Totals.Nac, 90.0);
    }

    void periodLabels() {
        TRecDynam r;
        r.DocDate = EncodeDate(2024, 3, 1);
        r.MinDocDate = EncodeDate(2024, 3, 1) + 0.3;
        r.MaxDocDate = EncodeDate(2024, 3, 7) + 0.9;
        QCOMPARE(PeriodLabel(r, Week), QStringLiteral("01.03.24 - 07.03.24"));
        QCOMPARE(PeriodLabel(r, Day), QStringLiteral("01.03.24"));
        QCOMPARE(PeriodLabel(r, 7), QStringLiteral("01.03.24"));
        QCOMPARE(PeriodLabel(r, Month), QStringLiteral("март 2024"));
        r.DocDate = EncodeDate(2023, 1, 1);
        QCOMPARE(PeriodLabel(r, Month), QStringLiteral("янв. 2023"));
        r.DocDate = EncodeDate(2023, 12, 31);
        QCOMPARE(PeriodLabel(r, Day), QStringLiteral("31.12.23"));
    }

    void dynamicsRowsAndTotals() {
        RecordList<TRecDynam> L;
        TRecDynam* a = addPeriod(L, EncodeDate(2024, 2, 1), EncodeDate(2024, 2, 3), EncodeDate(2024, 2, 28));
        a->Kol = 3;
        a->SumZ = 30.5;
        a->SumR = 45;
        TRecDynam* b = addPeriod(L, EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 9), EncodeDate(2024, 1, 9));
        b->Kol = 1;
        b->SumZ = 10;
        b->SumR = 9;
        const Dynamics d = ComputeDynamics(L, Month);
        QCOMPARE(d.Rows.size(), size_t(2));
        QCOMPARE(d.Rows[0].Label, QStringLiteral("февр. 2024")); // the service's order is kept
        QCOMPARE(d.Rows[0].Nac, 14.5);
        QCOMPARE(d.Rows[1].Nac, -1.0);
        QCOMPARE(d.Totals.Kol, 4.0);
        QCOMPARE(d.Totals.SumZ, 40.5);
        QCOMPARE(d.Totals.SumR, 54.0);
        QCOMPARE(d.Totals.Nac, 13.5);
    }

    // ---- Debts --------------------------------------------------------------------------

    void debtsOfBuyersAndSuppliers() {
        RecordList<TRecDolg> L;
        addDolg(L, 11, QStringLiteral("ромашка"), 1, 20);
        addDolg(L, 12, QStringLiteral("Лютик"), 1, -250.5);
        addDolg(L, 13, QStringLiteral("Астра"), 1, 0);      // settled: not shown
        addDolg(L, 14, QStringLiteral("Берёза"), 1, 1e-13); // zero within the tolerance
        addDolg(L, 2, QStringLiteral("Касса"), 2, 500);     // another group
        addDolg(L, 15, QStringLiteral("Ромашка"), 1, 5);    // same name, another ID
        TSortedList<TRecDolg> index;
        const Debts d = ComputeDebts(L, index, Klients);
        QVERIFY(d.Split);
        QCOMPARE(d.Rows.size(), size_t(3));
        QCOMPARE(d.Rows[0].Rec->KlientName, QStringLiteral("Лютик"));
        QVERIFY(!d.Rows[0].Debt);
        QCOMPARE(*d.Rows[0].Advance, 250.5);
        QCOMPARE(d.Rows[1].Rec->KlientID, 11); // "ромашка=11" before "Ромашка=15", case aside
        QCOMPARE(*d.Rows[1].Debt, 20.0);
        QVERIFY(!d.Rows[1].Advance);
        QCOMPARE(d.Rows[2].Rec->KlientID, 15);
        QCOMPARE(d.TotalDebt, 25.0);
        QCOMPARE(d.TotalAdvance, 250.5);
        QCOMPARE(L.size(), size_t(6)); // the index only refers to the records
    }

    void debtsOfOtherGroupsKeepTheirSign() {
        RecordList<TRecDolg> L;
        addDolg(L, 2, QStringLiteral("Касса"), 2, 500);
        addDolg(L, 3, QStringLiteral("Банк"), 2, -120.25);
        addDolg(L, 11, QStringLiteral("Ромашка"), 1, 20);
        TSortedList<TRecDolg> index;
        const Debts d = ComputeDebts(L, index, Accounts);
        QVERIFY(!d.Split);
        QCOMPARE(d.Rows.size(), size_t(2));
        QCOMPARE(d.Rows[0].Rec->KlientName, QStringLiteral("Банк"));
        QCOMPARE(d.Rows[0].Balance, -120.25);
        QCOMPARE(d.Rows[1].Balance, 500.0);
        QCOMPARE(d.TotalBalance, 379.75);

        const Debts overheads = ComputeDebts(L, index, Overheads);
        QVERIFY(overheads.Rows.empty());
        QCOMPARE(index.Count(), 0);
        QCOMPARE(overheads.TotalBalance, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestReportComputations)
#include "test_report_computations.moc"
