#include "report_grid_builder.h"

#include "date_time.h"
#include "format_settings.h"
#include "number_text.h"

#include <array>
#include <optional>

namespace kovrel::report {

namespace {

QString qty(double v) {
    return FormatQty(1, 3, v);
}
QString money(double v) {
    return FormatFixed(2, v);
}
QString moneyOrEmpty(const std::optional<double>& v) {
    return v ? money(*v) : QString();
}

// An optional column of a list report: shown when its check box is checked (always when it
// has none), its caption, a row's text and the totals row's text (empty when it has no total).
template <class Row, class Totals>
struct Column {
    const char* check;
    const char* caption;
    QString (*cell)(const Row&);
    QString (*total)(const Totals&);
};

template <class Row, class Totals>
using Columns = std::vector<Column<Row, Totals>>;

// Widths of the columns [from, to) on a page nobody has touched.
void addWidths(TReportGrid& g, const ReportPageDef& def, int to) {
    for (int col = g.ColCount(); col < to; ++col)
        g.Widths << def.InitialWidth(col);
}

template <class Row, class Totals>
TReportGrid listGrid(const ReportPageDef& def, const char* firstCaption, QString (*text)(const Row&),
                     const std::vector<Row>& rows, const Totals& totals, const Columns<Row, Totals>& columns,
                     const TReportChoices& c) {
    std::vector<const Column<Row, Totals>*> shown;
    for (const auto& col : columns)
        if (!col.check || c.Checked(col.check)) shown.push_back(&col);

    TReportGrid g;
    g.FixedRows = rows.empty() ? 0 : 1;
    g.FixedCols = def.fixedCol ? 1 : 0;
    addWidths(g, def, 2 + static_cast<int>(shown.size()));
    g.Rows.reserve(static_cast<qsizetype>(rows.size()) + 2);

    QStringList header{QString(), QString::fromUtf8(firstCaption)};
    for (const auto* col : shown)
        header << QString::fromUtf8(col->caption);
    g.Rows << header;

    int number = 0;
    for (const Row& row : rows) {
        QStringList cells{QString::number(++number), text(row)};
        for (const auto* col : shown)
            cells << col->cell(row);
        g.Rows << cells;
    }

    QStringList last{QString(), QStringLiteral("Итого")};
    for (const auto* col : shown)
        last << (col->total ? col->total(totals) : QString());
    g.Rows << last;
    return g;
}

using StockColumns = Columns<StockRow, StockTotals>;
const StockColumns& stockColumns() {
    using R = const StockRow&;
    using T = const StockTotals&;
    static const StockColumns columns{
        {"CBoxKol", "Кол-во", [](R r) { return qty(r.OstKol); }, [](T t) { return qty(t.OstKol); }},
        {"CBoxKolPack", "Упаковка", [](R r) { return qty(r.Rec->Pack); }, nullptr},
        {"CBoxKolPack", "Кол-во упак.", [](R r) { return qty(r.PackKol); },
         [](T t) { return qty(t.PackKol); }},
        {"CBoxZCen", "Закуп. цена", [](R r) { return money(r.Rec->ZCen); }, nullptr},
        {"CBoxZCenAvg", "Средняя закуп. цена", [](R r) { return money(r.ZCenAvg); }, nullptr},
        {"CBoxZSum", "Закуп. сумма", [](R r) { return money(r.ItogZSum); },
         [](T t) { return money(t.ItogZSum); }},
        {"CBoxCen", "Прод. цена", [](R r) { return money(r.Rec->PCen); }, nullptr},
        {"CBoxSum", "Прод. сумма", [](R r) { return money(r.Sum); }, [](T t) { return money(t.Sum); }},
    };
    return columns;
}

using StructureColumns = Columns<StructureRow, StructureTotals>;
const StructureColumns& structureColumns(bool sales) {
    using R = const StructureRow&;
    using T = const StructureTotals&;
    static const StructureColumns salesColumns{
        {"CBoxKolRSS", "Кол-во", [](R r) { return qty(r.Kol); }, [](T t) { return qty(t.Kol); }},
        {"CBoxKolPackRSS", "Кол-во упак.", [](R r) { return qty(r.PackKol); },
         [](T t) { return qty(t.PackKol); }},
        {"CBoxZSumRSS", "Закуп.сумма", [](R r) { return money(r.SumZ); }, [](T t) { return money(t.SumZ); }},
        {"CBoxSumRSS", "Прод.сумма", [](R r) { return money(r.SumR); }, [](T t) { return money(t.SumR); }},
        {"CBoxNacRSS", "Сумма наценки", [](R r) { return money(r.Nac); }, [](T t) { return money(t.Nac); }},
    };
    static const StructureColumns purchaseColumns{
        {"CBoxKolRPS", "Кол-во", [](R r) { return qty(r.Kol); }, [](T t) { return qty(t.Kol); }},
        {"CBoxKolPackRPS", "Кол-во упак.", [](R r) { return qty(r.PackKol); },
         [](T t) { return qty(t.PackKol); }},
        {"CBoxZCenAvgRPS", "Средняя цена", [](R r) { return money(r.ZCenAvg); }, nullptr},
        {"CBoxZSumRPS", "Закуп.сумма", [](R r) { return money(r.SumZ); }, [](T t) { return money(t.SumZ); }},
    };
    return sales ? salesColumns : purchaseColumns;
}

using DynamicsColumns = Columns<DynamicsRow, DynamicsTotals>;
const DynamicsColumns& dynamicsColumns(bool sales) {
    using R = const DynamicsRow&;
    using T = const DynamicsTotals&;
    static const DynamicsColumns salesColumns{
        {"CBoxKolRSD", "Кол-во", [](R r) { return qty(r.Kol); }, [](T t) { return qty(t.Kol); }},
        {"CBoxZSumRSD", "Закуп.сумма", [](R r) { return money(r.SumZ); }, [](T t) { return money(t.SumZ); }},
        {"CBoxSumRSD", "Прод.сумма", [](R r) { return money(r.SumR); }, [](T t) { return money(t.SumR); }},
        {"CBoxNacRSD", "Сумма наценки", [](R r) { return money(r.Nac); }, [](T t) { return money(t.Nac); }},
    };
    static const DynamicsColumns purchaseColumns{
        {"CBoxKolRPD", "Кол-во", [](R r) { return qty(r.Kol); }, [](T t) { return qty(t.Kol); }},
        {"CBoxZSumRPD", "Закуп.сумма", [](R r) { return money(r.SumZ); }, [](T t) { return money(t.SumZ); }},
    };
    return sales ? salesColumns : purchaseColumns;
}

using DebtColumns = Columns<DebtRow, Debts>;
const DebtColumns& debtColumns(bool split) {
    using R = const DebtRow&;
    using T = const Debts&;
    static const DebtColumns splitColumns{
        {nullptr, "Долг (нам должны)", [](R r) { return moneyOrEmpty(r.Debt); },
         [](T t) { return money(t.TotalDebt); }},
        {nullptr, "Аванс (мы должны)", [](R r) { return moneyOrEmpty(r.Advance); },
         [](T t) { return money(t.TotalAdvance); }},
    };
    static const DebtColumns balanceColumns{
        {nullptr, "Остаток", [](R r) { return money(r.Balance); }, [](T t) { return money(t.TotalBalance); }},
    };
    return split ? splitColumns : balanceColumns;
}

// The captions of a card's five columns.
using CardCaptions = std::array<const char*, 5>;

template <class T>
TReportGrid cardGrid(const ReportPageDef& def, const CardCaptions& captions, const Card<T>& card,
                     QString (*number)(double)) {
    const auto nonZero = [number](double v) { return IsZero(v) ? QString() : number(v); };
    TReportGrid g;
    g.FixedRows = 1;
    g.FixedCols = def.fixedCol ? 1 : 0;
    addWidths(g, def, def.cols);
    g.Rows.reserve(static_cast<qsizetype>(card.Rows.size()) + 3);

    QStringList header;
    for (const char* caption : captions)
        header << QString::fromUtf8(caption);
    g.Rows << header;
    g.Rows << QStringList{QString(), QStringLiteral("Начальный остаток"), QString(), QString(),
                          number(card.Opening)};
    for (const CardRow<T>& row : card.Rows)
        g.Rows << QStringList{FormatDateTime(DisplayFormat.ShortDateFormat, row.Date, DisplayFormat),
                              row.Text, nonZero(row.In), nonZero(row.Out), number(row.Balance)};
    g.Rows << QStringList{QString(), QStringLiteral("Итого"), number(card.TotalIn), number(card.TotalOut),
                          number(card.Closing)};
    return g;
}

} // namespace

TReportGrid StockBalanceGrid(const StockBalance& r, const TReportChoices& c) {
    return listGrid<StockRow, StockTotals>(
        ReportPageDefOf("RunRepOst"), "Наименование", [](const StockRow& row) { return row.Rec->Name; },
        r.Rows, r.Totals, stockColumns(), c);
}

TReportGrid StructureGrid(const Structure& r, bool sales, const TReportChoices& c) {
    return listGrid<StructureRow, StructureTotals>(
        ReportPageDefOf(sales ? "RunRepSaleSt" : "RunRepPrhSt"), "Наименование",
        [](const StructureRow& row) { return row.Rec->Name; }, r.Rows, r.Totals, structureColumns(sales), c);
}

TReportGrid DynamicsGrid(const Dynamics& r, bool sales, const TReportChoices& c) {
    return listGrid<DynamicsRow, DynamicsTotals>(
        ReportPageDefOf(sales ? "RunRepSaleDynam" : "RunRepPrhDynam"), "Период",
        [](const DynamicsRow& row) { return row.Label; }, r.Rows, r.Totals, dynamicsColumns(sales), c);
}

TReportGrid DebtsGrid(const Debts& r) {
    return listGrid<DebtRow, Debts>(ReportPageDefOf("RunRepDolg"), "Поставщик/покупатель/счет",
                                    [](const DebtRow& row) { return row.Rec->KlientName; }, r.Rows, r,
                                    debtColumns(r.Split), {});
}

TReportGrid MoveGoodGrid(const Card<TRecMoveGood>& r) {
    return cardGrid(ReportPageDefOf("RunRepMoveGood"),
                    {"Дата", "Поставщик/покупатель", "Кол-во приход", "Кол-во расход", "Кол-во остаток"}, r,
                    qty);
}

TReportGrid MoveKlGrid(const Card<TRecMoveKl>& r, int SelKlientGr) {
    static const CardCaptions klients{"Дата", "Операция", "Приход", "Расход", "Долг (нам должны)"};
    static const CardCaptions others{"Дата", "Операция", "Расход", "Приход", "Остаток"};
    return cardGrid(ReportPageDefOf("RunRepMoveKl"), SelKlientGr == 1 ? klients : others, r, money);
}

TReportGrid RepOstGrid(RecordList<TRecGood>& L, const TReportChoices& c) {
    return StockBalanceGrid(ComputeStockBalance(L, c.Checked("CBoxZCen"), c.Checked("CBoxZero")), c);
}

TReportGrid RepMoveGoodGrid(RecordList<TRecMoveGood>& L, TSortedList<TRecMoveGood>& Index,
                            TDateTime BeginDat) {
    return MoveGoodGrid(ComputeMoveGoodCard(L, Index, BeginDat));
}

TReportGrid RepSaleStGrid(const RecordList<TRecSt>& L, const TReportChoices& c) {
    return StructureGrid(ComputeStructure(L), true, c);
}

TReportGrid RepSaleDynamGrid(const RecordList<TRecDynam>& L, int CodeDetal, const TReportChoices& c) {
    return DynamicsGrid(ComputeDynamics(L, CodeDetal), true, c);
}

TReportGrid RepPrhStGrid(const RecordList<TRecSt>& L, const TReportChoices& c) {
    return StructureGrid(ComputeStructure(L), false, c);
}

TReportGrid RepPrhDynamGrid(const RecordList<TRecDynam>& L, int CodeDetal, const TReportChoices& c) {
    return DynamicsGrid(ComputeDynamics(L, CodeDetal), false, c);
}

TReportGrid RepDolgGrid(const RecordList<TRecDolg>& L, TSortedList<TRecDolg>& Index,
                        const TReportChoices& c) {
    return DebtsGrid(ComputeDebts(L, Index, c.Group));
}

TReportGrid RepMoveKlGrid(RecordList<TRecMoveKl>& L, TSortedList<TRecMoveKl>& Index, TDateTime BeginDat,
                          const TReportChoices& c) {
    return MoveKlGrid(ComputeMoveKlCard(L, Index, BeginDat), c.SelKlientGr);
}

} // namespace kovrel::report
