#pragma once

#include "goods_item.h"

#include <QString>

namespace kovrel::server {

class RequestContext;

// Checks that the catalog entries a document names exist in the account: 400 when a required
// one is missing, 404 when the ID names nothing of the right kind. An entry marked deleted may
// stay where it already is (`kept`) but is not taken anew.
class CatalogRefs {
public:
    explicit CatalogRefs(const RequestContext& ctx)
        : m_ctx(ctx) {}

    // `what` names the store in the reasons ("склад", "склад-отправитель" …).
    void RequireStore(int id, int kept, const QString& what) const;
    // A counterparty of kinds 1 to 4, or none (0 or less) when `optional`.
    void RequireKlient(int id, int kept, bool optional, const QString& what) const;
    GoodsItem RequireGoods(int id) const;

private:
    // 0 when there is no such entry, else 1 + its deletion mark.
    int entry(int id, const QString& kindCondition) const;

    const RequestContext& m_ctx;
};

} // namespace kovrel::server
