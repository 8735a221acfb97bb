#include "catalog_refs.h"

#include "http_error.h"
#include "request_context.h"

namespace kovrel::server {

int CatalogRefs::entry(int id, const QString& kindCondition) const {
    auto q = m_ctx
                 .Query(QStringLiteral("SELECT flag_del FROM klients WHERE account_id = ? AND id = ? AND %1")
                            .arg(kindCondition))
                 .Bind(m_ctx.AccountId())
                 .Bind(id)
                 .Run();
    return q.Next() ? 1 + q.Int(0) : 0;
}

void CatalogRefs::RequireStore(int id, int kept, const QString& what) const {
    if (id <= 0) throw HttpError::BadRequest(QStringLiteral("Не указан %1").arg(what));
    const int e = entry(id, QStringLiteral("type_kl = 10"));
    if (e == 0 || (e == 2 && id != kept))
        throw HttpError::NotFound(QStringLiteral("Не найден %1 с кодом %2").arg(what).arg(id));
}

void CatalogRefs::RequireKlient(int id, int kept, bool optional, const QString& what) const {
    if (id <= 0) {
        if (optional) return;
        throw HttpError::BadRequest(QStringLiteral("Не указан %1").arg(what));
    }
    const int e = entry(id, QStringLiteral("type_kl BETWEEN 1 AND 4"));
    if (e == 0 || (e == 2 && id != kept))
        throw HttpError::NotFound(QStringLiteral("Не найден %1 с кодом %2").arg(what).arg(id));
}

GoodsItem CatalogRefs::RequireGoods(int id) const {
    const auto g = GoodsItem::Find(m_ctx.Services().db, m_ctx.AccountId(), id);
    if (!g || g->deleted) throw HttpError::NotFound(QStringLiteral("Не найден товар с кодом %1").arg(id));
    return *g;
}

} // namespace kovrel::server
