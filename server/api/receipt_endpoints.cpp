#include "receipt_endpoints.h"

#include "amounts.h"
#include "catalog.h"
#include "catalog_refs.h"
#include "database.h"
#include "document_access.h"
#include "document_line_input.h"
#include "document_lines.h"
#include "endpoint_registry.h"
#include "entry_checks.h"
#include "http_error.h"
#include "request_context.h"

namespace kovrel::server {

namespace {

const DocKind& kPrh = DocKind::Prh();

// The line as the editor saw it when it opened: another person's change since then would be
// overwritten unseen, so the update is refused and the editor reloads.
void requireUnchangedSince(const RequestContext& ctx, const DocLine& stored) {
    if (ctx.Int(QStringLiteral("id_goods")) != stored.goods)
        throw HttpError::Conflict(
            QStringLiteral("Товар строки не совпадает с сохраненным: обновите документ"));
    const double oldKol = RequestedQuantity(ctx, QStringLiteral("old_kol"));
    const double oldZcen = RequestedPrice(ctx, QStringLiteral("old_zcen"));
    if (qAbs(oldKol - stored.kol) > 0.0005 || qAbs(oldZcen - stored.zcen) > 0.005)
        throw HttpError::Conflict(QStringLiteral("Строка изменена другим пользователем: обновите документ"));
}

// A new quantity and purchase price. With "compare" 1 a changed price also goes to the sales
// and transfers that took the stock this line priced (PurchasePriceChange); with 0 only the
// line's own stock changes price.
HttpResponse updateReceiptLine(RequestContext& ctx) {
    const auto [old, h] = ChangeableLine(ctx, kPrh);
    requireUnchangedSince(ctx, old);
    const int compare = ctx.Int(QStringLiteral("compare"));
    if (compare != 0 && compare != 1)
        throw HttpError::BadRequest(QStringLiteral("Поле compare должно быть 0 или 1"));
    DocLine now = old;
    now.kol = RequestedQuantity(ctx);
    now.zcen = RequestedPrice(ctx, QStringLiteral("zcen"));
    RequireLineSum(now.kol, now.zcen, QStringLiteral("kol"), QStringLiteral("zcen"));
    DocumentLines lines(ctx.Services().db, ctx.AccountId());
    lines.Update(kPrh, h, old, now);
    if (now.zcen != old.zcen) {
        lines.Store().SetLastPurchasePrice(now.goods, now.zcen);
        if (compare == 1) lines.CarryPurchasePrice(h, now, old.zcen);
    }
    return HttpResponse::Text(200, QString::number(now.id));
}

// ---- Import -----------------------------------------------------------------------------------

struct ImportRow {
    int goods = 0; // 0: a new goods item from the fields below
    QString name, code, barcode;
    double pcen = 0, zcen = 0, kol = 0;
};

// Reads every row before anything is written, so a bad row leaves the receipt as it was.
QList<ImportRow> importRows(const RequestContext& ctx) {
    QList<ImportRow> rows;
    const CatalogRefs refs(ctx);
    for (int i = 0;; ++i) {
        const QString p = QStringLiteral("list[%1][").arg(i);
        if (!ctx.Has(p + QStringLiteral("find_id]"))) break;
        try {
            ImportRow r;
            r.goods = std::max(0, ctx.Int(p + QStringLiteral("find_id]")));
            // Only a row that creates a goods item names one.
            r.name = (r.goods == 0 ? EntryName(ctx, p + QStringLiteral("name_win]"), kGoodsNameLength)
                                   : ctx.Text(p + QStringLiteral("name_win]")))
                         .trimmed();
            r.code = ctx.TextOr(p + QStringLiteral("code_win]")).trimmed();
            r.barcode = ctx.TextOr(p + QStringLiteral("barcode_win]")).trimmed();
            r.pcen = RequestedPrice(ctx, p + QStringLiteral("pcen]"));
            r.zcen = RequestedPrice(ctx, p + QStringLiteral("zcen]"));
            r.kol = RequestedQuantity(ctx, p + QStringLiteral("kol]"));
            RequireLineSum(r.kol, r.zcen, p + QStringLiteral("kol]"), p + QStringLiteral("zcen]"));
            if (r.goods > 0 && refs.RequireGoods(r.goods).kit)
                throw HttpError::BadRequest(QStringLiteral("комплект нельзя оприходовать"));
            rows.append(r);
        } catch (const HttpError& e) {
            throw HttpError(e.Status(), QStringLiteral("Строка %1: %2").arg(i + 1).arg(e.Reason()));
        }
    }
    return rows;
}

// A goods item of the default category, one unit per pack, no VAT.
int newGoodsItem(const RequestContext& ctx, const ImportRow& r) {
    TRecGood g;
    g.Name = r.name;
    g.Code = r.code;
    g.BarCode = r.barcode;
    g.PCen = r.pcen;
    g.ZCen = r.zcen;
    return Catalog(ctx.Services().db, ctx.AccountId()).InsertGood(g);
}

// All rows of a spreadsheet become lines of the receipt in one transaction; a row that matched
// no goods item creates one from its name, code, barcode and prices.
HttpResponse importLines(RequestContext& ctx) {
    const DocHeader h = DocumentAccess(ctx, kPrh).Changeable(ctx.Int(QStringLiteral("id")));
    const QList<ImportRow> rows = importRows(ctx);
    DocumentLines lines(ctx.Services().db, ctx.AccountId());
    for (const ImportRow& r : rows) {
        DocLine line;
        line.goods = r.goods > 0 ? r.goods : newGoodsItem(ctx, r);
        line.kol = r.kol;
        line.zcen = r.zcen;
        lines.Insert(kPrh, h, line);
        lines.Store().SetLastPurchasePrice(line.goods, line.zcen);
    }
    return HttpResponse::Text(200, QString::number(rows.size()));
}

} // namespace

void RegisterReceiptEndpoints(EndpointRegistry& routes) {
    routes.Add(kPrh.Endpoint("/update-%1-items.php"), Access::Write, updateReceiptLine);
    routes.Add(QStringLiteral("/insert-prh-excel-win.php"), Access::Write, importLines);
}

} // namespace kovrel::server
