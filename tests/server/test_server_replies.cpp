// The bytes of every read endpoint's reply on a fixed history, kept as digests: whatever
// changes how the service makes its replies (how rows are read, how JSON is written, which
// replies are reused), the replies stay the same to the byte, on either database.
#include "right_codes.h"
#include "session.h"
#include "shop_fixture.h"

#include <QCryptographicHash>
#include <QTest>

namespace {

using Fields = QList<QPair<QString, QString>>;

QString num(double v) {
    return QString::number(v, 'g', 17);
}

struct Request {
    QString name; // what the digest table calls it
    QString endpoint;
    Fields fields;
    bool asUser = false;
};

kovrel::HttpReply post(const QString& endpoint, const Fields& fields) {
    const kovrel::wire::MultipartForm form = WithFields(TFormLoad::NewForm(), fields);
    kovrel::HttpTransport http;
    return kovrel::PostForm(http, endpoint, form);
}

// "name status digest", the digest the first 16 hex digits of the body's SHA-256.
QString digestLine(const QString& name, const kovrel::HttpReply& r) {
    const QByteArray digest = QCryptographicHash::hash(r.body, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1 %2 %3").arg(name).arg(r.status).arg(QString::fromLatin1(digest));
}

// The digests of the replies as the service made them before its read path was rewritten;
// those that carry documents' sums (journals, debts, counterparties, the settlement card) since
// a document is worth its lines each rounded to the kopeck (3,333 x 0,10 counts 0,33), and the
// goods reads and the line lists since they carry each item's unit ("okei").
const QStringList kGolden = {
    "stores 200 2eae3c2a493242f7",
    "users 200 c53e3cb92b6bc240",
    "grnames 200 2dc758104c29a087",
    "managers 200 fb13ab1680b8d1eb",
    "bank 200 4f53cda18c2baa0c",
    "goods 200 8e09347203146180",
    "goods-found 200 12d33cd00e76a114",
    "kits 200 269273ac4f519b69",
    "money 200 51c106541311c4fd",
    "user-rights 200 fb336c751e5971de",
    "store-rights-store 200 119d10ddd7e39ea5",
    "store-rights-user 200 a14215c05321d86d",
    "dolg-nkl 200 3179c263fc44a3ae",
    "dolg-prh 200 fa009f53e118ee3b",
    "dolg-moneyi 200 341f6176945ca475",
    "dolg-moneyp 200 2074aaa34ed77ec4",
    "dolg-manager 200 3179c263fc44a3ae",
    "dolg-user 200 3179c263fc44a3ae",
    "klients-1 200 daa7f367ea16941b",
    "klients-2 200 9f4090347957fbdd",
    "klients-3 200 f2b15d71efcc17ed",
    "klients-4 200 628737d26bef7144",
    "list-prh 200 acd36356a7670066",
    "list-nkl 200 6c4107fb456953d5",
    "list-invoice 200 18613f26cb7fccd9",
    "list-vnk 200 7813003a65a33acd",
    "items-prh 200 5e3ee1858d9ebb3d",
    "items-nkl 200 2903114c093a7c6c",
    "items-invoice 200 4758e0bd2dc993be",
    "items-vnk 200 43b557978ca39631",
    "ost-v2-0-0 200 a54a2efdaa945ebc",
    "ost-v3-0-0 200 f0ced43d12cde4d8",
    "ost-v3-user-0-0 200 f670dd5e40e54d72",
    "ost-v2-0-2 200 396a570943ee2998",
    "ost-v3-0-2 200 e362ae71d989653a",
    "ost-v3-user-0-2 200 e362ae71d989653a",
    "ost-v2-0-3 200 d5d4e5cc8bea0ff7",
    "ost-v3-0-3 200 6826f995f4ab8dcf",
    "ost-v3-user-0-3 200 6826f995f4ab8dcf",
    "ost-v2-1-0 200 a54a2efdaa945ebc",
    "ost-v3-1-0 200 f0ced43d12cde4d8",
    "ost-v3-user-1-0 200 977140d41d1ff6b3",
    "ost-v2-1-2 200 b5b9ddf1ff5e7c67",
    "ost-v3-1-2 200 f14c5ea0ab747919",
    "ost-v3-user-1-2 200 f14c5ea0ab747919",
    "ost-v2-1-3 200 bac638aa1cede9de",
    "ost-v3-1-3 200 feae66ce1ee1ac8a",
    "ost-v3-user-1-3 200 feae66ce1ee1ac8a",
    "ost-v3-found 200 cdbd24c9e4a773cd",
    "movegood-1-1 200 a31086df1594e60c",
    "movegood-1-7 200 7498570b72ca1025",
    "movegood-2-1 200 2d373d9e79a22faa",
    "movegood-2-7 200 4f53cda18c2baa0c",
    "movegood-p-1 200 4f53cda18c2baa0c",
    "movegood-p-7 200 4f53cda18c2baa0c",
    "movegood-i-1 200 6e12b6eac7328b01",
    "movegood-i-7 200 e3420848bdc72034",
    "nkl-st 200 24633d3ed9b9d08b",
    "prh-st 200 d9968796acd00b6b",
    "nkl-dynam-0 200 72053beddbdd9f17",
    "prh-dynam-0 200 22c9c238552f9d80",
    "nkl-dynam-1 200 bdc5b4dccef64fc1",
    "prh-dynam-1 200 0e17e53aa8989731",
    "nkl-dynam-2 200 0e4a71abff85c902",
    "prh-dynam-2 200 223bd3ce59495491",
    "movekl-nkl-7 200 bbdf0b4f75a1ba08",
    "movekl-nkl-11 200 4f53cda18c2baa0c",
    "movekl-prh-7 200 4f53cda18c2baa0c",
    "movekl-prh-11 200 4f53cda18c2baa0c",
    "movekl-moneyi-7 200 f91e98b835e2b319",
    "movekl-moneyi-11 200 4f53cda18c2baa0c",
    "movekl-moneyp-7 200 4f53cda18c2baa0c",
    "movekl-moneyp-11 200 a27e8f2ce58afc0d",
};

} // namespace

class TestServerReplies : public ShopTest {
    Q_OBJECT

