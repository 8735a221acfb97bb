// Catalog operations: stores, users, counterparties, categories, managers, requisites, goods.
#include "form_load.h"
#include "reply_fields.h"
#include "wire_values.h"

namespace {

using Element = TFormLoad::Element;
using kovrel::reply::k;
using kovrel::wire::Int;
using kovrel::wire::Money;
using kovrel::wire::Pack;
using kovrel::wire::Search;

// id, flag_del, name, prim: the part every counterparty-table list reads.
void readKlientBase(TRecKlient& r, const Element& e) {
    r.ID = e.Int(k("id"));
    r.FlagDel = e.Int(k("flag_del"));
    r.Name = e.Text(k("name"));
    r.Prim = e.Text(k("prim"));
}

void readKlient(TRecKlient& r, const Element& e) {
    readKlientBase(r, e);
    r.TypeKl = e.Int(k("type_kl"));
    r.ManagerName = e.Text(k("manager_name"));
    r.ManagerID = e.Int(k("id_manager"));
    r.m1_sum = e.Float(k("m1_sum"));
    r.m2_sum = e.Float(k("m2_sum"));
    r.nkl_sum = e.Float(k("nkl_sum"));
    r.prh_sum = e.Float(k("prh_sum"));
}

void readUser(TRecUser& r, const Element& e) {
    r.ID = e.Int(k("ID")); // the only list whose ID key is upper case
    r.FlagDel = e.Int(k("flag_del"));
    r.DopLogin = e.Text(k("dop_login"));
    r.UserName = e.Text(k("user_name"));
}

void readBank(TRecBank& r, const Element& e) {
    r.Name = e.Text(k("name"));
    r.BName = e.Text(k("bname"));
    r.Rs = e.Text(k("rs"));
    r.Ks = e.Text(k("ks"));
    r.Bik = e.Text(k("bik"));
    r.Inn = e.Text(k("inn"));
    r.Kpp = e.Text(k("kpp"));
    r.Adres = e.Text(k("adres"));
    r.Tel = e.Text(k("tel"));
    r.Okpo = e.Text(k("okpo"));
    r.Ogrn = e.Text(k("ogrn"));
    r.Okpd = e.Text(k("okpd"));
    r.Dir = e.Text(k("dir"));
    r.GBuh = e.Text(k("gbuh"));
    r.EdoID = e.Text(k("edo_id"));
}

// The goods fields both goods lists of the catalog read.
void readGoodBase(TRecGood& r, const Element& e) {
    kovrel::reply::ReadGoodItem(r, e);
    r.Nds = e.Float(k("nds"));
    r.GrCode = e.Int(k("gg_code"));
}

void readGood(TRecGood& r, const Element& e) {
    r.ID = e.Int(k("id"));
    readGoodBase(r, e);
    r.IDGoods = e.Int(k("id_goods"));
}

void readGoodStock(TRecGood& r, const Element& e) {
    r.ID = e.Int(k("id_goods"));
    r.IDGoods = r.ID;
    readGoodBase(r, e);
    kovrel::reply::ReadStockTotals(r, e);
}

TFormLoad::Form searchForm(const QString& selName) {
    TFormLoad::Form f = TFormLoad::NewForm();
    f.AddField(QStringLiteral("upname_win"), Search(selName));
    return f;
}

// The deletion mark goes to the entry's update endpoint.
TFormLoad::Form deleteForm(int id) {
    TFormLoad::Form f = TFormLoad::NewForm();
    f.AddField(QStringLiteral("id"), Int(id));
    f.AddField(QStringLiteral("flag_del"), QStringLiteral("1"));
    return f;
}

// name_win and prim_win, after `id` when the entry exists and `type_kl` when asked.
TFormLoad::Form nameForm(const TRecKlient& r, bool withId, bool withKind) {
    TFormLoad::Form f = TFormLoad::NewForm();
    if (withId) f.AddField(QStringLiteral("id"), Int(r.ID));
    if (withKind) f.AddField(QStringLiteral("type_kl"), Int(r.TypeKl));
    f.AddField(QStringLiteral("name_win"), r.Name);
    f.AddField(QStringLiteral("prim_win"), r.Prim);
    return f;
}

TFormLoad::Form userForm(const TRecUser& r, bool withId) {
    TFormLoad::Form f = TFormLoad::NewForm();
    if (withId) f.AddField(QStringLiteral("id"), Int(r.ID));
    f.AddField(QStringLiteral("user_name_win"), r.UserName);
    f.AddField(QStringLiteral("user_dop_login_win"), r.DopLogin);
    return f;
}

TFormLoad::Form klientForm(const TRecKlient& r, bool insert) {
    TFormLoad::Form f = TFormLoad::NewForm();
    f.AddField(insert ? QStringLiteral("type_kl") : QStringLiteral("id"), Int(insert ? r.TypeKl : r.ID));
    f.AddField(QStringLiteral("name_win"), r.Name);
    f.AddField(QStringLiteral("prim_win"), r.Prim);
    f.AddField(QStringLiteral("id_manager"), Int(r.ManagerID));
    return f;
}

TFormLoad::Form goodForm(const TRecGood& r, bool withId) {
    TFormLoad::Form f = TFormLoad::NewForm();
    if (withId) f.AddField(QStringLiteral("id"), Int(r.ID));
    f.AddField(QStringLiteral("name_win"), r.Name);
    f.AddField(QStringLiteral("prim_win"), r.Prim);
    f.AddField(QStringLiteral("code_win"), r.Code);
    f.AddField(QStringLiteral("barcode_win"), r.BarCode);
    f.AddField(QStringLiteral("pack"), Pack(r.Pack));
    f.AddField(QStringLiteral("pcen"), Money(r.PCen));
    f.AddField(QStringLiteral("nds"), Money(r.Nds));
    f.AddField(QStringLiteral("gg_code"), Int(r.GrCode));
    return f;
}

} // namespace

