// Document operations: receipts, sales waybills, orders, internal transfers, money operations.
//
// The four goods-document kinds share one set of endpoints ("/list-<stem>-json.php" and its
// siblings), one header form and one line form; where they differ is written down once, in
// their DocKind entry below.
#include "form_load.h"
#include "reply_fields.h"
#include "wire_values.h"

namespace {

using Element = TFormLoad::Element;
using Form = TFormLoad::Form;
using kovrel::reply::k;
using kovrel::wire::Date;
using kovrel::wire::Int;
using kovrel::wire::Money;
using kovrel::wire::Qty;
using kovrel::wire::Search;

struct DocKind {
    const char* stem;
    // A transfer names a sending and a receiving store; the others a store and a counterparty.
    bool twoStores;
    // Receipts have no sale side: their list reads no "rsum" and their line insert sends no "rcen".
    bool saleSide;
    // Sales waybills and orders carry VAT and kits on their lines: "nds", "flag_norm", "id_row".
    bool kitLines;

    QString Endpoint(const char* pattern) const {
        return QString::fromLatin1(pattern).arg(QLatin1String(stem));
    }
};

constexpr DocKind kNkl{"nkl", false, true, true};
constexpr DocKind kInvoice{"invoice", false, true, true};
constexpr DocKind kPrh{"prh", false, false, false};
constexpr DocKind kVnk{"vnk", true, true, false};

// ---- Headers ----------------------------------------------------------------------------------

void readDoc(const DocKind& kind, TRecDoc& r, const Element& e) {
    r.ID = e.Int(k("id"));
    r.DocDate = e.Date(k("docdate"));
    if (kind.twoStores) {
        r.StoreIDI = e.Int(k("id_stores_i"));
        r.StoreIDP = e.Int(k("id_stores_p"));
        r.StoreNameI = e.Text(k("name_stores_i"));
        r.StoreNameP = e.Text(k("name_stores_p"));
    } else {
        r.KlientID = e.Int(k("id_klients"));
        r.StoreID = e.Int(k("id_stores"));
        r.KlientName = e.Text(k("name_klients"));
        r.StoreName = e.Text(k("name_stores"));
    }
    r.Prim = e.Text(k("prim"));
    r.SumZ = e.Float(k("zsum"));
    if (kind.saleSide) r.SumR = e.Float(k("rsum"));
    if (!kind.twoStores) r.MoneySum = e.Float(k("money_sum"));
}

Form periodForm(const QString& selName, TDateTime beginDat, TDateTime endDat) {
    Form f = TFormLoad::NewForm();
    f.AddField(QStringLiteral("find_win"), Search(selName));
    f.AddField(QStringLiteral("dat_begin"), Date(beginDat));
    f.AddField(QStringLiteral("dat_end"), Date(endDat));
    return f;
}

// The header as update and insert send it; the insert has no `id`.
Form docForm(const DocKind& kind, const TRecDoc& r, bool withId) {
    Form f = TFormLoad::NewForm();
    if (withId) f.AddField(QStringLiteral("id"), Int(r.ID));
    f.AddField(QStringLiteral("dat"), Date(r.DocDate));
    if (kind.twoStores) {
        f.AddField(QStringLiteral("id_stores_i"), Int(r.StoreIDI));
        f.AddField(QStringLiteral("id_stores_p"), Int(r.StoreIDP));
    } else {
        f.AddField(QStringLiteral("id_stores"), Int(r.StoreID));
        f.AddField(QStringLiteral("id_klients"), Int(r.KlientID));
    }
    f.AddField(QStringLiteral("prim_win"), r.Prim);
    return f;
}

Form idForm(int id) {
    Form f = TFormLoad::NewForm();
    f.AddField(QStringLiteral("id"), Int(id));
    return f;
}

// ---- Lines ------------------------------------------------------------------------------------

// The stores whose stock comes back with the lines: one, or the two of a transfer.
struct StockStores {
    int store;
    int receiving = 0;
};

// The keys a line list and a line refresh both read; the list also reads the kit keys.
void readItem(const DocKind& kind, TRecDocItem& r, const Element& e, bool withKitRow) {
    r.ID = e.Int(k("id"));
    r.IDZag = e.Int(k("id_z"));
    r.IDGood = e.Int(k("id_goods"));
    r.Kol = e.Float(k("kol"));
    r.CenZ = e.Float(k("zcen"));
    r.CenR = e.Float(k("rcen"));
    r.KolPlus = e.Float(k("kol_plus"));
    r.KolMinus = e.Float(k("kol_minus"));
    r.KolPlusV = e.Float(k("kol_plus_v"));
    r.KolMinusV = e.Float(k("kol_minus_v"));
    r.Name = e.Text(k("name"));
    r.Pack = e.Float(k("pack"));
    r.OKEI = e.Text(k("okei"));
    if (kind.kitLines) {
        r.ProcNds = e.Float(k("nds"));
        if (withKitRow) {
            r.FlagNorm = e.Int(k("flag_norm"));
            r.IdRow = e.Int(k("id_row"));
        }
    }
    if (kind.twoStores) {
        r.PKolPlus = e.Float(k("p_kol_plus"));
        r.PKolMinus = e.Float(k("p_kol_minus"));
        r.PKolPlusV = e.Float(k("p_kol_plus_v"));
        r.PKolMinusV = e.Float(k("p_kol_minus_v"));
    }
}

// `id` (of the document or of the line), then the store or stores whose stock is wanted.
Form stockForm(const DocKind& kind, int id, StockStores stores) {
    Form f = idForm(id);
    if (kind.twoStores) {
        f.AddField(QStringLiteral("code_store_i"), Int(stores.store));
        f.AddField(QStringLiteral("code_store_p"), Int(stores.receiving));
    } else {
        f.AddField(QStringLiteral("code_store"), Int(stores.store));
    }
    return f;
}

Form itemInsertForm(const DocKind& kind, const TRecDocItem& r) {
    Form f = TFormLoad::NewForm();
    f.AddField(QStringLiteral("id_z"), Int(r.IDZag));
    f.AddField(QStringLiteral("id_goods"), Int(r.IDGood));
    f.AddField(QStringLiteral("kol"), Qty(r.Kol));
    f.AddField(QStringLiteral("zcen"), Money(r.CenZ));
    if (kind.saleSide) f.AddField(QStringLiteral("rcen"), Money(r.CenR));
    return f;
}

// Quantity and sale price: a line's goods and purchase price go once, with the insert.
Form itemUpdateForm(const TRecDocItem& r) {
    Form f = idForm(r.ID);
    f.AddField(QStringLiteral("kol"), Qty(r.Kol));
    f.AddField(QStringLiteral("rcen"), Money(r.CenR));
    return f;
}

// ---- The family, bound to one kind -----------------------------------------------------------

class Documents {
public:
    Documents(TFormLoad& fl, const DocKind& kind)
        : m_fl(fl)
        , m_kind(kind) {}