    int awkward = 0, tiny = 0, huge = 0;
    int r1 = 0, s1 = 0, t1 = 0, i1 = 0;

    // Names with every character JSON escapes, and amounts that have no short decimal form.
    void makeHistory() {
        CatalogSeed& s = shop.Seed();
        awkward = s.Goods(ids.account, QStringLiteral("Кавычки \"и\" \\слэш\\ \tтаб\nстрока \x01 😀"), 0.1,
                          1.0 / 3, QStringLiteral("A\"1"), QStringLiteral("0\\1"), 18);
        tiny = s.Goods(ids.account, QStringLiteral("Мелочь"), 0.000001, 0.001);
        huge = s.Goods(ids.account, QStringLiteral("Слиток"), 123456789.125, 1000000, QStringLiteral("G-1"));
        s.MarkDeleted(ids.account, QStringLiteral("goods"), s.Goods(ids.account, QStringLiteral("Удален")));
        s.Right(ids.account, ids.user, Right::RepOst, 1);
        s.Right(ids.account, ids.user, Right::RepDolg, 1);
        s.StoreRight(ids.account, ids.third, ids.user, 0);
        s.StoreRight(ids.account, ids.second, ids.user, 2);
        r1 = shop.Receipt(
            ids.main, {{ids.sugar, 10, 50.5}, {awkward, 3.333, 0.1}, {tiny, 0.001, 0.01}, {huge, 2, 99.99}},
            {2024, 3, 1});
        QVERIFY(shop.Receipt(ids.second, {{ids.sugar, 7, 0.3}, {ids.tea, 1.5, 100}}, {2024, 3, 2}));
        s1 = shop.Sale(ids.main, {{ids.sugar, 4, 50.5, 80.01}, {awkward, 1.111, 0.1, 0.3}}, {2024, 3, 5});
        QVERIFY(shop.Sale(ids.main, {{ids.gift, 1, 0, 500}}, {2024, 4, 2}) == 0); // no tea in the main store
        t1 =
            shop.Transfer(ids.main, ids.second, {{ids.sugar, 3, 50.5, 0}, {huge, 1, 99.99, 0}}, {2024, 3, 6});
        i1 = ShopFixture::Doc(QStringLiteral("invoice"), ids.main, ids.buyer2, {2024, 3, 7},
                              QStringLiteral("счет \"срочно\""));
        QVERIFY(ShopFixture::AddLine(QStringLiteral("invoice"), i1, {ids.salt, 2, 0, 15.5}));
        QVERIFY(shop.Sale(ids.second, {{ids.sugar, 2, 0.3, 0.7}}, {2024, 4, 30}));
        QVERIFY(r1 && s1 && t1 && i1);
        QVERIFY(shop.Receipt(ids.third, {{ids.salt, 5, 9.99}}, {2024, 2, 1}));
        QVERIFY(ShopFixture::Pay({2024, 3, 1}, ids.owner, ids.cash, 1000.01, QStringLiteral("взнос\\")));
        QVERIFY(ShopFixture::Pay({2024, 3, 6}, ids.buyer, ids.cash, 0.1));
        QVERIFY(ShopFixture::Pay({2024, 3, 10}, ids.bank, ids.supplier, 500));
        QVERIFY(ShopFixture::Pay({2024, 4, 3}, ids.buyer2, ids.bank, 1.0 / 3));
    }

