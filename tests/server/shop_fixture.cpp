#include "shop_fixture.h"

#include "database.h"
#include "session.h"

#include <QTest>

#include <cmath>

const QString ShopFixture::kAdmin = QStringLiteral("shop@kovrel.test");
const QString ShopFixture::kPassword = QStringLiteral("shop-secret");
const QString ShopFixture::kUser = QStringLiteral("clerk@kovrel.test");
const QString ShopFixture::kUserPassword = QStringLiteral("clerk-secret");

namespace {
const QString kStranger = QStringLiteral("other@kovrel.test");
}

QString ShopFixture::Start(const QStringList& serverArgs) {
    m_db = std::make_unique<TestDatabase>();
    if (!m_db->Ok()) return m_db->Error();
    m_server = std::make_unique<ServerProcess>(*m_db);
    if (!m_server->Start(serverArgs)) return m_server->Error();
    BaseURL = m_server->BaseUrl();
    m_seed = std::make_unique<CatalogSeed>(m_db->Argument());
    CatalogSeed& s = *m_seed;
    Ids& i = ids;
    i.account = s.Account(kAdmin, kPassword);
    i.main = s.Store(i.account, QStringLiteral("Основной склад"));
    i.second = s.Store(i.account, QStringLiteral("Магазин на Ленина"));
    i.third = s.Store(i.account, QStringLiteral("Дальний склад"));
    i.manager = s.Manager(i.account, QStringLiteral("Петров"));
    i.manager2 = s.Manager(i.account, QStringLiteral("Сидорова"));
    i.buyer = s.Klient(i.account, 1, QStringLiteral("ООО Ромашка"), i.manager);
    i.buyer2 = s.Klient(i.account, 1, QStringLiteral("ИП Васильев"), i.manager2);
    i.supplier = s.Klient(i.account, 1, QStringLiteral("Сахарный завод"));
    i.bank = s.Klient(i.account, 2, QStringLiteral("Расчетный счет"));
    i.cash = s.Klient(i.account, 2, QStringLiteral("Касса"));
    i.rent = s.Klient(i.account, 3, QStringLiteral("Аренда"));
    i.owner = s.Klient(i.account, 4, QStringLiteral("Учредитель"));
    i.sugar =
        s.Goods(i.account, QStringLiteral("Сахар"), 80, 10, QStringLiteral("S-1"), QStringLiteral("4600001"));
    i.salt = s.Goods(i.account, QStringLiteral("Соль"), 30, 1, QStringLiteral("S-2"));
    i.tea = s.Goods(i.account, QStringLiteral("Чай зеленый"), 200, 1, QStringLiteral("T-1"), {}, 20);
    i.gift = s.Kit(i.account, QStringLiteral("Подарочный набор"), 500, {{i.sugar, 2}, {i.tea, 1}});
    i.user = s.User(i.account, kUser, kUserPassword, QStringLiteral("Кладовщик"));
    i.stranger = s.Account(kStranger, kPassword);
    i.strangerStore = s.Store(i.stranger, QStringLiteral("Чужой склад"));
    i.strangerGoods = s.Goods(i.stranger, QStringLiteral("Чужой товар"));
    SignInAdmin();
    return {};
}

void ShopFixture::Stop() {
    m_seed.reset();
    m_server.reset();
    m_db.reset();
}

void ShopFixture::SignInAdmin() {
    Login = kAdmin;
    DopLogin.clear();
    Token = kPassword;
}

void ShopFixture::SignInUser() {
    Login = kAdmin;
    DopLogin = kUser;
    Token = kUserPassword;
}

void ShopFixture::SignInStranger() {
    Login = kStranger;
    DopLogin.clear();
    Token = kPassword;
}

ServerReply ShopFixture::Call(const QString& endpoint, const QList<QPair<QString, QString>>& fields) {
    return PostToServer(endpoint, WithFields(TFormLoad::NewForm(), fields));
}

