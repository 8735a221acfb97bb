#include "grid_table.h"

#include "report_grid_builder.h"
#include "report_page_def.h"
#include "usage_error.h"

#include <memory>

namespace cli {

namespace {

using namespace kovrel::report;

template <class T>
RecordList<T>& recordsOf(const CallResult& call) {
    return *std::any_cast<std::shared_ptr<RecordList<T>>>(call.records);
}

// The names of every report page's controls, to tell a control of another page from a typo.
bool isControlOfAnyPage(const QString& name) {
    if (name == QLatin1String("ComBoxGrRepDolg") || name == QLatin1String("SelKlientGr")) return true;
    for (const ReportPageDef& def : ReportPageDefs())
        for (const CheckDef& check : def.checks)
            if (name == QLatin1String(check.name)) return true;
    return false;
}

void refuseOtherPagesControls(const QString& operation, const CallArgs& a) {
    const QStringList mine = GridControls(operation);
    for (const QString& name : a.Names())
        if (isControlOfAnyPage(name) && !mine.contains(name))
            throw UsageError(QStringLiteral("the page of %1 has no control %2").arg(operation, name));
}

// The check boxes given, the others as they are in `c`.
TReportChoices readChecks(TReportChoices c, CallArgs& a) {
    for (auto it = c.Checks.begin(); it != c.Checks.end(); ++it)
        it.value() = a.Bool(it.key(), it.value());
    return c;
}

TReportChoices readChecks(const char* operation, CallArgs& a) {
    return readChecks(TReportChoices::StartState(ReportPageDefOf(operation)), a);
}

int readGroup(CallArgs& a) {
    const int group = a.Int(QStringLiteral("ComBoxGrRepDolg"), a.Int(QStringLiteral("Group"), Klients));
    if (group < Klients || group > Investments)
        throw UsageError(
            QStringLiteral("ComBoxGrRepDolg must be 0 (buyers and suppliers), 1 (accounts and cash "
                           "desks), 2 (overheads) or 3 (investments and withdrawals)"));
    return group;
}

GridCompute stockBalance(CallArgs& a) {
    // What `report` calls the computation's inputs may be given by those names too.
    TReportChoices start = TReportChoices::StartState(ReportPageDefOf("RunRepOst"));
    start.Checks[QStringLiteral("CBoxZero")] =
        a.Bool(QStringLiteral("ZeroIncluded"), a.Bool(QStringLiteral("FlagZero"), false));
    start.Checks[QStringLiteral("CBoxZCen")] = a.Bool(QStringLiteral("ZCenShown"), false);
    const TReportChoices c = readChecks(start, a);
    // As on the page, the zero box also goes to the service.
    a.SetDefault(QStringLiteral("FlagZero"), c.Checks.value(QStringLiteral("CBoxZero")));
    return [c](const CallResult& call) { return RepOstGrid(recordsOf<TRecGood>(call), c); };
}

template <class T>
GridCompute card(CallArgs& a, TReportGrid (*grid)(RecordList<T>&, TSortedList<T>&, TDateTime)) {
    const TDateTime begin = a.Date(QStringLiteral("BeginDat"));
    return [=](const CallResult& call) {
        TSortedList<T> index;
        return grid(recordsOf<T>(call), index, begin);
    };
}

GridCompute moveKl(CallArgs& a) {
    const TDateTime begin = a.Date(QStringLiteral("BeginDat"));
    TReportChoices c;
    c.SelKlientGr = a.Int(QStringLiteral("SelKlientGr"), -1);
    return [=](const CallResult& call) {
        TSortedList<TRecMoveKl> index;
        return RepMoveKlGrid(recordsOf<TRecMoveKl>(call), index, begin, c);
    };
}

GridCompute debts(CallArgs& a) {
    TReportChoices c;
    c.Group = readGroup(a);
    return [=](const CallResult& call) {
        TSortedList<TRecDolg> index;
        return RepDolgGrid(recordsOf<TRecDolg>(call), index, c);
    };
}

template <class T>
GridCompute list(CallArgs& a, const char* operation,
                 TReportGrid (*grid)(const RecordList<T>&, const TReportChoices&)) {
    const TReportChoices c = readChecks(operation, a);
    return [=](const CallResult& call) { return grid(recordsOf<T>(call), c); };
}

GridCompute dynamics(CallArgs& a, const char* operation,
                     TReportGrid (*grid)(const RecordList<TRecDynam>&, int, const TReportChoices&)) {
    const TReportChoices c = readChecks(operation, a);
    const int detail = a.Int(QStringLiteral("CodeDetal"), Day);
    return [=](const CallResult& call) { return grid(recordsOf<TRecDynam>(call), detail, c); };
}

} // namespace

GridCompute PrepareGrid(const QString& operation, CallArgs& a) {
    refuseOtherPagesControls(operation, a);
    if (operation == QLatin1String("RunRepOst")) return stockBalance(a);
    if (operation == QLatin1String("RunRepMoveGood")) return card<TRecMoveGood>(a, &RepMoveGoodGrid);
    if (operation == QLatin1String("RunRepSaleSt")) return list<TRecSt>(a, "RunRepSaleSt", &RepSaleStGrid);
    if (operation == QLatin1String("RunRepSaleDynam"))
        return dynamics(a, "RunRepSaleDynam", &RepSaleDynamGrid);
    if (operation == QLatin1String("RunRepPrhSt")) return list<TRecSt>(a, "RunRepPrhSt", &RepPrhStGrid);
    if (operation == QLatin1String("RunRepPrhDynam")) return dynamics(a, "RunRepPrhDynam", &RepPrhDynamGrid);
    if (operation == QLatin1String("RunRepDolg")) return debts(a);
    if (operation == QLatin1String("RunRepMoveKl")) return moveKl(a);
    throw UsageError(QStringLiteral("%1 is not a report operation").arg(operation));
}

QStringList GridControls(const QString& operation) {
    QStringList names;
    if (const ReportPageDef* def = FindReportPageDef(operation))
        for (const CheckDef& check : def->checks)
            names << QString::fromLatin1(check.name);
    if (operation == QLatin1String("RunRepDolg")) names << QStringLiteral("ComBoxGrRepDolg");
    if (operation == QLatin1String("RunRepMoveKl")) names << QStringLiteral("SelKlientGr");
    return names;
}

} // namespace cli