    void SelectList(RecordList<TRecDoc>& L, const QString& selName, TDateTime beginDat, TDateTime endDat) {
        const DocKind& kind = m_kind;
        m_fl.ListQuery<TRecDoc>(L, m_kind.Endpoint("/list-%1-json.php"),
                                periodForm(selName, beginDat, endDat),
                                [&kind](TRecDoc& r, const Element& e) { readDoc(kind, r, e); });
    }
    bool Update(const TRecDoc& r) {
        return m_fl.PlainWrite(m_kind.Endpoint("/update-%1.php"), docForm(m_kind, r, true));
    }
    bool Insert(TRecDoc& r) {
        return m_fl.InsertWithNewID(m_kind.Endpoint("/insert-%1.php"), docForm(m_kind, r, false), r.ID);
    }
    bool Delete(const TRecDoc& r) { return m_fl.PlainWrite(m_kind.Endpoint("/delete-%1.php"), idForm(r.ID)); }

    void SelectItems(RecordList<TRecDocItem>& L, int id, StockStores stores) {
        const DocKind& kind = m_kind;
        m_fl.ListQuery<TRecDocItem>(
            L, m_kind.Endpoint("/list-%1-items-with-ost-json.php"), stockForm(m_kind, id, stores),
            [&kind](TRecDocItem& r, const Element& e) { readItem(kind, r, e, true); });
    }
    std::unique_ptr<TRecDocItem> SelectItemOne(const TRecDocItem& r, StockStores stores) {
        const DocKind& kind = m_kind;
        return m_fl.FirstElement<TRecDocItem>(
            m_kind.Endpoint("/list-%1-items-one-with-ost-json.php"), stockForm(m_kind, r.ID, stores),
            [&kind](TRecDocItem& x, const Element& e) { readItem(kind, x, e, false); });
    }
    bool UpdateItem(const Form& f) { return m_fl.PlainWrite(m_kind.Endpoint("/update-%1-items.php"), f); }
    bool InsertItem(TRecDocItem& r) {
        return m_fl.InsertWithNewID(m_kind.Endpoint("/insert-%1-items.php"), itemInsertForm(m_kind, r), r.ID);
    }
    bool DeleteItem(const TRecDocItem& r) {
        return m_fl.PlainWrite(m_kind.Endpoint("/delete-%1-items-one.php"), idForm(r.ID));
    }

private:
    TFormLoad& m_fl;
    const DocKind& m_kind;
};

// ---- Money operations -------------------------------------------------------------------------

void readMoney(TRecMoney& r, const Element& e) {
    r.ID = e.Int(k("id"));
    r.DocDate = e.Date(k("docdate"));
    r.KlientIDI = e.Int(k("id_klient_i"));
    r.KlientIDP = e.Int(k("id_klient_p"));
    r.KlientNameI = e.Text(k("name_klient_i"));
    r.KlientNameP = e.Text(k("name_klient_p"));
    r.Prim = e.Text(k("prim"));
    r.SumM = e.Float(k("sum_m"));
    r.DocN = e.Int(k("doc_link"));
    r.InvoiceN = e.Int(k("doc_link_invoice"));
}

// The update sends `id` first and, as the service expects, once more before the links; the
// insert sends it at neither place.
Form moneyForm(const TRecMoney& r, bool withId) {
    Form f = TFormLoad::NewForm();
    if (withId) f.AddField(QStringLiteral("id"), Int(r.ID));
    f.AddField(QStringLiteral("dat"), Date(r.DocDate));
    f.AddField(QStringLiteral("sum_m"), Money(r.SumM));
    f.AddField(QStringLiteral("klient_i"), Int(r.KlientIDI));
    f.AddField(QStringLiteral("klient_p"), Int(r.KlientIDP));
    f.AddField(QStringLiteral("prim_win"), r.Prim);
    if (withId) f.AddField(QStringLiteral("id"), Int(r.ID));
    f.AddField(QStringLiteral("doc_link"), Int(r.DocN));
    f.AddField(QStringLiteral("doc_link_invoice"), Int(r.InvoiceN));
    return f;
}

} // namespace

