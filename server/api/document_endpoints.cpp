#include "document_endpoints.h"

#include "catalog_refs.h"
#include "document_access.h"
#include "document_lines.h"
#include "endpoint_registry.h"
#include "http_error.h"
#include "journal_conditions.h"
#include "json_writer.h"
#include "request_context.h"
#include "sql_conditions.h"

namespace kovrel::server {

namespace {

// The header a request sends; `kept` is the stored header it replaces (empty for an insert),
// whose entries may stay even when marked deleted since.
DocHeader requestedHeader(const RequestContext& ctx, const DocKind& kind, const DocHeader& kept) {
    DocHeader h = kept;
    h.date = ctx.Date(QStringLiteral("dat"));
    h.prim = ctx.TextOr(QStringLiteral("prim_win"));
    const CatalogRefs refs(ctx);
    if (kind.twoStores) {
        h.store = ctx.Int(QStringLiteral("id_stores_i"));
        h.storeP = ctx.Int(QStringLiteral("id_stores_p"));
        refs.RequireStore(h.store, kept.store, QStringLiteral("склад-отправитель"));
        refs.RequireStore(h.storeP, kept.storeP, QStringLiteral("склад-получатель"));
    } else {
        h.store = ctx.Int(QStringLiteral("id_stores"));
        h.klient = std::max(0, ctx.Int(QStringLiteral("id_klients")));
        refs.RequireStore(h.store, kept.store, QStringLiteral("склад"));
        refs.RequireKlient(h.klient, kept.klient, true, QStringLiteral("контрагент"));
    }
    return h;
}

// The money operations that pay document `id`, in number order.
QStringList paymentsOf(const RequestContext& ctx, const DocKind& kind, int id) {
    QStringList payments;
    if (!kind.paymentLink) return payments;
    auto q = ctx.Query(QStringLiteral("SELECT id FROM money WHERE account_id = ? AND %1 = ? ORDER BY id")
                           .arg(QLatin1String(kind.paymentLink)))
                 .Bind(ctx.AccountId())
                 .Bind(id)
                 .Run();
    while (q.Next())
        payments.append(QString::number(q.Int(0)));
    return payments;
}

// A document that payments refer to stays: deleting it would leave them paying nothing.
void requireNoPayments(const RequestContext& ctx, const DocKind& kind, int id) {
    const QStringList payments = paymentsOf(ctx, kind, id);
    if (!payments.isEmpty())
        throw HttpError::Conflict(
            QStringLiteral("На документ ссылаются операции с деньгами № %1: удалите их или "
                           "уберите в них номер документа")
                .arg(payments.join(QStringLiteral(", "))));
}

// Nor does it lose or change its counterparty while they refer to it: the payments would belong
// to no document of the one who paid, and the debts would show an advance or a debt that is
// none. Giving a counterparty to a document that had none stays possible: that puts it right.
void requireCounterpartyKept(const RequestContext& ctx, const DocKind& kind, const DocHeader& old,
                             const DocHeader& now) {
    if (kind.twoStores || old.klient == 0 || now.klient == old.klient) return;
    const QStringList payments = paymentsOf(ctx, kind, old.id);
    if (!payments.isEmpty())
        throw HttpError::Conflict(
            QStringLiteral("На документ ссылаются операции с деньгами № %1: контрагента документа нельзя "
                           "убрать или заменить, пока они на него ссылаются")
                .arg(payments.join(QStringLiteral(", "))));
}

HttpResponse insertDoc(RequestContext& ctx, const DocKind& kind) {
    const DocumentAccess access(ctx, kind);
    access.RequireWrite();
    const DocHeader h = requestedHeader(ctx, kind, {});
    access.RequireStores(h);
    access.RequireOpen(h.date);
    const int id = DocumentStore(ctx.Services().db, ctx.AccountId()).InsertHeader(kind, h);
    return HttpResponse::Text(200, QString::number(id));
}

HttpResponse updateDoc(RequestContext& ctx, const DocKind& kind) {
    const DocumentAccess access(ctx, kind);
    const DocHeader old = access.Changeable(ctx.Int(QStringLiteral("id")));
    const DocHeader now = requestedHeader(ctx, kind, old);
    access.RequireStores(now);
    access.RequireOpen(now.date);
    requireCounterpartyKept(ctx, kind, old, now);
    DocumentLines(ctx.Services().db, ctx.AccountId()).ChangeHeader(kind, old, now);
    return HttpResponse::Text(200, QString::number(now.id));
}

HttpResponse deleteDoc(RequestContext& ctx, const DocKind& kind) {
    const DocumentAccess access(ctx, kind);
    const DocHeader h = access.Changeable(ctx.Int(QStringLiteral("id")));
    access.RequireDeletable();
    requireNoPayments(ctx, kind, h.id);
    DocumentLines(ctx.Services().db, ctx.AccountId()).DeleteDocument(kind, h);
    return HttpResponse::Text(200, QString::number(h.id));
}

// The journal: the documents of the period, both days included, newest first, whose
// counterparty, store or note contains the search text.
HttpResponse listDocs(RequestContext& ctx, const DocKind& kind) {
    const DocumentAccess access(ctx, kind);
    access.RequireRead();
    SqlConditions where =
        JournalConditions(ctx, QStringLiteral("d.docdate"), {"k.upname", "s.upname", "d.upprim"});
    access.LimitList(where, QStringLiteral("d.id_store"), QStringLiteral("d.id_store_p"));

    // For a transfer k is the receiving store; for the others the counterparty.
    const QString columns =
        kind.twoStores
            ? QStringLiteral("d.id AS id, d.docdate AS docdate, d.id_store AS id_stores_i, "
                             "d.id_store_p AS id_stores_p, s.name AS name_stores_i, k.name AS name_stores_p, "
                             "d.prim AS prim, d.zsum AS zsum, d.rsum AS rsum")
            : QStringLiteral(
                  "d.id AS id, d.docdate AS docdate, COALESCE(d.id_klient, 0) AS id_klients, "
                  "d.id_store AS id_stores, COALESCE(k.name, '') AS name_klients, "
                  "s.name AS name_stores, d.prim AS prim, d.zsum AS zsum, %1"
                  "(SELECT COALESCE(SUM(m.sum_m), 0) FROM money m WHERE m.account_id = d.account_id "
                  "AND m.%2 = d.id) AS money_sum")
                  .arg(kind.saleSide ? QStringLiteral("d.rsum AS rsum, ") : QString(),
                       &kind == &DocKind::Invoice() ? QStringLiteral("doc_link_invoice")
                                                    : QStringLiteral("doc_link"));
    return ctx.Rows(
        QStringLiteral("SELECT %1 FROM docs d "
                       "JOIN klients s ON s.account_id = d.account_id AND s.id = d.id_store "
                       "LEFT JOIN klients k ON k.account_id = d.account_id AND k.id = d.%2 "
                       "WHERE d.account_id = ? AND d.kind = ?%3 ORDER BY d.docdate DESC, d.id DESC")
            .arg(columns, kind.twoStores ? QStringLiteral("id_store_p") : QStringLiteral("id_klient"),
                 where.And()),
        QVariantList{ctx.AccountId(), kind.code} + where.Values());
}

} // namespace

void RegisterDocumentEndpoints(EndpointRegistry& routes) {
    for (const DocKind* kind : DocKind::All()) {
        const DocKind& k = *kind;
        routes.Add(k.Endpoint("/list-%1-json.php"), Access::Read,
                   [&k](RequestContext& ctx) { return listDocs(ctx, k); });
        routes.Add(k.Endpoint("/insert-%1.php"), Access::Write,
                   [&k](RequestContext& ctx) { return insertDoc(ctx, k); });
        routes.Add(k.Endpoint("/update-%1.php"), Access::Write,
                   [&k](RequestContext& ctx) { return updateDoc(ctx, k); });
        routes.Add(k.Endpoint("/delete-%1.php"), Access::Write,
                   [&k](RequestContext& ctx) { return deleteDoc(ctx, k); });
    }
}

} // namespace kovrel::server
