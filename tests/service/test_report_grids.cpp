// The report grids made from computed reports: captions and optional columns in the pages'
// order, row numbers, totals and their empty cells, the cards' opening row and captions, the
// number and date texts, the widths of untouched pages and the fixed rows and columns.
#include "format_settings.h"
#include "report_grid_builder.h"

#include <QTest>

using namespace kovrel::report;
using Rows = QList<QStringList>;

namespace {

TRecGood* addStock(RecordList<TRecGood>& L, const QString& name, double pack, double kol, double pcen) {
    auto r = std::make_unique<TRecGood>();
    r->IDGoods = static_cast<int>(L.size()) + 1;
    r->Name = name;
    r->Pack = pack;
    r->KolPlus = kol;
    r->PCen = pcen;
    r->ZCen = pcen / 2;
    L.push_back(std::move(r));
    return L.back().get();
}

TReportChoices choices(const char* operation, std::initializer_list<std::pair<const char*, bool>> set = {}) {
    TReportChoices c = TReportChoices::StartState(ReportPageDefOf(operation));
    for (const auto& [name, checked] : set)
        c.Checks[QLatin1String(name)] = checked;
    return c;
}

} // namespace

class TestReportGrids : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { BuildFormatSettings(); }

    void stockBalanceAtStart() {
        RecordList<TRecGood> L;
        addStock(L, QStringLiteral("Сахар"), 10, 12, 83.9);
        addStock(L, QStringLiteral("Соль"), 20, 2.5, 19);
        addStock(L, QStringLiteral("Чай"), 12, 0, 88.9); // no stock: left out
        const TReportGrid g = RepOstGrid(L, choices("RunRepOst"));
        QCOMPARE(g.Rows, (Rows{{"", "Наименование", "Кол-во", "Прод. цена"},
                               {"1", "Сахар", "12", "83.90"},
                               {"2", "Соль", "2.500", "19.00"},
                               {"", "Итого", "14.500", ""}}));
        QCOMPARE(g.Widths, (QList<int>{40, 250, 70, 70}));
        QCOMPARE(g.FixedRows, 1);
        QCOMPARE(g.FixedCols, 1);
    }

    void stockBalanceColumnsInTheirOrder() {
        RecordList<TRecGood> L;
        addStock(L, QStringLiteral("Мука"), 0, 7, 50);
        addStock(L, QStringLiteral("Рис"), 12, 30, 10);
        const TReportGrid g = RepOstGrid(L, choices("RunRepOst", {{"CBoxKolPack", true},
                                                                  {"CBoxSum", true},
                                                                  {"CBoxZSum", true},
                                                                  {"CBoxZCen", true},
                                                                  {"CBoxZCenAvg", true},
                                                                  {"CBoxKol", false}}));
        // Package 0: the quantity counts as packs.
        QCOMPARE(g.Rows, (Rows{{"", "Наименование", "Упаковка", "Кол-во упак.", "Закуп. цена",
                                "Средняя закуп. цена", "Закуп. сумма", "Прод. цена", "Прод. сумма"},
                               {"1", "Мука", "0", "7", "25.00", "25.00", "175.00", "50.00", "350.00"},
                               {"2", "Рис", "12", "2.500", "5.00", "5.00", "150.00", "10.00", "300.00"},
                               {"", "Итого", "", "9.500", "", "", "325.00", "", "650.00"}}));
        QCOMPARE(g.Widths, (QList<int>{40, 250, 70, 70, 70, 70, 70, 70, 70}));
    }

    void emptyReportHasHeaderAndZeroTotalsOnly() {
        const TReportGrid g = StockBalanceGrid({}, choices("RunRepOst", {{"CBoxSum", true}}));
        QCOMPARE(g.Rows, (Rows{{"", "Наименование", "Кол-во", "Прод. цена", "Прод. сумма"},
                               {"", "Итого", "0", "", "0.00"}}));
        QCOMPARE(g.FixedRows, 0);
        QCOMPARE(DebtsGrid({}).Rows,
                 (Rows{{"", "Поставщик/покупатель/счет", "Остаток"}, {"", "Итого", "0.00"}}));
    }

    void structuresNumberTheirRows() {
        TRecSt a, b, c;
        a.Name = QStringLiteral("А");
        b.Name = QStringLiteral("Б");
        c.Name = QStringLiteral("В");
        Structure s;
        s.Rows = {{&a, 1, 0.5, 10, 0, 0, 10}, {&b, 2, 1, 30, 0, 0, 15}, {&c, 0.25, 0.125, 5, 0, 0, 20}};
        s.Totals = {3.25, 1.625, 45, 0, 0};
        const TReportGrid g = StructureGrid(s, false, choices("RunRepPrhSt", {{"CBoxZCenAvgRPS", true}}));
        QCOMPARE(g.Rows, (Rows{{"", "Наименование", "Кол-во", "Средняя цена", "Закуп.сумма"},
                               {"1", "А", "1", "10.00", "10.00"},
                               {"2", "Б", "2", "15.00", "30.00"},
                               {"3", "В", "0.250", "20.00", "5.00"},
                               {"", "Итого", "3.250", "", "45.00"}}));
        QCOMPARE(g.Widths, (QList<int>{30, 250, 70, 70, 70}));

        s.Rows[0].SumR = 12;
        s.Rows[0].Nac = 2;
        s.Totals.SumR = 12;
        s.Totals.Nac = 2;
        const TReportGrid sales = StructureGrid(
            s, true,
            choices("RunRepSaleSt", {{"CBoxKolRSS", false}, {"CBoxNacRSS", true}, {"CBoxZSumRSS", true}}));
        QCOMPARE(sales.Rows.first(),
                 (QStringList{"", "Наименование", "Закуп.сумма", "Прод.сумма", "Сумма наценки"}));
        QCOMPARE(sales.Rows[1], (QStringList{"1", "А", "10.00", "12.00", "2.00"}));
        QCOMPARE(sales.Rows.last(), (QStringList{"", "Итого", "45.00", "12.00", "2.00"}));
    }

    void dynamicsColumnsFollowTheTableNotTheBoxes() {
        TRecDynam d;
        Dynamics r;
        r.Rows = {{&d, QStringLiteral("01.03.24"), 4, 100, 150, 50}};
        r.Totals = {4, 100, 150, 50};
        const TReportGrid g = DynamicsGrid(r, true, choices("RunRepSaleDynam", {{"CBoxZSumRSD", true}}));
        QCOMPARE(g.Rows, (Rows{{"", "Период", "Кол-во", "Закуп.сумма", "Прод.сумма"},
                               {"1", "01.03.24", "4", "100.00", "150.00"},
                               {"", "Итого", "4", "100.00", "150.00"}}));
    }

    void debtsSplitIntoDebtAndAdvance() {
        TRecDolg owes, owed;
        owes.KlientName = QStringLiteral("Кафе");
        owed.KlientName = QStringLiteral("Столовая");
        Debts d;
        d.Split = true;
        d.Rows = {{&owes, 100.0, std::nullopt, 100}, {&owed, std::nullopt, 250.5, -250.5}};
        d.TotalDebt = 100;
        d.TotalAdvance = 250.5;
        const TReportGrid g = DebtsGrid(d);
        QCOMPARE(g.Rows, (Rows{{"", "Поставщик/покупатель/счет", "Долг (нам должны)", "Аванс (мы должны)"},
                               {"1", "Кафе", "100.00", ""},
                               {"2", "Столовая", "", "250.50"},
                               {"", "Итого", "100.00", "250.50"}}));
        QCOMPARE(g.Widths, (QList<int>{40, 300, 80, 80}));
    }

    void settlementCardCaptionsFollowTheKind() {
        TRecMoveKl sale;
        Card<TRecMoveKl> card;
        card.Opening = 10;
        card.Rows = {{&sale, kovrel::EncodeDate(2024, 3, 5), QStringLiteral("Расходная накладная № 7"), 0,
                      90.5, 100.5}};
        card.TotalOut = 90.5;
        card.Closing = 100.5;
        const Rows body{{"", "Начальный остаток", "", "", "10.00"},
                        {"05.03.24", "Расходная накладная № 7", "", "90.50", "100.50"},
                        {"", "Итого", "0.00", "90.50", "100.50"}};
        const TReportGrid cash = MoveKlGrid(card, 2);
        QCOMPARE(cash.Rows, (Rows{{"Дата", "Операция", "Расход", "Приход", "Остаток"}} + body));
        QCOMPARE(MoveKlGrid(card, -1).Rows.first(), cash.Rows.first());
        QCOMPARE(MoveKlGrid(card, 1).Rows.first(),
                 (QStringList{"Дата", "Операция", "Приход", "Расход", "Долг (нам должны)"}));
        QCOMPARE(cash.Widths, (QList<int>{120, 250, 90, 90, 90}));
        QCOMPARE(cash.FixedRows, 1);
        QCOMPARE(cash.FixedCols, 0);
    }

    void movementCardLeavesZeroQuantitiesEmptyButNeverTheBalance() {
        RecordList<TRecMoveGood> L;
        for (auto [day, in, out] : {std::tuple{1, 5.0, 0.0}, {9, 0.0, 5.0}, {10, 2.5, 0.0}}) {
            auto r = std::make_unique<TRecMoveGood>();
            r->DocDat = kovrel::EncodeDate(2024, 3, day);
            r->DocID = day;
            r->KlientName = QStringLiteral("Ромашка");
            r->KolPrh = in;
            r->KolNkl = out;
            L.push_back(std::move(r));
        }
        TSortedList<TRecMoveGood> index;
        const TReportGrid g = RepMoveGoodGrid(L, index, kovrel::EncodeDate(2024, 3, 2));
        QCOMPARE(g.Rows,
                 (Rows{{"Дата", "Поставщик/покупатель", "Кол-во приход", "Кол-во расход", "Кол-во остаток"},
                       {"", "Начальный остаток", "", "", "5"},
                       {"09.03.24", "Ромашка док. № 9", "", "5", "0"},
                       {"10.03.24", "Ромашка док. № 10", "2.500", "", "2.500"},
                       {"", "Итого", "2.500", "5", "2.500"}}));
    }
};

QTEST_GUILESS_MAIN(TestReportGrids)
#include "test_report_grids.moc"