ServerReply ShopFixture::CallAt(const QString& baseUrl, const QString& endpoint,
                                const QList<QPair<QString, QString>>& fields) {
    const kovrel::wire::MultipartForm form = WithFields(TFormLoad::NewForm(), fields);
    const QByteArray boundary = kovrel::wire::MultipartForm::MakeBoundary(QDateTime::currentDateTime());
    kovrel::HttpTransport http;
    const kovrel::HttpReply r = http.Post(
        baseUrl + endpoint, kovrel::wire::MultipartForm::ContentType(boundary), form.Encode(boundary));
    return {r.status, r.Text()};
}

int ShopFixture::Doc(const QString& stem, int store, int klientOrStoreP, const QDate& date,
                     const QString& prim) {
    const bool transfer = stem == QLatin1String("vnk");
    const ServerReply r = Call(
        QStringLiteral("/insert-%1.php").arg(stem),
        {{QStringLiteral("dat"), date.toString(Qt::ISODate)},
         {transfer ? QStringLiteral("id_stores_i") : QStringLiteral("id_stores"), QString::number(store)},
         {transfer ? QStringLiteral("id_stores_p") : QStringLiteral("id_klients"),
          QString::number(klientOrStoreP)},
         {QStringLiteral("prim_win"), prim}});
    return r.status == 200 ? r.text.toInt() : 0;
}

int ShopFixture::AddLine(const QString& stem, int doc, const Line& line) {
    TRecDocItem rec;
    rec.IDZag = doc;
    rec.IDGood = line.goods;
    rec.Kol = line.kol;
    rec.CenZ = line.zcen;
    rec.CenR = line.rcen;
    TFormLoad fl;
    bool ok = false;
    if (stem == QLatin1String("prh"))
        ok = fl.InsertPrhItem(rec);
    else if (stem == QLatin1String("nkl"))
        ok = fl.InsertNklItem(rec);
    else if (stem == QLatin1String("invoice"))
        ok = fl.InsertInvoiceItem(rec);
    else
        ok = fl.InsertVnkItem(rec);
    return ok ? rec.ID : 0;
}

bool ShopFixture::Pay(const QDate& date, int from, int to, double sum, const QString& prim, int docLink) {
    TRecMoney m;
    m.DocDate = kovrel::ToDateTime(date);
    m.KlientIDI = from;
    m.KlientIDP = to;
    m.SumM = sum;
    m.Prim = prim;
    m.DocN = docLink;
    return TFormLoad().InsertMoney(m);
}

int ShopFixture::Receipt(int store, const QList<Line>& lines, const QDate& date) {
    const int doc = Doc(QStringLiteral("prh"), store, ids.supplier, date);
    for (const Line& l : lines)
        if (AddLine(QStringLiteral("prh"), doc, l) == 0) return 0;
    return doc;
}

int ShopFixture::Sale(int store, const QList<Line>& lines, const QDate& date) {
    const int doc = Doc(QStringLiteral("nkl"), store, ids.buyer, date);
    for (const Line& l : lines)
        if (AddLine(QStringLiteral("nkl"), doc, l) == 0) return 0;
    return doc;
}

int ShopFixture::Transfer(int from, int to, const QList<Line>& lines, const QDate& date) {
    const int doc = Doc(QStringLiteral("vnk"), from, to, date);
    for (const Line& l : lines)
        if (AddLine(QStringLiteral("vnk"), doc, l) == 0) return 0;
    return doc;
}

double ShopFixture::Stock(int store, int goods) {
    auto q =
        m_seed->Db()
            .Query(QStringLiteral("SELECT COALESCE(SUM(kol_plus + kol_plus_v - kol_minus - kol_minus_v), 0) "
                                  "FROM stock WHERE account_id = ? AND id_store = ? AND id_goods = ?"))
            .Bind(ids.account)
            .Bind(store)
            .Bind(goods)
            .Run();
    return q.Next() ? q.Double(0) : 0;
}

