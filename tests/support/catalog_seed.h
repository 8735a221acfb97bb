#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <memory>

namespace kovrel::server {
class Database;
}

// Writes catalog entries (accounts, users and rights, stores, counterparties, goods, kits)
// straight into a test's database, next to the running server, the way the service stores
// them. Documents and everything they move are then made through the service itself.
class CatalogSeed {
public:
    // `dbArgument` as kovrel-server's --db; the server must have created the schema.
    explicit CatalogSeed(const QString& dbArgument);
    ~CatalogSeed();

    kovrel::server::Database& Db();

    qint64 Account(const QString& login, const QString& password);
    int User(qint64 account, const QString& login, const QString& password, const QString& name);
    void Right(qint64 account, int user, int code, int value);
    void StoreRight(qint64 account, int store, int user, int level);

    int Store(qint64 account, const QString& name);
    int Manager(qint64 account, const QString& name);
    // A counterparty of kind 1 to 4.
    int Klient(qint64 account, int type, const QString& name, int manager = 1);
    int Goods(qint64 account, const QString& name, double pcen = 0, double pack = 1, const QString& code = {},
              const QString& barcode = {}, double nds = 0);
    int Kit(qint64 account, const QString& name, double pcen, const QList<QPair<int, double>>& parts);
    void MarkDeleted(qint64 account, const QString& table, int id);

    // Raises the account's data version, as the service's own writes do.
    void touch(qint64 account);

private:
    std::unique_ptr<kovrel::server::Database> m_db;
};
