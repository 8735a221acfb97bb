#include "goods_endpoints.h"

#include "database.h"
#include "document_figures.h"
#include "endpoint_registry.h"
#include "entry_checks.h"
#include "http_error.h"
#include "json_writer.h"
#include "rec_klient.h"
#include "request_context.h"
#include "right_codes.h"
#include "row_cursor.h"
#include "search_text.h"
#include "units_of_measure.h"

namespace kovrel::server {

namespace {

const QString kNotFound = QStringLiteral("Товар не найден");

// A goods search matches the name, the code or the bar code.
const QString& goodsSearch() {
    static const QString condition = SearchCondition({"g.upname", "g.upcode", "g.upbarcode"});
    return condition;
}

QVariantList searchValues(const RequestContext& ctx) {
    const QString pattern = ContainsPattern(ctx.Text(QStringLiteral("find_win")));
    return {pattern, pattern, pattern};
}

HttpResponse listGoods(RequestContext& ctx) {
    const int kits = ctx.Int(QStringLiteral("flag_norm")) != 0 ? 1 : 0;
    return ctx.Rows(
        QStringLiteral("SELECT g.id, g.flag_del, g.name, g.prim, g.pack, g.nds, g.barcode, g.code, "
                       "g.pcen, g.zcen, g.id AS id_goods, g.gg_code, g.okei FROM goods g "
                       "WHERE g.account_id = ? AND g.flag_norm = ? AND g.flag_del = 0 AND %1 "
                       "ORDER BY g.upname, g.id")
            .arg(goodsSearch()),
        QVariantList{ctx.AccountId(), kits} + searchValues(ctx));
}

// The lots of the stock in scope: one store (code_store above 0) or every store the person may
// see (the administrator every store; a user none whose level is 0). Binds: account, store
// twice, account, user.
const QString& stockInScope() {
    static const QString sql =
        QStringLiteral("SELECT m.id_goods, m.zcen, m.kol_plus, m.kol_minus, m.kol_plus_v, "
                       "m.kol_minus_v FROM (%1) m WHERE m.account_id = ? AND (? < 1 OR "
                       "m.id_store = ?) AND m.id_store NOT IN (SELECT r.id_store FROM "
                       "store_rights r WHERE r.account_id = ? AND r.id_user = ? AND r.ur = 0)")
            .arg(DocumentFigures::StockMoves());
    return sql;
}

QVariantList scopeValues(const RequestContext& ctx, int store) {
    return {ctx.AccountId(), store, store, ctx.AccountId(), ctx.IsAdmin() ? -1 : ctx.UserId()};
}

// One row per goods item and purchase price. Goods without any stock have one row at their last
// purchase price.
BoundSql goodsStock(const RequestContext& ctx, int store, bool withZero) {
    static const QString stock =
        QStringLiteral("(COALESCE(s.kol_plus, 0) + COALESCE(s.kol_plus_v, 0) - COALESCE(s.kol_minus, 0) - "
                       "COALESCE(s.kol_minus_v, 0))");
    static const QString nonZero = QStringLiteral("ABS(%1) > 0.000000001").arg(stock);
    return {QStringLiteral(
                "SELECT g.id AS id, g.id AS id_goods, g.flag_del, g.name, g.prim, g.pack, g.nds, g.barcode, "
                "g.code, g.pcen, COALESCE(s.zcen, g.zcen) AS zcen, g.gg_code, COALESCE(s.kol_plus, 0) AS "
                "kol_plus, COALESCE(s.kol_minus, 0) AS kol_minus, COALESCE(s.kol_plus_v, 0) AS kol_plus_v, "
                "COALESCE(s.kol_minus_v, 0) AS kol_minus_v, g.okei FROM goods g LEFT JOIN ("
                "SELECT l.id_goods, l.zcen, SUM(l.kol_plus) AS kol_plus, SUM(l.kol_minus) AS kol_minus, "
                "SUM(l.kol_plus_v) AS kol_plus_v, SUM(l.kol_minus_v) AS kol_minus_v FROM (%1) l "
                "GROUP BY l.id_goods, l.zcen) s ON s.id_goods = g.id "
                "WHERE g.account_id = ? AND g.flag_norm = 0 AND %2 AND (g.flag_del = 0 OR %3) "
                "AND (? <> 0 OR %3) ORDER BY g.upname, g.id, zcen")
                .arg(stockInScope(), goodsSearch(), nonZero),
            scopeValues(ctx, store) + QVariantList{ctx.AccountId()} + searchValues(ctx) +
                QVariantList{withZero ? 1 : 0}};
}

// Kits, with as many kits as their components' stock makes (the smallest balance per unit of a
// component) as the quantity received, and their components' last purchase prices per kit.
BoundSql kitStock(const RequestContext& ctx, int store, bool withZero) {
    return {QStringLiteral(
                "SELECT g.id AS id, g.id AS id_goods, g.flag_del, g.name, g.prim, g.pack, g.nds, g.barcode, "
                "g.code, g.pcen, k.zcen AS zcen, g.gg_code, k.kits AS kol_plus, 0 AS kol_minus, 0 AS "
                "kol_plus_v, 0 AS kol_minus_v, g.okei FROM goods g JOIN (SELECT c.id_kit, "
                "MIN(COALESCE(b.balance, 0) "
                "/ c.kol) AS kits, SUM(c.kol * cg.zcen) AS zcen FROM kit_items c JOIN goods cg ON "
                "cg.account_id = c.account_id AND cg.id = c.id_goods LEFT JOIN (SELECT l.id_goods, "
                "SUM(l.kol_plus + l.kol_plus_v - l.kol_minus - l.kol_minus_v) AS balance FROM (%1) l WHERE "
                "l.id_goods IN (SELECT id_goods FROM kit_items WHERE account_id = ?) GROUP BY l.id_goods) b "
                "ON b.id_goods = c.id_goods WHERE c.account_id = ? GROUP BY c.id_kit) k ON k.id_kit = g.id "
                "WHERE g.account_id = ? AND g.flag_norm = 1 AND g.flag_del = 0 AND %2 "
                "AND (? <> 0 OR k.kits > 0.000000001) ORDER BY g.upname, g.id")
                .arg(stockInScope(), goodsSearch()),
            scopeValues(ctx, store) + QVariantList{ctx.AccountId(), ctx.AccountId(), ctx.AccountId()} +
                searchValues(ctx) + QVariantList{withZero ? 1 : 0}};
}

// The goods picker's list: the stock of goods and kits in scope. With flag_zero 0 only rows
// whose stock is not zero are listed; a goods item marked deleted is listed only while it still
// has stock.
HttpResponse listStock(RequestContext& ctx) {
    const bool withZero = ctx.Int(QStringLiteral("flag_zero")) != 0;
    const int store = ctx.Int(QStringLiteral("code_store"));
    if (store > 0) {
        RequireKlientKind(ctx, store, {TypeKlKind::Store}, QStringLiteral("Склад не найден"));
        if (ctx.StoreLevel(store) == 0) throw HttpError::Forbidden();
    }
    // One query at a time: PostgreSQL hands a connection's rows out one result at a time.
    JsonWriter w;
    w.BeginArray();
    for (const BoundSql& part : {goodsStock(ctx, store, withZero), kitStock(ctx, store, withZero)})
        w.Rows(*RowCursor::Run(ctx.Services().db, part));
    w.EndArray();
    return HttpResponse::Json(w.Take());
}

// The goods fields of an insert or update, checked; the category must be one of the account.
TRecGood goodFields(const RequestContext& ctx) {
    TRecGood g;
    g.Name = EntryName(ctx, QStringLiteral("name_win"), kGoodsNameLength);
    g.Prim = ctx.Text(QStringLiteral("prim_win"));
    g.Code = ctx.Text(QStringLiteral("code_win"));
    g.BarCode = ctx.Text(QStringLiteral("barcode_win"));
    g.Pack = NonNegativeNumber(ctx, QStringLiteral("pack"), AmountKind::Quantity);
    g.PCen = NonNegativeNumber(ctx, QStringLiteral("pcen"), AmountKind::Price);
    g.Nds = NonNegativeNumber(ctx, QStringLiteral("nds"), AmountKind::Quantity);
    g.GrCode = ctx.Int(QStringLiteral("gg_code"));
    if (!AccountCatalog(ctx).Exists(Catalog::Table::Grnames, g.GrCode))
        throw HttpError::NotFound(QStringLiteral("Категория не найдена"));
    return g;
}

HttpResponse insertGood(RequestContext& ctx) {
    ctx.RequireRight(Right::Goods);
    return IdReply(AccountCatalog(ctx).InsertGood(goodFields(ctx)));
}

// The goods item or kit a write names, after the right to change it: kits take their own.
int editedGood(const RequestContext& ctx, const Catalog& catalog) {
    const int id = ctx.Int(QStringLiteral("id"));
    const std::optional<bool> kit = catalog.IsKit(id);
    ctx.RequireRight(kit == true ? Right::Kits : Right::Goods);
    if (!kit) throw HttpError::NotFound(kNotFound);
    return id;
}

// Changes a goods item or a kit, or sets its deletion mark.
HttpResponse updateGood(RequestContext& ctx) {
    Catalog catalog = AccountCatalog(ctx);
    const int id = editedGood(ctx, catalog);
    if (const auto mark = DeletionMark(ctx))
        catalog.SetDeleted(Catalog::Table::Goods, id, *mark);
    else
        catalog.UpdateGood(id, goodFields(ctx));
    return IdReply(id);
}

// The unit of measure of a goods item or kit: a code of the units the papers know, or empty for
// none, so that every stored unit has the symbol they print.
HttpResponse updateGoodUnit(RequestContext& ctx) {
    Catalog catalog = AccountCatalog(ctx);
    const int id = editedGood(ctx, catalog);
    const QString okei = ctx.Text(QStringLiteral("okei")).trimmed();
    if (!IsKnownUnit(okei))
        throw HttpError::BadRequest(
            QStringLiteral("Поле okei: неизвестный код единицы измерения «%1»").arg(okei));
    catalog.SetGoodUnit(id, okei);
    return IdReply(id);
}

} // namespace

void RegisterGoodsEndpoints(EndpointRegistry& routes) {
    routes.Add(QStringLiteral("/list-goods-json.php"), Access::Read, listGoods);
    routes.Add(QStringLiteral("/rep-ost-json-v2.php"), Access::Read, listStock);
    routes.Add(QStringLiteral("/insert-good.php"), Access::Write, insertGood);
    routes.Add(QStringLiteral("/update-good.php"), Access::Write, updateGood);
    routes.Add(QStringLiteral("/update-good-unit.php"), Access::Write, updateGoodUnit);
}

} // namespace kovrel::server
