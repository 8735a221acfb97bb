#pragma once

#include "doc_kind.h"
#include "doc_records.h"

#include <vector>

namespace kovrel::server {

class Database;

// The component lines that a kit brings into a sales waybill or an order, and their purchase
// prices.
class KitLines {
public:
    KitLines(Database& db, qint64 accountId)
        : m_db(db)
        , m_account(accountId) {}

    // One line per goods item of the kit's composition, for the kit line `kit` (already given
    // its ID): normKol units per kit, the kit's quantity times that, no sale price, and the
    // purchase price of the stock it will take (PriceLeaving) or, in an order, the item's
    // last purchase price.
    std::vector<DocLine> Components(const DocKind& kind, const DocHeader& header, const DocLine& kit) const;

    // The purchase price at which a goods item leaves a store when nobody chose one: that of
    // the store's lot with the largest balance, or the item's last purchase price when the
    // store has none.
    double PriceLeaving(int store, int goods) const;

    // A kit's purchase price: the sum of its components' prices per kit.
    static double KitPrice(const std::vector<DocLine>& components);
    // Components follow the kit's quantity.
    static void Scale(std::vector<DocLine>& components, double kitKol);

private:
    double lastPrice(int goods) const;

    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