// ---- Stores ---------------------------------------------------------------------------------

void TFormLoad::SelectStoreList(RecordList<TRecKlient>& L, const QString& SelName) {
    ListQuery<TRecKlient>(L, QStringLiteral("/list-stores-json.php"), searchForm(SelName),
                          [](TRecKlient& r, const Element& e) {
                              readKlientBase(r, e);
                              r.TypeKl = TypeKlKind::Store;
                          });
}

bool TFormLoad::UpdateStore(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-store.php"), nameForm(RecKl, true, false));
}

bool TFormLoad::InsertStore(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/insert-store.php"), nameForm(RecKl, false, false));
}

bool TFormLoad::DeleteStore(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-store.php"), deleteForm(RecKl.ID));
}

// ---- Users ----------------------------------------------------------------------------------

void TFormLoad::SelectUserList(RecordList<TRecUser>& L, const QString& SelName) {
    ListQuery<TRecUser>(L, QStringLiteral("/list-users-json.php"), searchForm(SelName), readUser);
}

bool TFormLoad::UpdateUser(const TRecUser& RecKl) {
    return PlainWrite(QStringLiteral("/update-user.php"), userForm(RecKl, true));
}

bool TFormLoad::InsertUser(const TRecUser& RecKl) {
    return PlainWrite(QStringLiteral("/insert-user.php"), userForm(RecKl, false));
}

bool TFormLoad::DeleteUser(const TRecUser& RecKl) {
    return PlainWrite(QStringLiteral("/update-user.php"), deleteForm(RecKl.ID));
}

// ---- Counterparties -------------------------------------------------------------------------

void TFormLoad::SelectKlientList(RecordList<TRecKlient>& L, const QString& SelName, int TypeInd) {
    Form f = NewForm();
    f.AddField(QStringLiteral("type_kl"), Int(TypeInd));
    f.AddField(QStringLiteral("upname_win"), Search(SelName));
    ListQuery<TRecKlient>(L, QStringLiteral("/list-klients-dolg-json.php"), f, readKlient);
}

bool TFormLoad::UpdateKlient(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-klient.php"), klientForm(RecKl, false));
}

bool TFormLoad::InsertKlient(TRecKlient& RecKl) {
    return InsertWithNewID(QStringLiteral("/insert-klient.php"), klientForm(RecKl, true), RecKl.ID);
}

bool TFormLoad::DeleteKlient(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-klient.php"), deleteForm(RecKl.ID));
}

// ---- Goods categories -----------------------------------------------------------------------

void TFormLoad::SelectGroupList(RecordList<TRecKlient>& L, const QString& SelName) {
    ListQuery<TRecKlient>(L, QStringLiteral("/list-grnames-json.php"), searchForm(SelName), readKlientBase);
}

bool TFormLoad::UpdateGroup(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-grname.php"), nameForm(RecKl, true, false));
}

bool TFormLoad::InsertGroup(TRecKlient& RecKl) {
    return InsertWithNewID(QStringLiteral("/insert-grname.php"), nameForm(RecKl, false, true), RecKl.ID);
}

bool TFormLoad::DeleteGroup(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-grname.php"), deleteForm(RecKl.ID));
}

// ---- Managers -------------------------------------------------------------------------------

void TFormLoad::SelectManagerList(RecordList<TRecKlient>& L, const QString& SelName) {
    ListQuery<TRecKlient>(L, QStringLiteral("/list-managers-json.php"), searchForm(SelName),
                          [](TRecKlient& r, const Element& e) {
                              readKlientBase(r, e);
                              r.TypeKl = TypeKlKind::Manager;
                          });
}

