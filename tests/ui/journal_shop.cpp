#include "journal_shop.h"

#include "date_time.h"
#include "demo_session.h"
#include "main_window_fixture.h"

namespace {

TDateTime day(const QDate& d) {
    return kovrel::ToDateTime(d);
}

} // namespace

const QString JournalShop::kSupplier = QStringLiteral("ООО Поставщик");
const QString JournalShop::kBuyer = QStringLiteral("ООО Покупатель");
const QString JournalShop::kCash = QStringLiteral("Касса магазина");
const QString JournalShop::kBank = QStringLiteral("Расчетный счет в банке");
const QString JournalShop::kMain = QStringLiteral("Склад Главный");
const QString JournalShop::kFar = QStringLiteral("Склад Дальний");
const QString JournalShop::kWindow = QStringLiteral("Склад Витрина");

bool JournalShop::fail(const QString& step, const TFormLoad& fl) {
    m_error = step + QStringLiteral(": ") + fl.MemoInfo.join(QLatin1Char('\n'));
    return false;
}

void JournalShop::AsAdmin() const {
    UseSession(Login, QString(), Password);
}

int JournalShop::klient(const QString& name, int kind) {
    TRecKlient r;
    r.Name = name;
    r.TypeKl = kind;
    TFormLoad fl;
    if (!fl.InsertKlient(r)) fail(name, fl);
    return r.ID;
}

int JournalShop::goods(const QString& name, double pcen) {
    TRecGood g;
    g.Name = name;
    g.PCen = pcen;
    TFormLoad fl;
    if (!fl.InsertGood(g)) return fail(name, fl), 0;
    RecordList<TRecGood> list;
    fl.SelectGoodList(list, name, false);
    return list.size() == 1 ? list.front()->ID : 0;
}

bool JournalShop::user(MainWindowFixture& f) {
    UserLogin = QStringLiteral("kassir.") + Login;
    const QString name = QStringLiteral("Кассир");
    TRecUser u;
    u.DopLogin = UserLogin;
    u.UserName = name;
    TFormLoad fl;
    if (!fl.InsertUser(u)) return fail(QStringLiteral("user"), fl);
    RecordList<TRecUser> users;
    fl.SelectUserList(users, name);
    if (users.size() != 1) return fail(QStringLiteral("user list"), fl);
    User = users.front()->ID;
    const qsizetype mails = f.Service().Mail().size();
    if (!fl.CreateNewPas(User, UserLogin)) return fail(QStringLiteral("password"), fl);
    const QList<QByteArray> mail = f.Service().Mail();
    if (mail.size() != mails + 1) return fail(QStringLiteral("password mail"), fl);
    UserPassword = ServerProcess::PasswordIn(mail.last());
    // The cashier may not use the far store at all and sees the window store in reports only.
    const auto level = [&](int store, int ur) {
        RecordList<TRecStoreRights> one;
        auto r = std::make_unique<TRecStoreRights>();
        r->idStore = store;
        r->idUser = User;
        r->ur = ur;
        one.push_back(std::move(r));
        return fl.UpdateStoreRightsOnStore(store, one);
    };
    if (!level(Far, 0) || !level(Window, 2)) return fail(QStringLiteral("store rights"), fl);
    return true;
}

bool JournalShop::Create(MainWindowFixture& f, const QString& login) {
    Login = login;
    Password = f.NewAccount(login);
    if (Password.isEmpty()) return m_error = QStringLiteral("no account"), false;
    AsAdmin();
    for (const QString& name : {kMain, kFar, kWindow}) {
        TRecKlient s;
        s.Name = name;
        TFormLoad fl;
        if (!fl.InsertStore(s)) return fail(name, fl);
    }
    Main = StoreId(kMain);
    Far = StoreId(kFar);
    Window = StoreId(kWindow);
    Supplier = klient(kSupplier, 1);
    Buyer = klient(kBuyer, 1);
    Cash = klient(kCash, 2);
    Bank = klient(kBank, 2);
    Tea = goods(QStringLiteral("Чай черный"), 150);
    Coffee = goods(QStringLiteral("Кофе в зернах"), 700);
    if (!m_error.isEmpty()) return false;
    if (!Main || !Far || !Window || !Supplier || !Buyer || !Cash || !Bank || !Tea || !Coffee)
        return m_error = QStringLiteral("catalog incomplete"), false;
    return user(f);
}

