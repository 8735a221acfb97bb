#include "doc_shop.h"

#include "date_time.h"
#include "demo_session.h"

#include <QTest>

namespace DocShop {

namespace {

int g_counter = 0;
int g_supplier = 0;
int g_buyer = 0;

template <class Ok>
int checked(Ok ok, int id, const TFormLoad& fl, const char* what) {
    if (!ok || id <= 0)
        QTest::qFail(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                             fl.MemoInfo.join(QLatin1Char('\n')))),
                     __FILE__, __LINE__);
    return ok ? id : 0;
}

int idNamed(const QString& name, bool kits) {
    TFormLoad fl;
    RecordList<TRecGood> list;
    fl.SelectGoodList(list, name, kits);
    for (const auto& g : list)
        if (g->Name == name) return g->ID;
    return 0;
}

int supplier() {
    if (g_supplier == 0) g_supplier = Klient(QStringLiteral("Поставщик для тестов"));
    return g_supplier;
}

int buyer() {
    if (g_buyer == 0) g_buyer = Klient(QStringLiteral("Покупатель для тестов"));
    return g_buyer;
}

} // namespace

QString Unique(const QString& text) {
    return QStringLiteral("%1 %2").arg(text).arg(++g_counter);
}

int Store(const QString& name) {
    TRecKlient r;
    r.Name = name;
    TFormLoad fl;
    const bool ok = fl.InsertStore(r);
    return checked(ok, ok ? StoreId(name) : 0, fl, "store");
}

int Klient(const QString& name) {
    TRecKlient r;
    r.Name = name;
    r.TypeKl = 1;
    TFormLoad fl;
    const bool ok = fl.InsertKlient(r);
    return checked(ok, r.ID, fl, "counterparty");
}

int Good(const QString& name, double pack, double pcen, double nds, const QString& code,
         const QString& barCode) {
    TRecGood g;
    g.Name = name;
    g.Pack = pack;
    g.PCen = pcen;
    g.Nds = nds;
    g.Code = code;
    g.BarCode = barCode;
    TFormLoad fl;
    const bool ok = fl.InsertGood(g);
    return checked(ok, ok ? GoodNamed(name) : 0, fl, "goods");
}

int GoodNamed(const QString& name) {
    return idNamed(name, false);
}

int KitNamed(const QString& name) {
    return idNamed(name, true);
}

TRecGood AnyKit() {
    TFormLoad fl;
    RecordList<TRecGood> kits;
    fl.SelectGoodList(kits, QString(), true);
    if (kits.empty()) {
        QTest::qFail("the demo catalog has no kits", __FILE__, __LINE__);
        return {};
    }
    return *kits.front();
}

TRecDoc Doc(const TDocFamily& family, int first, int second, const QList<Line>& lines, TDateTime date) {
    TRecDoc doc;
    doc.DocDate = date == 0 ? kovrel::Today() : date;
    PartyID(doc, family.first.party) = first;
    PartyID(doc, family.second.party) = second;
    TFormLoad fl;
    const bool ok = (fl.*family.ops.insert)(doc);
    checked(ok, doc.ID, fl, "document");
    for (const Line& line : lines)
        AddLine(family, doc, line);
    return doc;
}

int AddLine(const TDocFamily& family, const TRecDoc& doc, const Line& line) {
    TRecDocItem item;
    item.IDZag = doc.ID;
    item.IDGood = line.goods;
    item.Kol = line.kol;
    item.CenZ = line.cenZ;
    item.CenR = line.cenR;
    TFormLoad fl;
    const bool ok = (fl.*family.ops.insertItem)(item);
    return checked(ok, item.ID, fl, "line");
}

RecordList<TRecDocItem> Lines(const TDocFamily& family, TRecDoc doc) {
    RecordList<TRecDocItem> lines;
    TFormLoad fl;
    family.kind.selectItems(fl, lines, doc.ID, family.kind.StockStoresOf(doc));
    return lines;
}

TRecDocItem LineOf(const TDocFamily& family, const TRecDoc& doc, int goods) {
    for (const auto& line : Lines(family, doc))
        if (line->IDGood == goods) return *line;
    return {};
}

void Receive(int store, int goods, double kol, double zcen) {
    Doc(PrhFamily(), supplier(), store, {{goods, kol, zcen}});
}

void Sell(int store, int goods, double kol, double zcen) {
    Doc(NklFamily(), store, buyer(), {{goods, kol, zcen, 1}});
}

} // namespace DocShop
