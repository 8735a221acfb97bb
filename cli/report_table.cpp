#include "report_table.h"

#include "record_fields.h"
#include "report_card.h"
#include "report_debts.h"
#include "report_dynamics.h"
#include "report_stock_balance.h"
#include "report_structure.h"

#include <QJsonValue>

#include <memory>

namespace cli {

namespace {

using namespace kovrel::report;

using Named = QList<QPair<QString, QJsonValue>>;

template <class T>
std::shared_ptr<RecordList<T>> recordsOf(const CallResult& call) {
    return std::any_cast<std::shared_ptr<RecordList<T>>>(call.records);
}

// A row: the record's fields, then the computed values under their names (a computed value
// that is also a field of the record replaces it in place).
template <class T>
FieldValues rowOf(const T& rec, const Named& computed) {
    FieldValues row = ToValues(rec);
    for (const auto& [name, value] : computed)
        row.Set(name, value);
    return row;
}

template <class T>
QStringList columnsOf(const QStringList& computed) {
    QStringList columns = FieldNames<T>();
    for (const QString& name : computed)
        if (!columns.contains(name)) columns << name;
    return columns;
}

FieldValues valuesOf(const Named& named) {
    FieldValues out;
    for (const auto& [name, value] : named)
        out.Set(name, value);
    return out;
}

// Fills the output from rows of one record class; `named` gives a row's computed values. The
// rows point into the call's records, kept for as long as the rows.
template <class T, class Row>
void fillRows(ReportOutput& out, const CallResult& call, std::vector<Row> rows, const QStringList& computed,
              std::function<Named(const Row&)> named) {
    out.columns = columnsOf<T>(computed);
    const auto kept = std::make_shared<const std::vector<Row>>(std::move(rows));
    out.rows = FieldRows{static_cast<qsizetype>(kept->size()),
                         [records = recordsOf<T>(call), kept, named](qsizetype i) {
                             const Row& row = (*kept)[static_cast<size_t>(i)];
                             return rowOf(*row.Rec, named(row));
                         }};
}

QJsonValue optional(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

Compute stockBalance(CallArgs& a) {
    const bool zcenShown = a.Bool(QStringLiteral("ZCenShown"), false);
    // Zero balances are shown when they were asked for.
    const bool zeroIncluded =
        a.Bool(QStringLiteral("ZeroIncluded"), a.Bool(QStringLiteral("FlagZero"), false));
    return [=](const CallResult& call, ReportOutput& out) {
        StockBalance r = ComputeStockBalance(*recordsOf<TRecGood>(call), zcenShown, zeroIncluded);
        fillRows<TRecGood, StockRow>(out, call, std::move(r.Rows),
                                     {"OstKol", "ItogZSum", "PackKol", "ZCenAvg", "Sum"},
                                     [](const StockRow& x) -> Named {
                                         return {{"OstKol", x.OstKol},
                                                 {"ItogZSum", x.ItogZSum},
                                                 {"PackKol", x.PackKol},
                                                 {"ZCenAvg", x.ZCenAvg},
                                                 {"Sum", x.Sum}};
                                     });
        out.totals = valuesOf({{"OstKol", r.Totals.OstKol},
                               {"PackKol", r.Totals.PackKol},
                               {"ItogZSum", r.Totals.ItogZSum},
                               {"Sum", r.Totals.Sum}});
    };
}

template <class T>
void fillCard(ReportOutput& out, const CallResult& call, const Card<T>& card) {
    fillRows<T, CardRow<T>>(
        out, call, card.Rows, {"Text", "In", "Out", "Balance"}, [](const CardRow<T>& x) -> Named {
            return {{"Text", x.Text}, {"In", x.In}, {"Out", x.Out}, {"Balance", x.Balance}};
        });
    out.totals = valuesOf({{"In", card.TotalIn}, {"Out", card.TotalOut}, {"Closing", card.Closing}});
    out.opening = card.Opening;
}

// The cards start their period at BeginDat; the operation only knows the end date.
template <class T>
std::function<Compute(CallArgs&)> card(Card<T> (*compute)(RecordList<T>&, TSortedList<T>&, TDateTime)) {
    return [compute](CallArgs& a) -> Compute {
        const TDateTime begin = a.Date(QStringLiteral("BeginDat"));
        return [=](const CallResult& call, ReportOutput& out) {
            TSortedList<T> index;
            fillCard(out, call, compute(*recordsOf<T>(call), index, begin));
        };
    };
}

// Sales rows carry the markup, purchase rows the average price; only sales total the sale side.
Compute structure(bool sales) {
    return [sales](const CallResult& call, ReportOutput& out) {
        Structure r = ComputeStructure(*recordsOf<TRecSt>(call));
        const QString extra = sales ? QStringLiteral("Nac") : QStringLiteral("ZCenAvg");
        fillRows<TRecSt, StructureRow>(
            out, call, std::move(r.Rows), {"PackKol", extra}, [=](const StructureRow& x) -> Named {
                return {{"PackKol", x.PackKol}, {extra, sales ? x.Nac : x.ZCenAvg}};
            });
        Named totals{{"Kol", r.Totals.Kol}, {"PackKol", r.Totals.PackKol}, {"SumZ", r.Totals.SumZ}};
        if (sales) totals << Named{{"SumR", r.Totals.SumR}, {"Nac", r.Totals.Nac}};
        out.totals = valuesOf(totals);
    };
}

Compute dynamics(CallArgs& a, bool sales) {
    const int detail = a.Int(QStringLiteral("CodeDetal"), Day);
    return [=](const CallResult& call, ReportOutput& out) {
        Dynamics r = ComputeDynamics(*recordsOf<TRecDynam>(call), detail);
        const QStringList computed = sales ? QStringList{"Label", "Nac"} : QStringList{"Label"};
        fillRows<TRecDynam, DynamicsRow>(out, call, std::move(r.Rows), computed,
                                         [=](const DynamicsRow& x) -> Named {
                                             Named named{{"Label", x.Label}};
                                             if (sales) named << Named{{"Nac", x.Nac}};
                                             return named;
                                         });
        Named totals{{"Kol", r.Totals.Kol}, {"SumZ", r.Totals.SumZ}};
        if (sales) totals << Named{{"SumR", r.Totals.SumR}, {"Nac", r.Totals.Nac}};
        out.totals = valuesOf(totals);
    };
}

Compute debts(CallArgs& a) {
    const int group = a.Int(QStringLiteral("Group"), Klients);
    if (group < Klients || group > Investments)
        throw UsageError(
            QStringLiteral("Group must be 0 (buyers and suppliers), 1 (accounts and cash desks), "
                           "2 (overheads) or 3 (investments and withdrawals)"));
    return [=](const CallResult& call, ReportOutput& out) {
        TSortedList<TRecDolg> index;
        Debts r = ComputeDebts(*recordsOf<TRecDolg>(call), index, group);
        if (r.Split) {
            fillRows<TRecDolg, DebtRow>(
                out, call, std::move(r.Rows), {"Debt", "Advance"}, [](const DebtRow& x) -> Named {
                    return {{"Debt", optional(x.Debt)}, {"Advance", optional(x.Advance)}};
                });
            out.totals = valuesOf({{"Debt", r.TotalDebt}, {"Advance", r.TotalAdvance}});
        } else {
            fillRows<TRecDolg, DebtRow>(out, call, std::move(r.Rows), {"Balance"},
                                        [](const DebtRow& x) -> Named {
                                            return {{"Balance", x.Balance}};
                                        });
            out.totals = valuesOf({{"Balance", r.TotalBalance}});
        }
    };
}

ParamInfo input(const char* name, const char* kind, bool required = false) {
    return {QString::fromLatin1(name), QString::fromLatin1(kind), required};
}

QList<ReportEntry> buildTable() {
    const ParamInfo begin = input("BeginDat", "date", true);
    return {
        {"RunRepOst", {input("ZCenShown", "true/false"), input("ZeroIncluded", "true/false")}, stockBalance},
        {"RunRepMoveGood", {begin}, card(&ComputeMoveGoodCard)},
        {"RunRepSaleSt", {}, [](CallArgs&) { return structure(true); }},
        {"RunRepSaleDynam", {}, [](CallArgs& a) { return dynamics(a, true); }},
        {"RunRepPrhSt", {}, [](CallArgs&) { return structure(false); }},
        {"RunRepPrhDynam", {}, [](CallArgs& a) { return dynamics(a, false); }},
        {"RunRepDolg", {input("Group", "integer 0..3")}, debts},
        {"RunRepMoveKl", {begin}, card(&ComputeMoveKlCard)},
    };
}

} // namespace

const QList<ReportEntry>& Reports() {
    static const QList<ReportEntry> table = buildTable();
    return table;
}

const ReportEntry* FindReport(const QString& operation) {
    for (const ReportEntry& r : Reports())
        if (r.operation == operation) return &r;
    return nullptr;
}

} // namespace cli
