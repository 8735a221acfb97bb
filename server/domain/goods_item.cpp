#include "goods_item.h"

#include "database.h"

namespace kovrel::server {

std::optional<GoodsItem> GoodsItem::Find(Database& db, qint64 accountId, int id) {
    auto q = db.Query(QStringLiteral("SELECT name, flag_del, flag_norm, zcen, pcen, nds FROM goods "
                                     "WHERE account_id = ? AND id = ?"))
                 .Bind(accountId)
                 .Bind(id)
                 .Run();
    if (!q.Next()) return std::nullopt;
    return GoodsItem{id, q.Text(0), q.Int(1) != 0, q.Int(2) != 0, q.Double(3), q.Double(4), q.Double(5)};
}

} // namespace kovrel::server
