#pragma once

#include "catalog_seed.h"
#include "form_load.h"
#include "server_process.h"
#include "server_request.h"
#include "test_database.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>

// A small shop on a fresh database behind the real kovrel-server: two accounts (the shop and a
// stranger), three stores, counterparties of every kind, goods, a kit and a limited user. Tests
// drive it with the client's own operations (TFormLoad) and, for what a client would never
// send, with raw requests.
class ShopFixture {
public:
    struct Ids {
        qint64 account = 0, stranger = 0;
        int main = 0, second = 0, third = 0; // stores
        int manager = 0, manager2 = 0;
        int buyer = 0, buyer2 = 0, supplier = 0; // kind 1
        int bank = 0, cash = 0;                  // kind 2
        int rent = 0;                            // kind 3
        int owner = 0;                           // kind 4
        int sugar = 0, salt = 0, tea = 0;        // goods
        int gift = 0;                            // kit: 2 sugar + 1 tea
        int user = 0;
        int strangerStore = 0, strangerGoods = 0;
    };
    struct Line {
        int goods;
        double kol;
        double zcen = 0;
        double rcen = 0;
    };

    static const QString kAdmin, kPassword, kUser, kUserPassword;

    // Starts the server on a fresh database and seeds the shop; the reason when it cannot.
    QString Start(const QStringList& serverArgs = {});
    void Stop();

    Ids ids;
    CatalogSeed& Seed() { return *m_seed; }
    ServerProcess& Server() { return *m_server; }
    TestDatabase& Database() { return *m_db; }

    // The session globals of the client: the administrator, the limited user, the stranger.
    void SignInAdmin();
    void SignInUser();
    void SignInStranger();

    // A request in the client's wire form with the current session's four fields first.
    static ServerReply Call(const QString& endpoint, const QList<QPair<QString, QString>>& fields);
    // The same to another server ("http://127.0.0.1:PORT"), from any thread.
    static ServerReply CallAt(const QString& baseUrl, const QString& endpoint,
                              const QList<QPair<QString, QString>>& fields);

    // Documents made through the client's operations; the new ID, 0 on failure.
    static int Doc(const QString& stem, int store, int klientOrStoreP,
                   const QDate& date = QDate::currentDate(), const QString& prim = {});
    static int AddLine(const QString& stem, int doc, const Line& line);
    // A payment from one counterparty to another through the client's operation; false on failure.
    static bool Pay(const QDate& date, int from, int to, double sum, const QString& prim = {},
                    int docLink = 0);
    int Receipt(int store, const QList<Line>& lines, const QDate& date = QDate::currentDate());
    int Sale(int store, const QList<Line>& lines, const QDate& date = QDate::currentDate());
    int Transfer(int from, int to, const QList<Line>& lines, const QDate& date = QDate::currentDate());

    // The stock table's balance of a goods item in a store, read from the database.
    double Stock(int store, int goods);
    // Rows of the stock table that disagree with the document lines recounted from scratch (to
    // the millionth), described; empty when stock and lines agree.
    QStringList StockMismatches();
    // The first row of a query of the test's own on the database ("?" bound in order).
    QVariantList Row(const QString& sql, const QVariantList& values = {});
    // Count of rows of a table of the shop's account.
    int Count(const QString& table);

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ServerProcess> m_server;
    std::unique_ptr<CatalogSeed> m_seed;
};

// A test class on the shop: a fresh shop for every test function, whose stock must agree with
// its document lines when the function ends.
class ShopTest : public QObject {
    Q_OBJECT

protected:
    ShopFixture shop;
    const ShopFixture::Ids& ids = shop.ids;

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
};
