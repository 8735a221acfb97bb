#pragma once

#include "rec_doc.h"
#include "rec_doc_item.h"

#include <QString>

class TStatusBar;

// What deleting a goods document may not do to the stock of a line's goods: a receipt takes its
// quantity back out of its store, a sales waybill puts it back, a transfer puts it back into the
// sending store and takes it out of the receiving one. Orders move no stock.
enum class TStockRule { None, Receipt, Sale, Transfer };

// True when deleting the line's document would leave the stock of the line's goods below zero,
// the stock as the service reported it with the line (this document's movement included).
bool BreaksStockRule(TStockRule rule, const TRecDocItem& line);

// Delete a goods document unless the stock rule of its kind forbids it: the lines are read back
// with the stock of the document's store (stores, for a transfer) and the first line that breaks
// the rule stops the deletion with a message. Panel 0 of the status bar shows the wait. True
// when the service deleted the document.
bool RemovePrhDoc(TStatusBar& bar, const TRecDoc& rec);
bool RemoveNklDoc(TStatusBar& bar, const TRecDoc& rec);
bool RemoveInvoiceDoc(TStatusBar& bar, const TRecDoc& rec);
bool RemoveVnkDoc(TStatusBar& bar, const TRecDoc& rec);

extern const QString kStockShortage; // "Недостаточное количество товара на складе ! …"
