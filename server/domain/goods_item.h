#pragma once

#include <QString>

#include <optional>

namespace kovrel::server {

class Database;

// What documents need to know of a goods item or kit.
struct GoodsItem {
    int id = 0;
    QString name;
    bool deleted = false;
    bool kit = false;
    double zcen = 0; // the purchase price last received
    double pcen = 0;
    double nds = 0;

    static std::optional<GoodsItem> Find(Database& db, qint64 accountId, int id);
};

} // namespace kovrel::server
