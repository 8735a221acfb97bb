#pragma once

#include "rec_good.h"
#include "wire/json_reply.h"

#include <QLatin1StringView>

// Reading reply elements into records: the pieces that several operation families share.
namespace kovrel::reply {

inline QLatin1StringView k(const char* key) {
    return QLatin1StringView(key);
}

// What every goods list reads of an item: mark, name, note, pack, codes, prices and unit.
void ReadGoodItem(TRecGood& r, const wire::ReplyElement& e);

// The item's movement totals in a store; those of internal transfers only when the element has
// them (an absent one keeps the constructor's 0).
void ReadStockTotals(TRecGood& r, const wire::ReplyElement& e);

// A row of the stock report: its own ID, the goods item it belongs to, the item and its totals.
void ReadStockRow(TRecGood& r, const wire::ReplyElement& e);

} // namespace kovrel::reply