bool TFormLoad::UpdateManager(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-manager.php"), nameForm(RecKl, true, false));
}

bool TFormLoad::InsertManager(TRecKlient& RecKl) {
    return InsertWithNewID(QStringLiteral("/insert-manager.php"), nameForm(RecKl, false, true), RecKl.ID);
}

bool TFormLoad::DeleteManager(const TRecKlient& RecKl) {
    return PlainWrite(QStringLiteral("/update-manager.php"), deleteForm(RecKl.ID));
}

// ---- Requisites -----------------------------------------------------------------------------

std::unique_ptr<TRecBank> TFormLoad::SelectBank(int ID) {
    Form f = NewForm();
    f.AddField(QStringLiteral("id"), Int(ID));
    auto rec = FirstElement<TRecBank>(QStringLiteral("/select-bank-json.php"), f, readBank);
    if (!rec) rec = std::make_unique<TRecBank>();
    rec->ID = ID;
    return rec;
}

bool TFormLoad::UpdateBank(const TRecBank& RecBank) {
    Form f = NewForm();
    f.AddField(QStringLiteral("id"), Int(RecBank.ID));
    f.AddField(QStringLiteral("name_win"), RecBank.Name);
    f.AddField(QStringLiteral("bname_win"), RecBank.BName);
    f.AddField(QStringLiteral("rs_win"), RecBank.Rs);
    f.AddField(QStringLiteral("ks_win"), RecBank.Ks);
    f.AddField(QStringLiteral("bik_win"), RecBank.Bik);
    f.AddField(QStringLiteral("inn_win"), RecBank.Inn);
    f.AddField(QStringLiteral("kpp_win"), RecBank.Kpp);
    f.AddField(QStringLiteral("adres_win"), RecBank.Adres);
    f.AddField(QStringLiteral("tel_win"), RecBank.Tel);
    f.AddField(QStringLiteral("okpo_win"), RecBank.Okpo);
    f.AddField(QStringLiteral("ogrn_win"), RecBank.Ogrn);
    f.AddField(QStringLiteral("okpd_win"), RecBank.Okpd);
    f.AddField(QStringLiteral("dir_win"), RecBank.Dir);
    f.AddField(QStringLiteral("gbuh_win"), RecBank.GBuh);
    return PlainWrite(QStringLiteral("/update-bank.php"), f);
}

bool TFormLoad::UpdateEdoID(int ID, const QString& EdoID) {
    Form f = NewForm();
    f.AddField(QStringLiteral("id"), Int(ID));
    f.AddField(QStringLiteral("edo_id_win"), EdoID);
    return PlainWrite(QStringLiteral("/update-edo-id.php"), f);
}

// ---- Goods and kits -------------------------------------------------------------------------

void TFormLoad::SelectGoodList(RecordList<TRecGood>& L, const QString& SelName, bool FlagNorm) {
    Form f = NewForm();
    f.AddField(QStringLiteral("find_win"), Search(SelName));
    f.AddField(QStringLiteral("flag_norm"), kovrel::wire::Flag(FlagNorm));
    ListQuery<TRecGood>(L, QStringLiteral("/list-goods-json.php"), f, readGood);
}

void TFormLoad::SelectOstList(RecordList<TRecGood>& L, const QString& SelName, int FlagZero, int CodeStore) {
    Form f = NewForm();
    f.AddField(QStringLiteral("find_win"), Search(SelName));
    f.AddField(QStringLiteral("flag_zero"), Int(FlagZero));
    f.AddField(QStringLiteral("code_store"), Int(CodeStore));
    ListQuery<TRecGood>(L, QStringLiteral("/rep-ost-json-v2.php"), f, readGoodStock);
}

bool TFormLoad::UpdateGood(const TRecGood& RecGood) {
    return PlainWrite(QStringLiteral("/update-good.php"), goodForm(RecGood, true));
}

bool TFormLoad::InsertGood(const TRecGood& RecGood) {
    return PlainWrite(QStringLiteral("/insert-good.php"), goodForm(RecGood, false));
}

bool TFormLoad::DeleteGood(const TRecGood& RecGood) {
    return PlainWrite(QStringLiteral("/update-good.php"), deleteForm(RecGood.ID));
}

bool TFormLoad::UpdateGoodUnit(int ID, const QString& OKEI) {
    Form f = NewForm();
    f.AddField(QStringLiteral("id"), Int(ID));
    f.AddField(QStringLiteral("okei"), OKEI);
    return PlainWrite(QStringLiteral("/update-good-unit.php"), f);
}