// ---- Sales waybills -------------------------------------------------------------------------

void TFormLoad::SelectNklList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat,
                              TDateTime EndDat) {
    Documents(*this, kNkl).SelectList(L, SelName, BeginDat, EndDat);
}
bool TFormLoad::UpdateNkl(const TRecDoc& RecNkl) {
    return Documents(*this, kNkl).Update(RecNkl);
}
bool TFormLoad::InsertNkl(TRecDoc& RecNkl) {
    return Documents(*this, kNkl).Insert(RecNkl);
}
bool TFormLoad::DeleteNkl(const TRecDoc& RecNkl) {
    return Documents(*this, kNkl).Delete(RecNkl);
}
void TFormLoad::SelectNklItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStore) {
    Documents(*this, kNkl).SelectItems(L, ID, {CodeStore});
}
std::unique_ptr<TRecDocItem> TFormLoad::SelectNklItemOne(const TRecDocItem& Rec, int CodeStore) {
    return Documents(*this, kNkl).SelectItemOne(Rec, {CodeStore});
}
bool TFormLoad::UpdateNklItem(const TRecDocItem& Rec) {
    return Documents(*this, kNkl).UpdateItem(itemUpdateForm(Rec));
}
bool TFormLoad::InsertNklItem(TRecDocItem& Rec) {
    return Documents(*this, kNkl).InsertItem(Rec);
}
bool TFormLoad::DeleteNklItemOne(const TRecDocItem& Rec) {
    return Documents(*this, kNkl).DeleteItem(Rec);
}

