#include "goods_doc_kind.h"

const TGoodsDocKind& NklKind() {
    static const TGoodsDocKind kind{
        .name = "nkl",
        .handsOver = TDocParty::Store,
        .receives = TDocParty::Klient,
        .stockStores = {TDocParty::Store},
        .price = &TRecDocItem::CenR,
        .selectList = &TFormLoad::SelectNklList,
        .selectItems = [](TFormLoad& f, RecordList<TRecDocItem>& L, int id,
                          TStockStores s) { f.SelectNklItemsList(L, id, s.first); },
        .printExtras = TPrintExtras::Trade,
    };
    return kind;
}

const TGoodsDocKind& PrhKind() {
    static const TGoodsDocKind kind{
        .name = "prh",
        .handsOver = TDocParty::Klient,
        .receives = TDocParty::Store,
        .stockStores = {TDocParty::Store},
        .price = &TRecDocItem::CenZ,
        .selectList = &TFormLoad::SelectPrhList,
        .selectItems = [](TFormLoad& f, RecordList<TRecDocItem>& L, int id,
                          TStockStores s) { f.SelectPrhItemsList(L, id, s.first); },
        .printExtras = TPrintExtras::None,
    };
    return kind;
}

const TGoodsDocKind& InvoiceKind() {
    static const TGoodsDocKind kind{
        .name = "invoice",
        .handsOver = TDocParty::Store,
        .receives = TDocParty::Klient,
        .stockStores = {TDocParty::Store},
        .price = &TRecDocItem::CenR,
        .selectList = &TFormLoad::SelectInvoiceList,
        .selectItems = [](TFormLoad& f, RecordList<TRecDocItem>& L, int id,
                          TStockStores s) { f.SelectInvoiceItemsList(L, id, s.first); },
        .printExtras = TPrintExtras::Trade,
    };
    return kind;
}

const TGoodsDocKind& VnkKind() {
    static const TGoodsDocKind kind{
        .name = "vnk",
        .handsOver = TDocParty::StoreI,
        .receives = TDocParty::StoreP,
        .stockStores = {TDocParty::StoreI, TDocParty::StoreP},
        .price = &TRecDocItem::CenR,
        .selectList = &TFormLoad::SelectVnkList,
        .selectItems = [](TFormLoad& f, RecordList<TRecDocItem>& L, int id,
                          TStockStores s) { f.SelectVnkItemsList(L, id, s.first, s.second); },
        .printExtras = TPrintExtras::Organization,
    };
    return kind;
}

const std::vector<const TGoodsDocKind*>& GoodsDocKinds() {
    static const std::vector<const TGoodsDocKind*> kinds{&NklKind(), &PrhKind(), &InvoiceKind(), &VnkKind()};
    return kinds;
}

const TGoodsDocKind* FindGoodsDocKind(const QString& name) {
    for (const TGoodsDocKind* kind : GoodsDocKinds())
        if (name == QLatin1String(kind->name)) return kind;
    return nullptr;
}

TStockStores TGoodsDocKind::StockStoresOf(const TRecDoc& rec) const {
    TStockStores s;
    s.first = PartyID(rec, stockStores.at(0));
    if (stockStores.size() > 1) s.second = PartyID(rec, stockStores.at(1));
    return s;
}

// ---- Header parties ---------------------------------------------------------------------------

int& PartyID(TRecDoc& rec, TDocParty party) {
    switch (party) {
    case TDocParty::Store:
        return rec.StoreID;
    case TDocParty::Klient:
        return rec.KlientID;
    case TDocParty::StoreI:
        return rec.StoreIDI;
    case TDocParty::StoreP:
        break;
    }
    return rec.StoreIDP;
}

QString& PartyName(TRecDoc& rec, TDocParty party) {
    switch (party) {
    case TDocParty::Store:
        return rec.StoreName;
    case TDocParty::Klient:
        return rec.KlientName;
    case TDocParty::StoreI:
        return rec.StoreNameI;
    case TDocParty::StoreP:
        break;
    }
    return rec.StoreNameP;
}

int PartyID(const TRecDoc& rec, TDocParty party) {
    return PartyID(const_cast<TRecDoc&>(rec), party);
}

QString PartyName(const TRecDoc& rec, TDocParty party) {
    return PartyName(const_cast<TRecDoc&>(rec), party);
}

bool IsStore(TDocParty party) {
    return party != TDocParty::Klient;
}
