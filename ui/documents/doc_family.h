#pragma once

#include "form_load.h"
#include "goods_doc_kind.h"
#include "rec_doc.h"
#include "rec_doc_item.h"
#include "window_seams.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

// The four goods documents — sales waybills, receipts, orders, internal transfers — are edited
// by one document editor and one line editor. Everything in which the kinds differ is a field
// of TDocFamily or of the kind below the windows (TGoodsDocKind) that it refers to, and the four
// values stand side by side in doc_family.cpp and goods_doc_kind.cpp.

// A header row: the button that opens the party's picker; the label beside it shows the name.
struct TPartyRow {
    const char* button;
    QString caption;
    TDocParty party;
};

// What the document does to a store's stock.
enum class TStockFlow {
    Out, // goods leave the store: deleting a line or lowering its quantity gives them back
    In,  // goods arrive: deleting a line or lowering its quantity takes them away again
};

// One store whose stock comes back with the lines (GetOstI for the first, GetOstP for the
// second; the kind's stockStores say which) and how the line editor shows and guards it.
struct TStockSide {
    TStockFlow flow;
    bool guarded;      // changes that would leave the store's stock below zero are refused
    const char* label; // the line editor's stock label
    QString caption;   // its text before the figures
};

// The kind's service operations (members of TFormLoad), each on the caller's request object.
struct TDocOps {
    bool (TFormLoad::*insert)(TRecDoc&);
    bool (TFormLoad::*update)(const TRecDoc&);
    std::unique_ptr<TRecDocItem> (*selectItemOne)(TFormLoad&, const TRecDocItem& line, TStockStores stores);
    bool (TFormLoad::*insertItem)(TRecDocItem&);
    bool (TFormLoad::*deleteItem)(const TRecDocItem&);
    // The line editor's update, given the quantity and purchase price the line had on opening.
    bool (*updateItem)(TFormLoad&, const TRecDocItem& line, double oldKol, double oldCenZ);
};

struct TDocFamily {
    const TGoodsDocKind& kind;

    // ---- Document editor ----
    QString caption;
    TPartyRow first;  // label LabI
    TPartyRow second; // label LabP
    int rightFull;    // full access to the kind
    int rightLock;    // its days lock
    // The stores a line needs; "Сохранить" and "Добавить товар" refuse without them.
    std::vector<TDocParty> requiredStores;
    QString saveGuard;
    QString addGuard;
    // The goods picker of "Добавить товар"; it lists the stock of `pickerStore` in mode 2.
    TListGoodArgs picker;
    TDocParty pickerStore;
    QString priceHeading; // the lines grid's price column
    bool kitLines;        // kit lines are marked ">> " and cannot be changed or deleted
    bool excelImport;     // "Загрузить из Excel"
    bool updExport;       // "Выгрузить УПД (XML)"

    // ---- Line editor ----
    QString priceLabel;
    std::vector<TStockSide> stock; // one side, or two for a transfer
    TDocOps ops;
    // Opens the kind's line editor modally on a line; the dialog's result.
    int (*editLine)(QWidget* owner, TStockStores stores, TRecDocItem& line);

    // True when some store's stock rule applies to the kind.
    bool Guarded() const;
};

// The stock rules. `ost` is the stock the service reported with the line, its own quantity
// included. Differences within rounding noise of zero count as zero.
double StockOf(const TRecDocItem& line, size_t side); // GetOstI for side 0, GetOstP for side 1
// Deleting a line of quantity `kol` leaves the store's stock at zero or above.
bool DeleteKeepsStock(const TStockSide& side, double ost, double kol);
// Changing a line's quantity from `oldKol` to `kol` does.
bool ChangeKeepsStock(const TStockSide& side, double ost, double oldKol, double kol);
// A receipt line's purchase price differs from the one it had (beyond double rounding).
bool PriceChanged(double price, double oldPrice);

const TDocFamily& NklFamily();
const TDocFamily& PrhFamily();
const TDocFamily& InvoiceFamily();
const TDocFamily& VnkFamily();