// ---- Orders ---------------------------------------------------------------------------------

void TFormLoad::SelectInvoiceList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat,
                                  TDateTime EndDat) {
    Documents(*this, kInvoice).SelectList(L, SelName, BeginDat, EndDat);
}
bool TFormLoad::UpdateInvoice(const TRecDoc& RecInvoice) {
    return Documents(*this, kInvoice).Update(RecInvoice);
}
bool TFormLoad::InsertInvoice(TRecDoc& RecInvoice) {
    return Documents(*this, kInvoice).Insert(RecInvoice);
}
bool TFormLoad::DeleteInvoice(const TRecDoc& RecInvoice) {
    return Documents(*this, kInvoice).Delete(RecInvoice);
}
void TFormLoad::SelectInvoiceItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStore) {
    Documents(*this, kInvoice).SelectItems(L, ID, {CodeStore});
}
std::unique_ptr<TRecDocItem> TFormLoad::SelectInvoiceItemOne(const TRecDocItem& Rec, int CodeStore) {
    return Documents(*this, kInvoice).SelectItemOne(Rec, {CodeStore});
}
bool TFormLoad::UpdateInvoiceItem(const TRecDocItem& Rec) {
    return Documents(*this, kInvoice).UpdateItem(itemUpdateForm(Rec));
}
bool TFormLoad::InsertInvoiceItem(TRecDocItem& Rec) {
    return Documents(*this, kInvoice).InsertItem(Rec);
}
bool TFormLoad::DeleteInvoiceItemOne(const TRecDocItem& Rec) {
    return Documents(*this, kInvoice).DeleteItem(Rec);
}

// ---- Receipts -------------------------------------------------------------------------------

void TFormLoad::SelectPrhList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat,
                              TDateTime EndDat) {
    Documents(*this, kPrh).SelectList(L, SelName, BeginDat, EndDat);
}
bool TFormLoad::UpdatePrh(const TRecDoc& RecPrh) {
    return Documents(*this, kPrh).Update(RecPrh);
}
bool TFormLoad::InsertPrh(TRecDoc& RecPrh) {
    return Documents(*this, kPrh).Insert(RecPrh);
}
bool TFormLoad::DeletePrh(const TRecDoc& RecPrh) {
    return Documents(*this, kPrh).Delete(RecPrh);
}
void TFormLoad::SelectPrhItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStore) {
    Documents(*this, kPrh).SelectItems(L, ID, {CodeStore});
}
std::unique_ptr<TRecDocItem> TFormLoad::SelectPrhItemOne(const TRecDocItem& Rec, int CodeStore) {
    return Documents(*this, kPrh).SelectItemOne(Rec, {CodeStore});
}

// A receipt line's update carries what the line held before, so the service can move the stock
// it brought and, with `compare` 1, revalue it at the new purchase price.
bool TFormLoad::UpdatePrhItem(const TRecDocItem& Rec, double OldKol, double OldCenZ, int Compare) {
    Form f = idForm(Rec.ID);
    f.AddField(QStringLiteral("kol"), Qty(Rec.Kol));
    f.AddField(QStringLiteral("zcen"), Money(Rec.CenZ));
    f.AddField(QStringLiteral("id_goods"), Int(Rec.IDGood));
    f.AddField(QStringLiteral("old_kol"), Qty(OldKol));
    f.AddField(QStringLiteral("old_zcen"), Money(OldCenZ));
    f.AddField(QStringLiteral("compare"), Int(Compare));
    return Documents(*this, kPrh).UpdateItem(f);
}
bool TFormLoad::InsertPrhItem(TRecDocItem& Rec) {
    return Documents(*this, kPrh).InsertItem(Rec);
}
bool TFormLoad::DeletePrhItemOne(const TRecDocItem& Rec) {
    return Documents(*this, kPrh).DeleteItem(Rec);
}

