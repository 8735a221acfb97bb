#include "document_line_endpoints.h"

#include "catalog_refs.h"
#include "database.h"
#include "document_access.h"
#include "document_line_input.h"
#include "document_lines.h"
#include "endpoint_registry.h"
#include "http_error.h"
#include "json_writer.h"
#include "request_context.h"
#include "stock_totals.h"

namespace kovrel::server {

namespace {

// ---- Reading ------------------------------------------------------------------------------

struct ListedLine {
    DocLine line;
    QString name;
    double pack = 1;
    QString okei;
};

std::vector<ListedLine> readLines(const RequestContext& ctx, const DocKind& kind, const QString& condition,
                                  int id) {
    auto q = ctx.Query(QStringLiteral(
                           "SELECT i.id, i.id_z, i.id_goods, i.kol, i.zcen, i.rcen, i.nds, i.flag_norm, "
                           "i.id_row, i.norm_kol, g.name, g.pack, g.okei FROM doc_items i JOIN goods g "
                           "ON g.account_id = i.account_id AND g.id = i.id_goods "
                           "WHERE i.account_id = ? AND i.kind = ? AND %1 "
                           "ORDER BY i.id_row, i.flag_norm DESC, i.id")
                           .arg(condition))
                 .Bind(ctx.AccountId())
                 .Bind(kind.code)
                 .Bind(id)
                 .Run();
    std::vector<ListedLine> lines;
    while (q.Next()) {
        ListedLine l;
        l.line = {q.Int(0),    q.Int(1),    q.Int(2), q.Double(3), q.Double(4),
                  q.Double(5), q.Double(6), q.Int(7), q.Int(8),    q.Double(9)};
        l.name = q.Text(10);
        l.pack = q.Double(11);
        l.okei = q.Text(12);
        lines.push_back(l);
    }
    return lines;
}

// Stock of the line's goods item in a store; for a kit line, how many kits its components'
// stock makes.
StockMove stockOf(const DocLine& line, const StockTotals::ByGoods& totals,
                  const std::vector<DocLine>& parts) {
    if (line.IsKit()) return {.plus = StockTotals::KitsAvailable(parts, totals)};
    const auto it = totals.find(line.goods);
    return it == totals.end() ? StockMove{} : it->second;
}

void writeStock(JsonWriter& w, const char* prefix, const StockMove& s) {
    const auto key = [prefix](const char* name) { return QByteArray(prefix) + name; };
    w.Key(QLatin1StringView(key("kol_plus"))).Number(s.plus);
    w.Key(QLatin1StringView(key("kol_minus"))).Number(s.minus);
    w.Key(QLatin1StringView(key("kol_plus_v"))).Number(s.plusV);
    w.Key(QLatin1StringView(key("kol_minus_v"))).Number(s.minusV);
}

// The stores whose stock goes with the lines: "code_store", or for transfers "code_store_i"
// and "code_store_p".
struct StockStores {
    int first = 0;
    int second = 0;
};

// The stores asked for must be the document's own (either store of a transfer, which is open to
// whoever may work in either): the person may read this document, not every store's stock.
StockStores requestedStores(const RequestContext& ctx, const DocKind& kind, const DocHeader& h) {
    const StockStores stores = kind.twoStores ? StockStores{ctx.Int(QStringLiteral("code_store_i")),
                                                            ctx.Int(QStringLiteral("code_store_p"))}
                                              : StockStores{ctx.Int(QStringLiteral("code_store")), 0};
    const auto own = [&](int store) { return store == h.store || (kind.twoStores && store == h.storeP); };
    for (const int store : {stores.first, kind.twoStores ? stores.second : stores.first})
        if (!own(store))
            throw HttpError(403,
                            QStringLiteral("Доступ запрещен: склад %1 не относится к документу").arg(store));
    return stores;
}

// The first `shown` of the lines, each with its stock.
QByteArray linesJson(const RequestContext& ctx, const DocKind& kind, const std::vector<ListedLine>& lines,
                     StockStores stores, bool withKitRow, size_t shown = SIZE_MAX) {
    const StockTotals totals(ctx.Services().db, ctx.AccountId());
    QList<int> goods;
    for (const ListedLine& l : lines)
        goods.append(l.line.goods);
    const StockTotals::ByGoods first = totals.ForGoods(goods, stores.first);
    const StockTotals::ByGoods second =
        kind.twoStores ? totals.ForGoods(goods, stores.second) : StockTotals::ByGoods{};
    JsonWriter w;
    w.BeginArray();
    for (size_t i = 0; i < lines.size() && i < shown; ++i) {
        const ListedLine& l = lines[i];
        const DocLine& d = l.line;
        std::vector<DocLine> parts;
        for (const ListedLine& p : lines)
            if (p.line.IsKitComponent() && p.line.idRow == d.id) parts.push_back(p.line);
        w.BeginObject()
            .Field(QLatin1StringView("id"), d.id)
            .Field(QLatin1StringView("id_z"), d.docId)
            .Field(QLatin1StringView("id_goods"), d.goods)
            .Field(QLatin1StringView("kol"), d.kol)
            .Field(QLatin1StringView("zcen"), d.zcen)
            .Field(QLatin1StringView("rcen"), d.rcen);
        writeStock(w, "", stockOf(d, first, parts));
        if (kind.twoStores) writeStock(w, "p_", stockOf(d, second, parts));
        w.Field(QLatin1StringView("name"), l.name)
            .Field(QLatin1StringView("pack"), l.pack)
            .Field(QLatin1StringView("okei"), l.okei);
        if (kind.kitLines) {
            w.Field(QLatin1StringView("nds"), d.nds);
            if (withKitRow)
                w.Field(QLatin1StringView("flag_norm"), d.flagNorm)
                    .Field(QLatin1StringView("id_row"), d.idRow);
        }
        w.EndObject();
    }
    w.EndArray();
    return w.Take();
}

HttpResponse listLines(RequestContext& ctx, const DocKind& kind) {
    const DocHeader h = DocumentAccess(ctx, kind).Readable(ctx.Int(QStringLiteral("id")));
    const StockStores stores = requestedStores(ctx, kind, h);
    return HttpResponse::Json(
        linesJson(ctx, kind, readLines(ctx, kind, QStringLiteral("i.id_z = ?"), h.id), stores, true));
}

// One line; a kit line comes with its components, whose stock makes the kit's.
HttpResponse oneLine(RequestContext& ctx, const DocKind& kind) {
    DocumentAccess access(ctx, kind);
    access.RequireRead();
    const int id = ctx.Int(QStringLiteral("id"));
    std::vector<ListedLine> lines = readLines(ctx, kind, QStringLiteral("i.id = ?"), id);
    if (lines.empty()) throw HttpError::NotFound(QStringLiteral("Строка документа не найдена"));
    const StockStores stores = requestedStores(ctx, kind, access.Readable(lines.front().line.docId));
    if (lines.front().line.IsKit()) {
        for (const ListedLine& l :
             readLines(ctx, kind, QStringLiteral("i.id_z = ?"), lines.front().line.docId))
            if (l.line.IsKitComponent() && l.line.idRow == id) lines.push_back(l);
    }
    // Only the line itself is written: the components are there for the kit's stock.
    return HttpResponse::Json(linesJson(ctx, kind, lines, stores, false, 1));
}

// ---- Changing -----------------------------------------------------------------------------

HttpResponse insertLine(RequestContext& ctx, const DocKind& kind) {
    const DocHeader h = DocumentAccess(ctx, kind).Changeable(ctx.Int(QStringLiteral("id_z")));
    const GoodsItem goods = CatalogRefs(ctx).RequireGoods(ctx.Int(QStringLiteral("id_goods")));
    if (goods.kit && !kind.kitLines)
        throw HttpError::BadRequest(QStringLiteral("Комплект «%1» нельзя добавить в документ: %2")
                                        .arg(goods.name, QString::fromUtf8(kind.title)));
    DocLine line;
    line.goods = goods.id;
    line.kol = RequestedQuantity(ctx);
    line.zcen = RequestedPrice(ctx, QStringLiteral("zcen"));
    RequireLineSum(line.kol, line.zcen, QStringLiteral("kol"), QStringLiteral("zcen"));
    if (kind.saleSide) {
        line.rcen = RequestedPrice(ctx, QStringLiteral("rcen"));
        RequireLineSum(line.kol, line.rcen, QStringLiteral("kol"), QStringLiteral("rcen"));
    }
    line.nds = goods.nds;
    line.flagNorm = goods.kit ? 1 : 0;
    DocumentLines lines(ctx.Services().db, ctx.AccountId());
    const int id = lines.Insert(kind, h, line);
    if (kind.side == StockSide::In) lines.Store().SetLastPurchasePrice(goods.id, line.zcen);
    return HttpResponse::Text(200, QString::number(id));
}

HttpResponse updateLine(RequestContext& ctx, const DocKind& kind) {
    const auto [old, h] = ChangeableLine(ctx, kind);
    DocLine now = old;
    now.kol = RequestedQuantity(ctx);
    now.rcen = RequestedPrice(ctx, QStringLiteral("rcen"));
    RequireLineSum(now.kol, now.rcen, QStringLiteral("kol"), QStringLiteral("rcen"));
    RequireLineSum(now.kol, now.zcen, QStringLiteral("kol"), QStringLiteral("zcen"));
    DocumentLines(ctx.Services().db, ctx.AccountId()).Update(kind, h, old, now);
    return HttpResponse::Text(200, QString::number(now.id));
}

HttpResponse deleteLine(RequestContext& ctx, const DocKind& kind) {
    const auto [line, h] = ChangeableLine(ctx, kind);
    DocumentLines(ctx.Services().db, ctx.AccountId()).Delete(kind, h, line);
    return HttpResponse::Text(200, QString::number(line.id));
}

} // namespace

void RegisterDocumentLineEndpoints(EndpointRegistry& routes) {
    for (const DocKind* kind : DocKind::All()) {
        const DocKind& k = *kind;
        routes.Add(k.Endpoint("/list-%1-items-with-ost-json.php"), Access::Read,
                   [&k](RequestContext& ctx) { return listLines(ctx, k); });
        routes.Add(k.Endpoint("/list-%1-items-one-with-ost-json.php"), Access::Read,
                   [&k](RequestContext& ctx) { return oneLine(ctx, k); });
        routes.Add(k.Endpoint("/insert-%1-items.php"), Access::Write,
                   [&k](RequestContext& ctx) { return insertLine(ctx, k); });
        routes.Add(k.Endpoint("/delete-%1-items-one.php"), Access::Write,
                   [&k](RequestContext& ctx) { return deleteLine(ctx, k); });
        if (k.side != StockSide::In)
            routes.Add(k.Endpoint("/update-%1-items.php"), Access::Write,
                       [&k](RequestContext& ctx) { return updateLine(ctx, k); });
    }
}

} // namespace kovrel::server
