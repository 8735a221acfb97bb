// Times the report computations on large hand-made lists: the stock balance fold, the goods
// movement card's opening balance and sorted index, and the debts index. Prints figures only.
#include "report_card.h"
#include "report_debts.h"
#include "report_stock_balance.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>

using namespace kovrel::report;

namespace {

template <class F>
void measure(const char* what, int rows, F run) {
    QElapsedTimer t;
    t.start();
    const size_t shown = run();
    std::printf("%-34s %7d rows in, %7zu rows out: %6lld ms\n", what, rows, shown,
                static_cast<long long>(t.elapsed()));
}

} // namespace

int main() {
    std::mt19937 rng(42);
    constexpr int kRows = 100000;

    measure("stock balance, folded per item", kRows, [&] {
        RecordList<TRecGood> L;
        for (int i = 0; i < kRows; ++i) {
            auto r = std::make_unique<TRecGood>();
            r->IDGoods = static_cast<int>(rng() % 20000);
            r->ZCen = 1 + rng() % 100;
            r->KolPlus = rng() % 50;
            r->KolMinus = rng() % 50;
            L.push_back(std::move(r));
        }
        return ComputeStockBalance(L, false, false).Rows.size();
    });

    measure("goods movement card", kRows, [&] {
        RecordList<TRecMoveGood> L;
        for (int i = 0; i < kRows; ++i) {
            auto r = std::make_unique<TRecMoveGood>();
            r->DocDat = kovrel::EncodeDate(2023, 1, 1) + rng() % 730;
            r->DocID = static_cast<int>(rng() % 50000);
            r->ID = i;
            r->KlientName = QStringLiteral("Покупатель %1").arg(rng() % 500);
            r->KolPrh = rng() % 10;
            r->KolNkl = rng() % 10;
            L.push_back(std::move(r));
        }
        TSortedList<TRecMoveGood> index;
        return ComputeMoveGoodCard(L, index, kovrel::EncodeDate(2024, 1, 1)).Rows.size();
    });

    measure("debts of buyers and suppliers", kRows, [&] {
        RecordList<TRecDolg> L;
        for (int i = 0; i < kRows; ++i) {
            auto r = std::make_unique<TRecDolg>();
            r->KlientID = i;
            r->KlientName = QStringLiteral("Контрагент %1").arg(rng() % 90000);
            r->KlientGr = 1 + static_cast<int>(rng() % 2);
            r->DolgSum = static_cast<double>(rng() % 2000) - 1000;
            L.push_back(std::move(r));
        }
        TSortedList<TRecDolg> index;
        return ComputeDebts(L, index, Klients).Rows.size();
    });
    return 0;
}