QStringList ShopFixture::StockMismatches() {
    // Every movement of every line, recounted: receipts in, sales out (kit lines stand for
    // their components), transfers out of one store and into the other.
    const QString moves = QStringLiteral(
        "SELECT d.id_store AS st, i.id_goods AS g, i.zcen AS z, "
        "  CASE WHEN i.kind = 1 THEN i.kol ELSE 0 END AS p, CASE WHEN i.kind = 2 THEN i.kol ELSE 0 END AS m, "
        "  0 AS pv, CASE WHEN i.kind = 4 THEN i.kol ELSE 0 END AS mv "
        "FROM doc_items i JOIN docs d ON d.account_id = i.account_id AND d.kind = i.kind AND d.id = i.id_z "
        "WHERE i.account_id = :a AND i.flag_norm = 0 AND i.kind IN (1, 2, 4) "
        "UNION ALL SELECT d.id_store_p, i.id_goods, i.zcen, 0, 0, i.kol, 0 "
        "FROM doc_items i JOIN docs d ON d.account_id = i.account_id AND d.kind = i.kind AND d.id = i.id_z "
        "WHERE i.account_id = :a AND i.kind = 4");
    const QString recount = QStringLiteral("SELECT st, g, z, SUM(p), SUM(m), SUM(pv), SUM(mv) FROM (%1) x "
                                           "GROUP BY st, g, z")
                                .arg(moves);
    QMap<QString, QList<double>> expected, stored;
    auto e = m_seed->Db()
                 .Query(QString(recount).replace(QStringLiteral(":a"), QString::number(ids.account)))
                 .Run();
    while (e.Next())
        expected[QStringLiteral("%1/%2/%3").arg(e.Int(0)).arg(e.Int(1)).arg(e.Double(2))] = {
            e.Double(3), e.Double(4), e.Double(5), e.Double(6)};
    auto s = m_seed->Db()
                 .Query(QStringLiteral(
                     "SELECT id_store, id_goods, zcen, kol_plus, kol_minus, kol_plus_v, kol_minus_v "
                     "FROM stock WHERE account_id = ?"))
                 .Bind(ids.account)
                 .Run();
    while (s.Next())
        stored[QStringLiteral("%1/%2/%3").arg(s.Int(0)).arg(s.Int(1)).arg(s.Double(2))] = {
            s.Double(3), s.Double(4), s.Double(5), s.Double(6)};
    const auto text = [](const QList<double>& v) {
        QStringList parts;
        for (double x : v)
            parts.append(QString::number(x));
        return parts.join(QLatin1Char(' '));
    };
    QStringList out;
    // To the millionth, the step in which the service counts quantities.
    const auto differs = [](const QList<double>& a, const QList<double>& b) {
        for (int k = 0; k < 4; ++k)
            if (std::llround(a.value(k) * 1e6) != std::llround(b.value(k) * 1e6)) return true;
        return false;
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (differs(it.value(), stored.value(it.key(), {0, 0, 0, 0})))
            out.append(QStringLiteral("lot %1: lines say %2, stock says %3")
                           .arg(it.key(), text(it.value()), text(stored.value(it.key()))));
    for (auto it = stored.begin(); it != stored.end(); ++it)
        if (!expected.contains(it.key()) && differs(it.value(), {0, 0, 0, 0}))
            out.append(QStringLiteral("lot %1 has no lines but stock").arg(it.key()));
    return out;
}

QVariantList ShopFixture::Row(const QString& sql, const QVariantList& values) {
    auto q = m_seed->Db().Query(sql);
    for (const QVariant& v : values)
        q.Bind(v);
    q.Run();
    QVariantList row;
    if (q.Next())
        for (int i = 0; i < q.Record().count(); ++i)
            row.append(q.Value(i));
    return row;
}

int ShopFixture::Count(const QString& table) {
    auto q = m_seed->Db()
                 .Query(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE account_id = ?").arg(table))
                 .Bind(ids.account)
                 .Run();
    return q.Next() ? q.Int(0) : -1;
}

void ShopTest::initTestCase() {
    if (!TestDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TestDatabase::SkipReason()));
}

void ShopTest::init() {
    const QString error = shop.Start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void ShopTest::cleanup() {
    const QStringList bad = shop.StockMismatches();
    shop.Stop();
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QLatin1Char('\n'))));
}
