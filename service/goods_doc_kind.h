#pragma once

#include "date_time.h"
#include "form_load.h"
#include "rec_doc.h"
#include "rec_doc_item.h"
#include "record_list.h"

#include <QString>

#include <vector>

// The four goods documents — sales waybills, receipts, orders, internal transfers — as far as
// code below the windows needs to tell them apart: who the parties are, which stores' stock
// comes with the lines, which price a line is worth, how the kind is listed and read, and what
// its print forms read. The editors (ui/documents/doc_family.h) add what the windows need.

// A party of the document header.
enum class TDocParty {
    Store,  // the store of a waybill, receipt or order
    Klient, // its buyer or supplier
    StoreI, // the store a transfer sends from
    StoreP, // the store a transfer sends to
};

int& PartyID(TRecDoc& rec, TDocParty party);
QString& PartyName(TRecDoc& rec, TDocParty party);
int PartyID(const TRecDoc& rec, TDocParty party);
QString PartyName(const TRecDoc& rec, TDocParty party);
bool IsStore(TDocParty party);

// The stores whose stock is read with the lines: one, or the two of a transfer.
struct TStockStores {
    int first = 0;
    int second = 0;
};

// What the print forms of a kind show beyond the document itself.
enum class TPrintExtras {
    None,         // receipts
    Organization, // transfers: the own organization's name
    Trade,        // sales and orders: both parties' requisites, the line count and VAT
};

struct TGoodsDocKind {
    const char* name;    // kovrel-cli's name of the kind: "nkl", "prh", "invoice", "vnk"
    TDocParty handsOver; // the party that hands the goods over
    TDocParty receives;  // and the one that receives them
    std::vector<TDocParty> stockStores;
    double TRecDocItem::*price; // what a line's unit is worth in the document
    // The journal's list query and the lines with the stock of `stores`.
    void (TFormLoad::*selectList)(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat,
                                  TDateTime EndDat);
    void (*selectItems)(TFormLoad& fl, RecordList<TRecDocItem>& L, int docID, TStockStores stores);
    TPrintExtras printExtras; // the print list itself is the form registry's (report/forms)

    TStockStores StockStoresOf(const TRecDoc& rec) const;
};

const TGoodsDocKind& NklKind();
const TGoodsDocKind& PrhKind();
const TGoodsDocKind& InvoiceKind();
const TGoodsDocKind& VnkKind();
// The four, in this order.
const std::vector<const TGoodsDocKind*>& GoodsDocKinds();
// Null for a name that is none of the four.
const TGoodsDocKind* FindGoodsDocKind(const QString& name);
