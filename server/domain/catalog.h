#pragma once

#include "rec_bank.h"
#include "rec_good.h"

#include <QString>

#include <optional>

namespace kovrel::server {

class Database;

// Writes the catalog entries of one account: the counterparty table (buyers and suppliers,
// accounts, overheads, investments, stores and managers), goods categories, goods and kits,
// users and requisites. Runs inside the caller's write transaction; the caller has checked
// rights and references, and the catalog stores what it is given. Names are stored with their
// search key (SearchKey), so that every list can be searched in any letter case.
class Catalog {
public:
    Catalog(Database& db, qint64 accountId);

    // The tables whose entries carry a deletion mark.
    enum class Table { Klients, Grnames, Goods, Users };

    // The manager entry that stands for "no manager"; every account has it, no list shows it.
    static constexpr int kNoManager = 1;

    int InsertKlient(int kind, const QString& name, const QString& prim, int managerId = kNoManager);
    // Name and note; the manager as well when one is given.
    void UpdateKlient(int id, const QString& name, const QString& prim, std::optional<int> managerId = {});

    int InsertGroup(const QString& name, const QString& prim);
    void UpdateGroup(int id, const QString& name, const QString& prim);

    // Name, note, code, bar code, pack, sale price, VAT and category of the record; the
    // purchase price only on insertion (later ones come from receipts).
    int InsertGood(const TRecGood& good, bool kit = false);
    void UpdateGood(int id, const TRecGood& good);
    // The item's unit of measure (its OKEI code, empty for none); only the unit's own write and
    // an insertion set it.
    void SetGoodUnit(int id, const QString& okei);

    // A new user has no password until the administrator has one mailed.
    int InsertUser(const QString& userName, const QString& login);
    void UpdateUser(int id, const QString& userName, const QString& login);

    void SetDeleted(Table table, int id, bool deleted);

    // Creates or replaces the requisites kept under the record's ID, all but the participant ID.
    void SaveRequisites(const TRecBank& bank);
    // The e-document participant ID kept beside the requisites of `id`, which are created empty
    // when there are none yet.
    void SaveEdoID(int id, const QString& edoId);

    // ---- Lookups for the callers' checks ----------------------------------------------------
    // The kind of an entry of the counterparty table, 0 when the account has none with that ID.
    int KlientKind(int id) const;
    bool Exists(Table table, int id) const;
    // Whether the entry is a kit; nothing when the account has no goods entry with that ID.
    std::optional<bool> IsKit(int goodsId) const;
    // The ID of a user not marked deleted whose login is `login` in any letter case, other
    // than `exceptId`; 0 when there is none.
    int UserWithLogin(const QString& login, int exceptId = 0) const;

private:
    static QString tableName(Table table);

    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
