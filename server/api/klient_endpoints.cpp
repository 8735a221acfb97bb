#include "klient_endpoints.h"

#include "document_figures.h"
#include "edo_participant.h"
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

const QString kNotFound = QStringLiteral("Контрагент не найден");

// The kinds that the counterparty endpoints serve; stores and managers have their own.
const std::initializer_list<int> kKinds = {TypeKlKind::Klient, TypeKlKind::Account, TypeKlKind::Overhead,
                                           TypeKlKind::Investment};

int kindField(const RequestContext& ctx) {
    const int kind = ctx.Int(QStringLiteral("type_kl"));
    if (kind < TypeKlKind::Klient || kind > TypeKlKind::Investment)
        throw HttpError::BadRequest(QStringLiteral("Поле type_kl должно быть от 1 до 4"));
    return kind;
}

// A manager of the account ("no manager", 1, included).
int managerField(const RequestContext& ctx) {
    const int id = ctx.Int(QStringLiteral("id_manager"));
    RequireKlientKind(ctx, id, {TypeKlKind::Manager}, QStringLiteral("Менеджер не найден"));
    return id;
}

HttpResponse listKlients(RequestContext& ctx) {
    const int kind = kindField(ctx);
    return ctx.Rows(
        QStringLiteral("SELECT k.id, k.flag_del, k.name, k.prim, k.type_kl, "
                       "COALESCE(m.name, '') AS manager_name, k.id_manager, %1 "
                       "FROM klients k "
                       "LEFT JOIN klients m ON m.account_id = k.account_id AND m.id = k.id_manager "
                       "WHERE k.account_id = ? AND k.type_kl = ? AND k.flag_del = 0 AND %2 "
                       "ORDER BY k.upname, k.id")
            .arg(DocumentFigures::KlientSumColumns(), SearchCondition({"k.upname"})),
        {ctx.AccountId(), kind, ContainsPattern(ctx.Text(QStringLiteral("upname_win")))});
}

HttpResponse insertKlient(RequestContext& ctx) {
    ctx.RequireRight(Right::Klients);
    const int kind = kindField(ctx);
    const QString name = EntryName(ctx, QStringLiteral("name_win"), kPartyTextLength);
    const QString prim = ctx.Text(QStringLiteral("prim_win"));
    const int manager = managerField(ctx);
    return IdReply(AccountCatalog(ctx).InsertKlient(kind, name, prim, manager));
}

// Changes name, note and manager, or sets the deletion mark when the request carries one.
HttpResponse updateKlient(RequestContext& ctx) {
    ctx.RequireRight(Right::Klients);
    const int id = ctx.Int(QStringLiteral("id"));
    RequireKlientKind(ctx, id, kKinds, kNotFound);
    Catalog catalog = AccountCatalog(ctx);
    if (const auto mark = DeletionMark(ctx)) {
        catalog.SetDeleted(Catalog::Table::Klients, id, *mark);
        return IdReply(id);
    }
    const QString name = EntryName(ctx, QStringLiteral("name_win"), kPartyTextLength);
    const QString prim = ctx.Text(QStringLiteral("prim_win"));
    catalog.UpdateKlient(id, name, prim, managerField(ctx));
    return IdReply(id);
}

// The requisites kept under an ID of this account: one element, or none when there are none.
HttpResponse selectBank(RequestContext& ctx) {
    return ctx.Rows(
        QStringLiteral("SELECT name, bname, rs, ks, bik, inn, kpp, adres, tel, okpo, ogrn, okpd, "
                       "dir, gbuh, edo_id FROM requisites WHERE account_id = ? AND id_klient = ?"),
        {ctx.AccountId(), ctx.Int(QStringLiteral("id"))});
}

// The ID of the requisites a write names: the own organization's or a counterparty's. The own
// organization's appear on every invoice and waybill the account prints, so changing them
// takes the same right as changing counterparties.
int requisitesOwner(const RequestContext& ctx) {
    ctx.RequireRight(Right::Klients);
    const int id = ctx.Int(QStringLiteral("id"));
    if (id != kOrganizationID) RequireKlientKind(ctx, id, kKinds, kNotFound);
    return id;
}

// Creates or replaces the requisites of a counterparty or of the own organization; the
// participant ID kept beside them stays as it is.
HttpResponse updateBank(RequestContext& ctx) {
    TRecBank b;
    b.ID = requisitesOwner(ctx);
    const auto text = [&ctx](const char* name) { return ctx.Text(QLatin1StringView(name)); };
    b.Name = LimitedText(ctx, QStringLiteral("name_win"), kPartyTextLength);
    b.BName = text("bname_win");
    b.Rs = text("rs_win");
    b.Ks = text("ks_win");
    b.Bik = text("bik_win");
    b.Inn = text("inn_win");
    b.Kpp = text("kpp_win");
    b.Adres = LimitedText(ctx, QStringLiteral("adres_win"), kPartyTextLength);
    b.Tel = text("tel_win");
    b.Okpo = text("okpo_win");
    b.Ogrn = text("ogrn_win");
    b.Okpd = text("okpd_win");
    b.Dir = text("dir_win");
    b.GBuh = text("gbuh_win");
    AccountCatalog(ctx).SaveRequisites(b);
    return IdReply(b.ID);
}

// The e-document participant ID beside the requisites; an empty one clears it.
HttpResponse updateEdoId(RequestContext& ctx) {
    const int id = requisitesOwner(ctx);
    const QString edoId = ctx.Text(QStringLiteral("edo_id_win")).trimmed();
    if (!edoId.isEmpty())
        if (const QString problem = EdoIdProblem(edoId); !problem.isEmpty())
            throw HttpError::BadRequest(QStringLiteral("Поле edo_id_win: ") + problem);
    AccountCatalog(ctx).SaveEdoID(id, edoId);
    return IdReply(id);
}

} // namespace

void RegisterKlientEndpoints(EndpointRegistry& routes) {
    routes.Add(QStringLiteral("/list-klients-dolg-json.php"), Access::Read, listKlients);
    routes.Add(QStringLiteral("/insert-klient.php"), Access::Write, insertKlient);
    routes.Add(QStringLiteral("/update-klient.php"), Access::Write, updateKlient);
    routes.Add(QStringLiteral("/select-bank-json.php"), Access::Read, selectBank);
    routes.Add(QStringLiteral("/update-bank.php"), Access::Write, updateBank);
    routes.Add(QStringLiteral("/update-edo-id.php"), Access::Write, updateEdoId);
}

} // namespace kovrel::server
