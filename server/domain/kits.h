#pragma once

#include "rec_good.h"

#include <QList>

#include <stdexcept>

namespace kovrel::server {

class Database;

// One component of a kit: `kol` units of a goods item per kit.
struct KitComponent {
    int goodsId = 0;
    double kol = 0;
    bool operator==(const KitComponent&) const = default;
};

// A composition that breaks the rules of Kits.
class KitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Kits of one account: goods entries with the kit flag and a composition of ordinary goods.
// The client only lists kits; they are defined here (by the demo data and tools) and their
// composition is read here by whatever needs it, such as documents. Runs inside the caller's
// transaction. A composition that breaks the rules below throws KitError and writes nothing.
class Kits {
public:
    Kits(Database& db, qint64 accountId);

    // Creates a kit entry (name, prices, category… from the record) with its composition.
    int Create(const TRecGood& kit, const QList<KitComponent>& components);
    // Replaces the composition of a kit. Rules: at least one component; every component an
    // ordinary goods item (not a kit) of the account, each at most once, with a quantity above 0.
    void SetComposition(int kitId, const QList<KitComponent>& components);
    // The components in goods ID order; empty when the ID is not a kit of the account.
    QList<KitComponent> Composition(int kitId) const;

private:
    void check(int kitId, const QList<KitComponent>& components) const;

    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