bool JournalShop::SetUserRights(const QList<QPair<int, int>>& codeValues) const {
    AsAdmin();
    TFormLoad fl;
    TSortedList<TRecUserRights> rights;
    fl.SelectUserRights(User, rights);
    for (const auto& [code, value] : codeValues) {
        TRecUserRights* r = rights.Find(QString::number(code));
        if (!r) return false;
        r->ur = value;
    }
    return fl.UpdateUserRights(User, rights);
}

bool JournalShop::ResetUserRights(const QList<QPair<int, int>>& codeValues) const {
    AsAdmin();
    TFormLoad fl;
    TSortedList<TRecUserRights> rights;
    fl.SelectUserRights(User, rights);
    QList<QPair<int, int>> all;
    for (int i = 0; i < rights.Count(); ++i)
        all.append({rights.Objects(i)->idRight, 0});
    return !all.isEmpty() && SetUserRights(all + codeValues);
}

int JournalShop::Doc(Kind kind, const QDate& date, int store, int party, const QList<Line>& lines,
                     const QString& prim) const {
    AsAdmin();
    TRecDoc doc;
    doc.DocDate = day(date);
    doc.Prim = prim;
    if (kind == Kind::Vnk) {
        doc.StoreIDI = store;
        doc.StoreIDP = party;
    } else {
        doc.StoreID = store;
        doc.KlientID = party;
    }
    using Insert = bool (TFormLoad::*)(TRecDoc&);
    using InsertLine = bool (TFormLoad::*)(TRecDocItem&);
    static const QMap<Kind, QPair<Insert, InsertLine>> ops = {
        {Kind::Prh, {&TFormLoad::InsertPrh, &TFormLoad::InsertPrhItem}},
        {Kind::Nkl, {&TFormLoad::InsertNkl, &TFormLoad::InsertNklItem}},
        {Kind::Invoice, {&TFormLoad::InsertInvoice, &TFormLoad::InsertInvoiceItem}},
        {Kind::Vnk, {&TFormLoad::InsertVnk, &TFormLoad::InsertVnkItem}}};
    TFormLoad fl;
    if (!(fl.*ops[kind].first)(doc)) return 0;
    for (const Line& l : lines) {
        TRecDocItem item;
        item.IDZag = doc.ID;
        item.IDGood = l.goods;
        item.Kol = l.kol;
        item.CenZ = l.zcen;
        item.CenR = l.rcen;
        if (!(fl.*ops[kind].second)(item)) {
            qWarning("line not stored: %s", qPrintable(fl.MemoInfo.join(QLatin1Char('\n'))));
            return 0;
        }
    }
    return doc.ID;
}

bool JournalShop::Pay(int from, int to, double sum, int docN, int invoiceN, const QDate& date,
                      const QString& prim) const {
    AsAdmin();
    TRecMoney m;
    m.DocDate = day(date);
    m.KlientIDI = from;
    m.KlientIDP = to;
    m.SumM = sum;
    m.DocN = docN;
    m.InvoiceN = invoiceN;
    m.Prim = prim;
    TFormLoad fl;
    return fl.InsertMoney(m);
}

RecordList<TRecMoney> JournalShop::Payments(const QDate& from, const QDate& to) const {
    AsAdmin();
    RecordList<TRecMoney> list;
    TFormLoad fl;
    fl.SelectMoneyList(list, QString(), day(from), day(to));
    return list;
}
