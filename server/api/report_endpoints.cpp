#include "report_endpoints.h"

#include "amounts.h"
#include "database.h"
#include "endpoint_registry.h"
#include "json_writer.h"
#include "report_request.h"
#include "report_sql.h"
#include "request_context.h"
#include "right_codes.h"

#include <map>

namespace kovrel::server {

namespace {

// ---- Dynamics ---------------------------------------------------------------------------------

// The first day of the period (day, month or Monday-based week) that a day belongs to.
QDate periodStart(const QDate& day, int detail) {
    if (detail == 1) return QDate(day.year(), day.month(), 1);
    if (detail == 2) return day.addDays(1 - day.dayOfWeek());
    return day;
}

struct PeriodRow {
    QDate first, last;
    double kol = 0, zsum = 0, rsum = 0;
};

// One row per period with "docdate" its first day and the dates of its first and last documents.
HttpResponse dynamics(const RequestContext& ctx, const ReportParams& p, bool sales) {
    std::map<QDate, PeriodRow> periods;
    SqlQuery q = ReportSql::DailyTotals(p, sales).Run(ctx.Services().db);
    while (q.Next()) {
        const QDate day = QDate::fromString(q.Text(0), Qt::ISODate);
        PeriodRow& r = periods[periodStart(day, p.detail)];
        if (!r.first.isValid()) r.first = day;
        r.last = day;
        r.kol += q.Double(1);
        r.zsum += q.Double(2);
        r.rsum += q.Double(3);
    }
    JsonWriter w;
    w.BeginArray();
    for (const auto& [start, r] : periods) {
        w.BeginObject()
            .Field(QLatin1StringView("docdate"), start.toString(Qt::ISODate))
            .Field(QLatin1StringView("min_docdate"), r.first.toString(Qt::ISODate))
            .Field(QLatin1StringView("max_docdate"), r.last.toString(Qt::ISODate))
            .Field(QLatin1StringView("kol"), RoundQty(r.kol))
            .Field(QLatin1StringView("zsum"), RoundQty(r.zsum));
        if (sales) w.Field(QLatin1StringView("rsum"), RoundQty(r.rsum));
        w.EndObject();
    }
    w.EndArray();
    return HttpResponse::Json(w.Take());
}

// ---- Routes -----------------------------------------------------------------------------------

void addMovementCard(EndpointRegistry& routes, const char* path, ReportSql::Movement m) {
    routes.Add(QString::fromLatin1(path), Access::Read, [m](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepMoveGood);
        return ctx.Rows(ReportSql::GoodsMovement(r.Goods().UpTo().Store().Params(), m));
    });
}

void addDebts(EndpointRegistry& routes, const char* path, ReportSql::Settlement s) {
    routes.Add(QString::fromLatin1(path), Access::Read, [s](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepDolg);
        return ctx.Rows(ReportSql::Debts(r.UpTo().Manager().Params(), s));
    });
}

void addSettlementCard(EndpointRegistry& routes, const char* path, ReportSql::Settlement s) {
    routes.Add(QString::fromLatin1(path), Access::Read, [s](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepMoveKl);
        return ctx.Rows(ReportSql::SettlementCard(r.Klient().UpTo().Params(), s));
    });
}

} // namespace

void RegisterReportEndpoints(EndpointRegistry& routes) {
    using M = ReportSql::Movement;
    using S = ReportSql::Settlement;
    routes.Add(QStringLiteral("/rep-ost-json-v3.php"), Access::Read, [](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepOst);
        return ctx.Rows(ReportSql::Stock(r.Find().Zero().Store().Params()));
    });
    addMovementCard(routes, "/rep-movegood-1-json.php", M::Receipts);
    addMovementCard(routes, "/rep-movegood-2-json.php", M::Sales);
    addMovementCard(routes, "/rep-movegood-p-json.php", M::TransfersIn);
    addMovementCard(routes, "/rep-movegood-i-json.php", M::TransfersOut);
    routes.Add(QStringLiteral("/rep-nkl-st-json.php"), Access::Read, [](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepSaleSt);
        return ctx.Rows(ReportSql::Structure(r.Find().Period().Klient().Store().Manager().Params(), true));
    });
    routes.Add(QStringLiteral("/rep-prh-st-json.php"), Access::Read, [](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepPrhSt);
        return ctx.Rows(ReportSql::Structure(r.Find().Period().Klient().Store().Params(), false));
    });
    routes.Add(QStringLiteral("/rep-nkl-dynam-json.php"), Access::Read, [](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepSaleDynam);
        return dynamics(ctx, r.Period().Detail().Klient().Store().Manager().Params(), true);
    });
    routes.Add(QStringLiteral("/rep-prh-dynam-json.php"), Access::Read, [](RequestContext& ctx) {
        ReportRequest r(ctx, Right::RepPrhDynam);
        return dynamics(ctx, r.Period().Detail().Klient().Store().Params(), false);
    });
    addDebts(routes, "/rep-dolg-nkl-json.php", S::Sales);
    addDebts(routes, "/rep-dolg-prh-json.php", S::Receipts);
    addDebts(routes, "/rep-dolg-moneyi-json.php", S::MoneyFrom);
    addDebts(routes, "/rep-dolg-moneyp-json.php", S::MoneyTo);
    addSettlementCard(routes, "/rep-movekl-nkl-json.php", S::Sales);
    addSettlementCard(routes, "/rep-movekl-prh-json.php", S::Receipts);
    addSettlementCard(routes, "/rep-movekl-moneyi-json.php", S::MoneyFrom);
    addSettlementCard(routes, "/rep-movekl-moneyp-json.php", S::MoneyTo);
}

} // namespace kovrel::server
