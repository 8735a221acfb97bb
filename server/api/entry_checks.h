#pragma once

#include "amounts.h"
#include "catalog.h"
#include "http_message.h"

#include <QString>

#include <initializer_list>
#include <optional>

namespace kovrel::server {

class RequestContext;

// Pieces that the endpoint families share.

// The catalog of the signed-in person's account.
Catalog AccountCatalog(const RequestContext& ctx);

// The name of a catalog entry (a store, manager, category, counterparty, goods item, user, or
// a goods item that an import creates) from the field: every rule a name must keep (not blank,
// no control characters, at most `maxLength` characters when given) is here, so that no entry
// gets a name another could not.
QString EntryName(const RequestContext& ctx, const QString& field, int maxLength = 0);

// The longest texts every paper and the e-invoice can carry (the tax service's schema): a
// goods name, and a counterparty's or the organization's name or address.
constexpr int kGoodsNameLength = 2000;
constexpr int kPartyTextLength = 1000;
// A text field of at most `maxLength` characters, else 400 naming the field.
QString LimitedText(const RequestContext& ctx, const QString& field, int maxLength);

// The deletion mark of an update: nothing when the request carries no "flag_del", otherwise
// its value, which must be 0 or 1 (400).
std::optional<bool> DeletionMark(const RequestContext& ctx);

// Ends the request with 404 and the reason unless the counterparty table of the account holds
// an entry with that ID and one of the kinds.
void RequireKlientKind(const RequestContext& ctx, int id, std::initializer_list<int> kinds,
                       const QString& reason);

// A number field holding an amount of that kind: below its range in magnitude, else 400
// naming the field. Prices and sums are read from their decimal text to the kopeck, halves up
// (2.675 is 2.68), never through a binary double.
double AmountField(const RequestContext& ctx, const QString& name, AmountKind kind);
// The same, and not negative (prices, packs, rates).
double NonNegativeNumber(const RequestContext& ctx, const QString& name, AmountKind kind);

// "col LIKE ? ESCAPE '!'" for each column, joined by OR and bracketed; bind the pattern of
// ContainsPattern once per column.
QString SearchCondition(std::initializer_list<const char*> columns);

// The answer of a write: the entry's ID as plain text.
HttpResponse IdReply(int id);

} // namespace kovrel::server
