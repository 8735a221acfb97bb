#include "money_endpoints.h"

#include "catalog_refs.h"
#include "doc_kind.h"
#include "document_access.h"
#include "endpoint_registry.h"
#include "entry_checks.h"
#include "http_error.h"
#include "journal_conditions.h"
#include "json_writer.h"
#include "money_operations.h"
#include "request_context.h"
#include "right_codes.h"
#include "sql_conditions.h"

namespace kovrel::server {

namespace {

MoneyOperations operations(const RequestContext& ctx) {
    return MoneyOperations(ctx.Services().db, ctx.AccountId());
}

// A stored operation that the person may change (full right, days lock).
MoneyOp changeableOp(const RequestContext& ctx) {
    ctx.RequireRight(Right::MoneyFull);
    const auto op = operations(ctx).Find(ctx.Int(QStringLiteral("id")));
    if (!op) throw HttpError::NotFound(QStringLiteral("Операция с деньгами не найдена"));
    DocumentAccess::RequireOpenDate(ctx, Right::MoneyLock, op->date);
    return *op;
}

// A linked document must exist: a payment of nothing would count toward no debt.
void requireLink(const RequestContext& ctx, int id, std::initializer_list<const DocKind*> kinds,
                 const QString& what) {
    if (id == 0) return;
    QStringList codes;
    for (const DocKind* k : kinds)
        codes.append(QString::number(k->code));
    auto q = ctx.Query(QStringLiteral("SELECT 1 FROM docs WHERE account_id = ? AND id = ? AND kind IN (%1)")
                           .arg(codes.join(QLatin1Char(','))))
                 .Bind(ctx.AccountId())
                 .Bind(id)
                 .Run();
    if (!q.Next())
        throw HttpError::NotFound(QStringLiteral("Не найден документ № %1 (%2)").arg(id).arg(what));
}

MoneyOp requestedOp(const RequestContext& ctx, const MoneyOp& kept) {
    MoneyOp op = kept;
    op.date = ctx.Date(QStringLiteral("dat"));
    op.sum = AmountField(ctx, QStringLiteral("sum_m"), AmountKind::Sum);
    op.from = ctx.Int(QStringLiteral("klient_i"));
    op.to = ctx.Int(QStringLiteral("klient_p"));
    op.prim = ctx.TextOr(QStringLiteral("prim_win"));
    op.docLink = std::max(0, ctx.IntOr(QStringLiteral("doc_link"), 0));
    op.orderLink = std::max(0, ctx.IntOr(QStringLiteral("doc_link_invoice"), 0));
    const CatalogRefs refs(ctx);
    refs.RequireKlient(op.from, kept.from, false, QStringLiteral("отправитель денег"));
    refs.RequireKlient(op.to, kept.to, false, QStringLiteral("получатель денег"));
    requireLink(ctx, op.docLink, {&DocKind::Prh(), &DocKind::Nkl()}, QStringLiteral("накладная"));
    requireLink(ctx, op.orderLink, {&DocKind::Invoice()}, QStringLiteral("заказ"));
    DocumentAccess::RequireOpenDate(ctx, Right::MoneyLock, op.date);
    return op;
}

HttpResponse insertMoney(RequestContext& ctx) {
    ctx.RequireRight(Right::MoneyFull);
    return HttpResponse::Text(200, QString::number(operations(ctx).Insert(requestedOp(ctx, {}))));
}

HttpResponse updateMoney(RequestContext& ctx) {
    const MoneyOp op = requestedOp(ctx, changeableOp(ctx));
    operations(ctx).Update(op);
    return HttpResponse::Text(200, QString::number(op.id));
}

HttpResponse deleteMoney(RequestContext& ctx) {
    const MoneyOp op = changeableOp(ctx);
    if (!ctx.IsAdmin() && ctx.RightValue(Right::MoneyNoDelete) != 0)
        throw HttpError(403, QStringLiteral("Доступ запрещен: удаление операций с деньгами запрещено"));
    operations(ctx).Delete(op.id);
    return HttpResponse::Text(200, QString::number(op.id));
}

// The operations of the period, both days included, newest first, whose sender, receiver or
// note contains the search text.
HttpResponse listMoney(RequestContext& ctx) {
    if (!ctx.HasRight(Right::MoneyView) && !ctx.HasRight(Right::MoneyFull)) throw HttpError::Forbidden();
    const SqlConditions where =
        JournalConditions(ctx, QStringLiteral("m.docdate"), {"ki.upname", "kp.upname", "m.upprim"});
    return ctx.Rows(
        QStringLiteral("SELECT m.id AS id, m.docdate AS docdate, m.klient_i AS id_klient_i, "
                       "m.klient_p AS id_klient_p, ki.name AS name_klient_i, kp.name AS name_klient_p, "
                       "m.prim AS prim, m.sum_m AS sum_m, m.doc_link AS doc_link, "
                       "m.doc_link_invoice AS doc_link_invoice FROM money m "
                       "JOIN klients ki ON ki.account_id = m.account_id AND ki.id = m.klient_i "
                       "JOIN klients kp ON kp.account_id = m.account_id AND kp.id = m.klient_p "
                       "WHERE m.account_id = ?%1 ORDER BY m.docdate DESC, m.id DESC")
            .arg(where.And()),
        QVariantList{ctx.AccountId()} + where.Values());
}

} // namespace

void RegisterMoneyEndpoints(EndpointRegistry& routes) {
    routes.Add(QStringLiteral("/list-money-json.php"), Access::Read, listMoney);
    routes.Add(QStringLiteral("/insert-money.php"), Access::Write, insertMoney);
    routes.Add(QStringLiteral("/update-money.php"), Access::Write, updateMoney);
    routes.Add(QStringLiteral("/delete-money.php"), Access::Write, deleteMoney);
}

} // namespace kovrel::server
