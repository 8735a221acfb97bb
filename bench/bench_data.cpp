#include "bench_data.h"

#include "accounts.h"
#include "database.h"
#include "mailer.h"
#include "password_hasher.h"
#include "schema_migrations.h"
#include "store_error.h"
#include "transaction.h"

#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

using namespace kovrel::server;

namespace BenchData {

namespace {

const int kGeneration = 3; // raise when the data below changes

// One statement prepared once and run with new values many times.
class Bulk {
public:
    Bulk(QSqlDatabase db, const QString& sql)
        : m_q(db) {
        if (!m_q.prepare(sql)) throw StoreError(m_q.lastError().text(), false);
    }
    void Run(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i)
            m_q.bindValue(i, values[i]);
        if (!m_q.exec()) throw StoreError(m_q.lastError().text(), false);
    }

private:
    QSqlQuery m_q;
};

// The trade account's counts at a scale.
struct Counts {
    explicit Counts(double scale)
        : goods(of(kGoods, scale))
        , receipts(of(kReceipts, scale))
        , sales(of(kSales, scale))
        , payments(of(kPayments, scale)) {}
    int goods, receipts, sales, payments;

private:
    static int of(int count, double scale) { return static_cast<int>(std::lround(count * scale)); }
};

qint64 account(Database& db, const QString& login) {
    PasswordHasher hasher;
    Mailer mailer{QString(), QString()};
    return Accounts(db, hasher, mailer).EnsureAccount(login, kPassword);
}

// Klients 2.. (1 is the "no manager" entry every account has).
void klients(Database& db, qint64 a, int stores, int count) {
    Bulk k(
        db.Connection(),
        QStringLiteral("INSERT INTO klients (account_id, id, type_kl, name, upname) VALUES (?, ?, ?, ?, ?)"));
    for (int i = 0; i < stores; ++i)
        k.Run({a, 2 + i, 10, QStringLiteral("Склад %1").arg(i + 1), QStringLiteral("СКЛАД %1").arg(i + 1)});
    for (int i = 0; i < count; ++i) {
        const int type = i < 5 ? 2 : 1;
        const QString name =
            type == 2 ? QStringLiteral("Счет %1").arg(i + 1) : QStringLiteral("Контрагент %1").arg(i + 1);
        k.Run({a, 2 + stores + i, type, name, name.toUpper()});
    }
}

void goods(Database& db, qint64 a, int count) {
    Bulk g(db.Connection(),
           QStringLiteral("INSERT INTO goods (account_id, id, name, upname, code, upcode, barcode, "
                          "upbarcode, pack, pcen, zcen, nds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("Товар номер %1 упаковка %2 шт").arg(i).arg(1 + i % 24);
        const QString code = QStringLiteral("A-%1").arg(i, 6, 10, QLatin1Char('0'));
        const QString barcode = QStringLiteral("46%1").arg(100000000 + i);
        g.Run({a, i, name, name.toUpper(), code, code, barcode, barcode, 1 + i % 24, 10.0 + i % 500,
               6.0 + i % 300, 20.0});
    }
}

void counters(Database& db, qint64 a, const QList<QPair<QString, int>>& last) {
    Bulk c(db.Connection(),
           QStringLiteral("INSERT INTO id_counters (account_id, name, last_id) VALUES (?, ?, ?) "
                          "ON CONFLICT (account_id, name) DO UPDATE SET last_id = excluded.last_id"));
    for (const auto& [name, id] : last)
        c.Run({a, name, id});
}

// Receipt r (store r % 5) brings goods ((r / 5) * 10 + i) % goods: four passes over the goods
// per store, alternating between two purchase prices, 100 units a line. Sales take 1 to 5 units
// of random goods at one of the two prices, far less than came in.
void documents(Database& db, qint64 a, const Counts& c) {
    QRandomGenerator random(7);
    const QDate first(2023, 1, 1);
    const int docs = c.receipts + c.sales;
    Bulk d(db.Connection(),
           QStringLiteral("INSERT INTO docs (account_id, kind, id, docdate, id_klient, id_store) "
                          "VALUES (?, ?, ?, ?, ?, ?)"));
    Bulk l(db.Connection(),
           QStringLiteral("INSERT INTO doc_items (account_id, id, kind, id_z, id_goods, kol, zcen, rcen, "
                          "nds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 20)"));
    const auto price = [](int goods, int pass) { return 6.0 + goods % 300 + (pass % 2 ? 0.5 : 0); };
    int line = 0;
    for (int n = 0; n < docs; ++n) {
        // Receipts come first in each stretch of five documents, so stock precedes sales.
        const bool receipt = n % 5 == 0;
        const int r = n / 5;
        const int store = 2 + (receipt ? r % kStores : n % kStores);
        const int klient = 2 + kStores + 5 + static_cast<int>(random.bounded(kKlients - 5));
        d.Run(
            {a, receipt ? 1 : 2, n + 1, first.addDays(n * 730 / docs).toString(Qt::ISODate), klient, store});
        for (int i = 0; i < kLinesPerDoc; ++i) {
            if (receipt) {
                const int g = 1 + ((r / kStores) * kLinesPerDoc + i) % c.goods;
                const int pass = (r / kStores) * kLinesPerDoc / c.goods;
                l.Run({a, ++line, 1, n + 1, g, 100, price(g, pass), 0});
            } else {
                const int g = 1 + static_cast<int>(random.bounded(c.goods));
                l.Run({a, ++line, 2, n + 1, g, 1 + static_cast<int>(random.bounded(5)),
                       price(g, static_cast<int>(random.bounded(2))), 10.0 + g % 500});
            }
        }
    }
    counters(db, a, {{QStringLiteral("docs_prh_nkl"), docs}, {QStringLiteral("doc_items"), line}});
}

void payments(Database& db, qint64 a, int count) {
    QRandomGenerator random(11);
    Bulk m(db.Connection(),
           QStringLiteral("INSERT INTO money (account_id, id, docdate, klient_i, klient_p, sum_m) "
                          "VALUES (?, ?, ?, ?, ?, ?)"));
    for (int i = 1; i <= count; ++i) {
        const int account = 2 + kStores + static_cast<int>(random.bounded(5));
        const int klient = 2 + kStores + 5 + static_cast<int>(random.bounded(kKlients - 5));
        const bool in = i % 3 != 0;
        m.Run({a, i, QDate(2023, 1, 1).addDays(i * 730 / count).toString(Qt::ISODate), in ? klient : account,
               in ? account : klient, 100.0 + random.bounded(5000)});
    }
    counters(db, a, {{QStringLiteral("money"), count}});
}

// What the service keeps beside the lines: each lot's totals, each document's sums.
void derived(Database& db, qint64 a, int goods) {
    const QString account = QString::number(a);
    db.Exec(
        QStringLiteral("INSERT INTO stock (account_id, id, id_store, id_goods, zcen, kol_plus, kol_minus) "
                       "SELECT %1, ROW_NUMBER() OVER (ORDER BY d.id_store, i.id_goods, i.zcen), d.id_store, "
                       "i.id_goods, i.zcen, SUM(CASE WHEN i.kind = 1 THEN i.kol ELSE 0 END), "
                       "SUM(CASE WHEN i.kind = 2 THEN i.kol ELSE 0 END) FROM doc_items i JOIN docs d "
                       "ON d.account_id = i.account_id AND d.kind = i.kind AND d.id = i.id_z "
                       "WHERE i.account_id = %1 GROUP BY d.id_store, i.id_goods, i.zcen")
            .arg(account));
    db.Exec(QStringLiteral(
                "UPDATE docs SET zsum = (SELECT SUM(kol * zcen) FROM doc_items i WHERE i.account_id = "
                "docs.account_id AND i.kind = docs.kind AND i.id_z = docs.id), rsum = (SELECT SUM(kol * "
                "rcen) FROM doc_items i WHERE i.account_id = docs.account_id AND i.kind = docs.kind AND "
                "i.id_z = docs.id) WHERE account_id = %1")
                .arg(account));
    counters(db, a, {{QStringLiteral("stock"), kStores * goods * 2}});
}

bool current(const QString& path) {
    QFile marker(path + QStringLiteral(".generation"));
    return QFile::exists(path) && marker.open(QIODevice::ReadOnly) && marker.readAll().toInt() == kGeneration;
}

} // namespace

QString FileName(double scale) {
    return scale == 1 ? QStringLiteral("bench.sqlite") : QStringLiteral("bench-x%1.sqlite").arg(scale);
}

bool Ensure(const QString& path, QString* error, double scale) {
    const Counts n(scale);
    if (current(path)) return true;
    for (const QString& f : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")})
        QFile::remove(f);
    try {
        Database db(*DatabaseAddress::Parse(QStringLiteral("sqlite:") + path, error));
        if (!db.Open()) throw StoreError(db.Error(), false);
        ApplyMigrations(db);
        Transaction tx(db, Transaction::Mode::Write);
        const qint64 list = account(db, kGoodsAccount);
        goods(db, list, kListGoods);
        counters(db, list, {{QStringLiteral("goods"), kListGoods}});
        const qint64 trade = account(db, kTradeAccount);
        klients(db, trade, kStores, kKlients);
        goods(db, trade, n.goods);
        counters(db, trade,
                 {{QStringLiteral("goods"), n.goods}, {QStringLiteral("klients"), 1 + kStores + kKlients}});
        documents(db, trade, n);
        payments(db, trade, n.payments);
        derived(db, trade, n.goods);
        tx.Commit();
    } catch (const StoreError& e) {
        *error = e.Message();
        return false;
    }
    QFile marker(path + QStringLiteral(".generation"));
    return marker.open(QIODevice::WriteOnly) && marker.write(QByteArray::number(kGeneration)) > 0;
}

qint64 AccountId(const QString& path, const QString& login) {
    QString error;
    Database db(*DatabaseAddress::Parse(QStringLiteral("sqlite:") + path, &error));
    if (!db.Open()) return 0;
    auto q = db.Query(QStringLiteral("SELECT id FROM accounts WHERE login_key = ?"))
                 .Bind(Accounts::LoginKey(login))
                 .Run();
    return q.Next() ? q.Int64(0) : 0;
}

} // namespace BenchData
