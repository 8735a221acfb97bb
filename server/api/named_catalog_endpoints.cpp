#include "named_catalog_endpoints.h"

#include "endpoint_registry.h"
#include "entry_checks.h"
#include "http_error.h"
#include "json_writer.h"
#include "rec_klient.h"
#include "request_context.h"
#include "right_codes.h"
#include "search_text.h"

namespace kovrel::server {

namespace {

// One catalog of named entries; the differences between the three are all here.
struct NamedCatalog {
    QString list, insert, update; // endpoint paths
    Catalog::Table table;
    int kind;         // type_kl of the entries in the counterparty table; 0: the category table
    QString listed;   // SQL condition of the entries that its list shows
    int right;        // function right needed to write
    QString notFound; // reason of the 404 for an ID that is not such an entry
};

const QList<NamedCatalog>& namedCatalogs() {
    static const QList<NamedCatalog> catalogs = {
        {QStringLiteral("/list-stores-json.php"), QStringLiteral("/insert-store.php"),
         QStringLiteral("/update-store.php"), Catalog::Table::Klients, TypeKlKind::Store,
         QStringLiteral("type_kl = %1").arg(TypeKlKind::Store), Right::Stores,
         QStringLiteral("Склад не найден")},
        // Manager 1 stands for "no manager": it is there for every counterparty without one,
        // and is neither listed nor changed.
        {QStringLiteral("/list-managers-json.php"), QStringLiteral("/insert-manager.php"),
         QStringLiteral("/update-manager.php"), Catalog::Table::Klients, TypeKlKind::Manager,
         QStringLiteral("type_kl = %1 AND id <> %2").arg(TypeKlKind::Manager).arg(Catalog::kNoManager),
         Right::Klients, QStringLiteral("Менеджер не найден")},
        {QStringLiteral("/list-grnames-json.php"), QStringLiteral("/insert-grname.php"),
         QStringLiteral("/update-grname.php"), Catalog::Table::Grnames, 0, QStringLiteral("1 = 1"),
         Right::Goods, QStringLiteral("Категория не найдена")},
    };
    return catalogs;
}

QString tableOf(const NamedCatalog& c) {
    return c.kind ? QStringLiteral("klients") : QStringLiteral("grnames");
}

HttpResponse list(RequestContext& ctx, const NamedCatalog& c) {
    return ctx.Rows(QStringLiteral("SELECT id, flag_del, name, prim FROM %1 WHERE account_id = ? AND %2 "
                                   "AND flag_del = 0 AND %3 ORDER BY upname, id")
                        .arg(tableOf(c), c.listed, SearchCondition({"upname"})),
                    {ctx.AccountId(), ContainsPattern(ctx.Text(QStringLiteral("upname_win")))});
}

HttpResponse insert(RequestContext& ctx, const NamedCatalog& c) {
    ctx.RequireRight(c.right);
    const QString name = EntryName(ctx, QStringLiteral("name_win"));
    const QString prim = ctx.Text(QStringLiteral("prim_win"));
    Catalog catalog = AccountCatalog(ctx);
    return IdReply(c.kind ? catalog.InsertKlient(c.kind, name, prim) : catalog.InsertGroup(name, prim));
}

void requireEntry(RequestContext& ctx, const NamedCatalog& c, int id) {
    if (c.kind == TypeKlKind::Manager && id == Catalog::kNoManager) throw HttpError::NotFound(c.notFound);
    if (c.kind)
        RequireKlientKind(ctx, id, {c.kind}, c.notFound);
    else if (!AccountCatalog(ctx).Exists(c.table, id))
        throw HttpError::NotFound(c.notFound);
}

// Renames the entry, or sets its deletion mark when the request carries one.
HttpResponse update(RequestContext& ctx, const NamedCatalog& c) {
    ctx.RequireRight(c.right);
    const int id = ctx.Int(QStringLiteral("id"));
    requireEntry(ctx, c, id);
    Catalog catalog = AccountCatalog(ctx);
    if (const auto mark = DeletionMark(ctx)) {
        catalog.SetDeleted(c.table, id, *mark);
        return IdReply(id);
    }
    const QString name = EntryName(ctx, QStringLiteral("name_win"));
    const QString prim = ctx.Text(QStringLiteral("prim_win"));
    if (c.kind)
        catalog.UpdateKlient(id, name, prim);
    else
        catalog.UpdateGroup(id, name, prim);
    return IdReply(id);
}

} // namespace

void RegisterNamedCatalogEndpoints(EndpointRegistry& routes) {
    for (const NamedCatalog& c : namedCatalogs()) {
        routes.Add(c.list, Access::Read, [&c](RequestContext& ctx) { return list(ctx, c); });
        routes.Add(c.insert, Access::Write, [&c](RequestContext& ctx) { return insert(ctx, c); });
        routes.Add(c.update, Access::Write, [&c](RequestContext& ctx) { return update(ctx, c); });
    }
}

} // namespace kovrel::server