    QList<Request> requests() const {
        const Fields period = {{"find_win", ""}, {"dat_begin", "2024-01-01"}, {"dat_end", "2024-12-31"}};
        QList<Request> out = {
            {"stores", "/list-stores-json.php", {{"upname_win", ""}}},
            {"users", "/list-users-json.php", {{"upname_win", ""}}},
            {"grnames", "/list-grnames-json.php", {{"upname_win", ""}}},
            {"managers", "/list-managers-json.php", {{"upname_win", ""}}},
            {"bank", "/select-bank-json.php", {{"id", num(ids.bank)}}},
            {"goods", "/list-goods-json.php", {{"find_win", ""}, {"flag_norm", "0"}}},
            {"goods-found", "/list-goods-json.php", {{"find_win", "\"И\""}, {"flag_norm", "0"}}},
            {"kits", "/list-goods-json.php", {{"find_win", ""}, {"flag_norm", "1"}}},
            {"money", "/list-money-json.php", period},
            {"user-rights", "/get-user-rights.php", {{"id", num(ids.user)}}},
            {"store-rights-store", "/get-store-rights-one-store.php", {{"id", num(ids.second)}}},
            {"store-rights-user", "/get-store-rights-one-user.php", {{"id", num(ids.user)}}},
            {"dolg-nkl", "/rep-dolg-nkl-json.php", {{"dat", "2024-12-31"}, {"code_manager", "-1"}}},
            {"dolg-prh", "/rep-dolg-prh-json.php", {{"dat", "2024-12-31"}, {"code_manager", "-1"}}},
            {"dolg-moneyi", "/rep-dolg-moneyi-json.php", {{"dat", "2024-12-31"}, {"code_manager", "-1"}}},
            {"dolg-moneyp", "/rep-dolg-moneyp-json.php", {{"dat", "2024-12-31"}, {"code_manager", "-1"}}},
            {"dolg-manager",
             "/rep-dolg-nkl-json.php",
             {{"dat", "2024-12-31"}, {"code_manager", num(ids.manager)}}},
            {"dolg-user", "/rep-dolg-nkl-json.php", {{"dat", "2024-12-31"}, {"code_manager", "-1"}}, true},
        };
        for (int type = 1; type <= 4; ++type)
            out.append({QStringLiteral("klients-%1").arg(type),
                        "/list-klients-dolg-json.php",
                        {{"type_kl", num(type)}, {"upname_win", ""}}});
        for (const char* stem : {"prh", "nkl", "invoice", "vnk"})
            out.append({QStringLiteral("list-%1").arg(QLatin1String(stem)),
                        QStringLiteral("/list-%1-json.php").arg(QLatin1String(stem)), period});
        const auto stock = [](int store) -> Fields { return {{"code_store", num(store)}}; };
        const auto items = [&](const char* stem, int id, const Fields& stores) {
            out.append({QStringLiteral("items-%1").arg(QLatin1String(stem)),
                        QStringLiteral("/list-%1-items-with-ost-json.php").arg(QLatin1String(stem)),
                        Fields{{"id", num(id)}} + stores});
        };
        items("prh", r1, stock(ids.main));
        items("nkl", s1, stock(ids.main));
        items("invoice", i1, stock(ids.main));
        items("vnk", t1, {{"code_store_i", num(ids.main)}, {"code_store_p", num(ids.second)}});
        for (int zero : {0, 1})
            for (int store : {-1, ids.main, ids.second}) {
                const Fields f = {{"find_win", ""}, {"flag_zero", num(zero)}, {"code_store", num(store)}};
                const QString at = QStringLiteral("%1-%2").arg(zero).arg(store < 0 ? 0 : store);
                out.append({"ost-v2-" + at, "/rep-ost-json-v2.php", f});
                out.append({"ost-v3-" + at, "/rep-ost-json-v3.php", f});
                out.append({"ost-v3-user-" + at, "/rep-ost-json-v3.php", f, true});
            }
        out.append({"ost-v3-found",
                    "/rep-ost-json-v3.php",
                    {{"find_win", "сах"}, {"flag_zero", "0"}, {"code_store", "-1"}}});
        for (const char* side : {"1", "2", "p", "i"})
            for (int goods : {ids.sugar, huge})
                out.append(
                    {QStringLiteral("movegood-%1-%2").arg(QLatin1String(side)).arg(goods),
                     QStringLiteral("/rep-movegood-%1-json.php").arg(QLatin1String(side)),
                     {{"id_goods", num(goods)}, {"dat", "2024-12-31"}, {"code_store", num(ids.main)}}});
        const Fields all = {{"code_kl", "-1"}, {"code_store", "-1"}};
        out.append({"nkl-st", "/rep-nkl-st-json.php", period + all + Fields{{"code_manager", "-1"}}});
        out.append({"prh-st", "/rep-prh-st-json.php", period + all});
        for (int detail : {0, 1, 2}) {
            const Fields f =
                Fields{{"dat_begin", "2024-01-01"}, {"dat_end", "2024-12-31"}, {"code_detal", num(detail)}} +
                all;
            out.append({QStringLiteral("nkl-dynam-%1").arg(detail), "/rep-nkl-dynam-json.php",
                        f + Fields{{"code_manager", "-1"}}});
            out.append({QStringLiteral("prh-dynam-%1").arg(detail), "/rep-prh-dynam-json.php", f});
        }
        for (const char* side : {"nkl", "prh", "moneyi", "moneyp"})
            for (int klient : {ids.buyer, ids.cash})
                out.append({QStringLiteral("movekl-%1-%2").arg(QLatin1String(side)).arg(klient),
                            QStringLiteral("/rep-movekl-%1-json.php").arg(QLatin1String(side)),
                            {{"code_kl", num(klient)}, {"dat", "2024-12-31"}}});
        return out;
    }

private Q_SLOTS:
    // Each reply twice: made, then (unchanged data) reused.
    void repliesKeepTheirBytes() {
        makeHistory();
        QStringList made, reused;
        for (const Request& r : requests()) {
            r.asUser ? shop.SignInUser() : shop.SignInAdmin();
            made.append(digestLine(r.name, post(r.endpoint, r.fields)));
            reused.append(digestLine(r.name, post(r.endpoint, r.fields)));
        }
        QCOMPARE(reused, made);
        if (made != kGolden) qWarning().noquote() << "\n" << made.join(QLatin1String("\",\n\""));
        QCOMPARE(made, kGolden);
    }
};

QTEST_GUILESS_MAIN(TestServerReplies)
#include "test_server_replies.moc"
