#pragma once

#include "doc_kind.h"
#include "doc_records.h"

#include <utility>

namespace kovrel::server {

class RequestContext;

// What line requests send, read and checked alike by every kind: 400 for a quantity or price
// below zero, which no document line can mean, or beyond the range that stays exact.
double RequestedQuantity(const RequestContext& ctx, const QString& field = QStringLiteral("kol"));
double RequestedPrice(const RequestContext& ctx, const QString& field);
// A line's sum (quantity × price, to the kopeck) below 1 000 000 000 000, the largest a
// paper's sum column shows; else 400 naming the two fields.
void RequireLineSum(double kol, double price, const QString& kolField, const QString& priceField);

// The stored line that the request's "id" names, with its document, which the person must be
// allowed to change (404 for no such line of this kind). A kit component is changed only
// through its kit line (409).
std::pair<DocLine, DocHeader> ChangeableLine(const RequestContext& ctx, const DocKind& kind);

} // namespace kovrel::server
