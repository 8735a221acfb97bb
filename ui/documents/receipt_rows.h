#pragma once

#include "rec_good.h"
#include "record_list.h"

class SheetTable;

// A supplier's sheet turned into receipt rows. Each row of the used range, the first one
// included (the sheet has no header row), gives columns A to E: code, name, quantity, price,
// barcode. A row becomes a receipt row when its name, quantity and price are all filled in; the
// quantity goes to OstKol, the price to ZCen (a decimal comma reads as a point; a text that is
// not a number reads as 0).
RecordList<TRecGood> ReceiptRowsOf(const SheetTable& sheet);

// Finds each row's goods item in the catalog: by code when the row has one, else (or when the
// code matched nothing) by barcode, else by name; texts must be equal, letter case included, and
// the first catalog entry that matches wins. A matched row gets the item's ID in IDGoods; the
// others keep 0, and the service makes new goods items of them.
void MatchReceiptRows(RecordList<TRecGood>& rows, const RecordList<TRecGood>& catalog);