// All spreadsheet rows in one request, each as seven "list[i][…]" fields.
bool TFormLoad::InsertPrhItemExcel(const RecordList<TRecGood>& L, int IDZag) {
    const LongRequest slow(*this);
    Form f = idForm(IDZag);
    for (size_t i = 0; i < L.size(); ++i) {
        const TRecGood& g = *L[i];
        const QString row = QStringLiteral("list[%1]").arg(i);
        f.AddField(row + QStringLiteral("[find_id]"), Int(g.IDGoods));
        f.AddField(row + QStringLiteral("[name_win]"), g.Name);
        f.AddField(row + QStringLiteral("[pcen]"), Money(g.PCen));
        f.AddField(row + QStringLiteral("[zcen]"), Money(g.ZCen));
        f.AddField(row + QStringLiteral("[code_win]"), g.Code);
        f.AddField(row + QStringLiteral("[barcode_win]"), g.BarCode);
        f.AddField(row + QStringLiteral("[kol]"), Qty(g.OstKol));
    }
    return PlainWrite(QStringLiteral("/insert-prh-excel-win.php"), f);
}

// ---- Internal transfers ---------------------------------------------------------------------

void TFormLoad::SelectVnkList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat,
                              TDateTime EndDat) {
    Documents(*this, kVnk).SelectList(L, SelName, BeginDat, EndDat);
}
bool TFormLoad::UpdateVnk(const TRecDoc& RecVnk) {
    return Documents(*this, kVnk).Update(RecVnk);
}
bool TFormLoad::InsertVnk(TRecDoc& RecVnk) {
    return Documents(*this, kVnk).Insert(RecVnk);
}
bool TFormLoad::DeleteVnk(const TRecDoc& RecVnk) {
    return Documents(*this, kVnk).Delete(RecVnk);
}
void TFormLoad::SelectVnkItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStoreI, int CodeStoreP) {
    Documents(*this, kVnk).SelectItems(L, ID, {CodeStoreI, CodeStoreP});
}
std::unique_ptr<TRecDocItem> TFormLoad::SelectVnkItemOne(const TRecDocItem& Rec, int CodeStoreI,
                                                         int CodeStoreP) {
    return Documents(*this, kVnk).SelectItemOne(Rec, {CodeStoreI, CodeStoreP});
}
bool TFormLoad::UpdateVnkItem(const TRecDocItem& Rec) {
    return Documents(*this, kVnk).UpdateItem(itemUpdateForm(Rec));
}
bool TFormLoad::InsertVnkItem(TRecDocItem& Rec) {
    return Documents(*this, kVnk).InsertItem(Rec);
}
bool TFormLoad::DeleteVnkItemOne(const TRecDocItem& Rec) {
    return Documents(*this, kVnk).DeleteItem(Rec);
}

// ---- Money operations -----------------------------------------------------------------------

void TFormLoad::SelectMoneyList(RecordList<TRecMoney>& L, const QString& SelName, TDateTime BeginDat,
                                TDateTime EndDat) {
    ListQuery<TRecMoney>(L, QStringLiteral("/list-money-json.php"), periodForm(SelName, BeginDat, EndDat),
                         readMoney);
}
bool TFormLoad::UpdateMoney(const TRecMoney& RecMoney) {
    return PlainWrite(QStringLiteral("/update-money.php"), moneyForm(RecMoney, true));
}
bool TFormLoad::InsertMoney(const TRecMoney& RecMoney) {
    return PlainWrite(QStringLiteral("/insert-money.php"), moneyForm(RecMoney, false));
}
bool TFormLoad::DeleteMoney(const TRecMoney& RecMoney) {
    return PlainWrite(QStringLiteral("/delete-money.php"), idForm(RecMoney.ID));
}
