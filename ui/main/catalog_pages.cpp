// The catalog pages, each one's differences in one place: names, columns, right, question and
// what it does with its records.
#include "catalog_pages.h"

#include "access_checks.h"
#include "number_text.h"
#include "right_codes.h"
#include "window_seams.h"

namespace {

template <class Rec>
using Load = std::function<void(TFormLoad&, RecordList<Rec>&, const QString& filter, int kind)>;

// A list operation that takes only the search text.
template <class Rec>
Load<Rec> listBy(void (TFormLoad::*select)(RecordList<Rec>&, const QString&)) {
    return
        [select](TFormLoad& fl, RecordList<Rec>& L, const QString& filter, int) { (fl.*select)(L, filter); };
}

template <class Rec>
std::function<bool(TFormLoad&, const Rec&)> deleteBy(bool (TFormLoad::*remove)(const Rec&)) {
    return [remove](TFormLoad& fl, const Rec& r) { return (fl.*remove)(r); };
}

template <class Rec>
std::function<void(QWidget*, Rec&)> editIn(std::function<int(QWidget*, Rec&)> TWindowSeams::*window) {
    return [window](QWidget* owner, Rec& r) { (WindowSeams().*window)(owner, r); };
}

template <class Rec>
std::function<std::unique_ptr<Rec>(int)> newRecord() {
    return [](int) { return std::make_unique<Rec>(); };
}

// A new counterparty-table entry of a fixed kind, or (0) of the kind filter's kind.
std::function<std::unique_ptr<TRecKlient>(int)> newKlient(int fixedKind) {
    return [fixedKind](int kind) {
        auto r = std::make_unique<TRecKlient>();
        r->TypeKl = fixedKind > 0 ? fixedKind : kind;
        return r;
    };
}

QStringList namePrim(const TRecKlient& r) {
    return {r.Name, r.Prim};
}

template <class Rec>
TCatalogPageOf<Rec>* page(const TCatalogPageDef& def, TCatalogOps<Rec> ops, TStatusBar& bar,
                          QWidget* parent) {
    return new TCatalogPageOf<Rec>(def, std::move(ops), bar, parent);
}

QString money(double value) {
    return FormatFixed(2, value);
}
QString qty(double value) {
    return FormatQty(1, 3, value);
}

const QString kNameHeader = QStringLiteral("Наименование");
const QString kPrimHeader = QStringLiteral("Примечание");

TCatalogPageOf<TRecKlient>* storePage(TStatusBar& bar, QWidget* parent) {
    const TCatalogPageDef def{
        "TSStore",
        "EdFindStore",
        "ButInsStore",
        "ButEditStore",
        "ButDelStore",
        "SGStore",
        {50, 200, 300},
        {QStringLiteral("Наименование склада"), kPrimHeader},
        Right::Stores,
        {QStringLiteral(
            "Склад будет полностью удален из списка. Приходные и расходные накладные с этим складом "
            "сохраняться. Продолжить удаление ?")}};
    return page<TRecKlient>(def,
                            {listBy(&TFormLoad::SelectStoreList), namePrim, newKlient(TypeKlKind::Store),
                             editIn(&TWindowSeams::FormEditKl), deleteBy(&TFormLoad::DeleteStore)},
                            bar, parent);
}

TCatalogPageOf<TRecKlient>* klientPage(TStatusBar& bar, QWidget* parent) {
    TCatalogPageDef def{
        "TSKlient",
        "EdFindKl",
        "ButInsKl",
        "ButEditKl",
        "ButDelKl",
        "SGKlient",
        {50, 200, 300},
        {kNameHeader, kPrimHeader},
        Right::Klients,
        {QStringLiteral(
             "Поставщик/покупатель будет полностью удален из списка. Приходные и расходные накладные с "
             "этим поставщиком/покупателем сохраняться. Продолжить удаление ?"),
         QStringLiteral(
             "Расчетный счет/касса будет полностью удален из списка. Все операции с этим расчетным "
             "счетом/кассой сохраняться. Продолжить удаление ?"),
         QStringLiteral("Счет будет полностью удален из списка. Все операции с этим счетом сохраняться. "
                        "Продолжить удаление ?")}};
    def.kindFilter = true;
    const Load<TRecKlient> byKind = [](TFormLoad& fl, RecordList<TRecKlient>& L, const QString& f, int kind) {
        fl.SelectKlientList(L, f, kind);
    };
    return page<TRecKlient>(def,
                            {byKind, namePrim, newKlient(0), editIn(&TWindowSeams::FormEditKl),
                             deleteBy(&TFormLoad::DeleteKlient)},
                            bar, parent);
}

TCatalogPageOf<TRecKlient>* managerPage(TStatusBar& bar, QWidget* parent) {
    const TCatalogPageDef def{
        "TSManager",
        "EdFindManager",
        "ButInsManager",
        "ButEditManager",
        "ButDelManager",
        "SGManager",
        {50, 200, 300},
        {QStringLiteral("Наименование менеджера"), kPrimHeader},
        Right::Klients,
        {QStringLiteral("Менеджер будет полностью удален из списка. Продолжить удаление ?")}};
    return page<TRecKlient>(def,
                            {listBy(&TFormLoad::SelectManagerList), namePrim, newKlient(TypeKlKind::Manager),
                             editIn(&TWindowSeams::FormEditKl), deleteBy(&TFormLoad::DeleteManager)},
                            bar, parent);
}

TCatalogPageOf<TRecGood>* goodPage(TStatusBar& bar, QWidget* parent) {
    const TCatalogPageDef def{
        "TSGood",
        "EdFindGood",
        "ButInsGood",
        "ButEditGood",
        "ButDelGood",
        "SGGood",
        {50, 350, 80, 80, 80},
        {kNameHeader, QStringLiteral("Цена"), QStringLiteral("Закуп.цена"), QStringLiteral("Упаковка")},
        Right::Goods,
        {QStringLiteral(
            "Товар будет полностью удален из списка. Приходные и расходные накладные с этим товаром "
            "сохраняться. Продолжить удаление ?")}};
    // Purchase prices are shown only to those with the right, asked once per load.
    auto showZCen = std::make_shared<bool>(false);
    const Load<TRecGood> goods = [showZCen](TFormLoad& fl, RecordList<TRecGood>& L, const QString& f, int) {
        *showZCen = CheckRight(Right::PurchasePrices, false);
        fl.SelectGoodList(L, f, false);
    };
    const auto cells = [showZCen](const TRecGood& r) -> QStringList {
        return {r.Name, money(r.PCen), *showZCen ? money(r.ZCen) : QString(), qty(r.Pack)};
    };
    return page<TRecGood>(def,
                          {goods, cells, newRecord<TRecGood>(), editIn(&TWindowSeams::FormEditGood),
                           deleteBy(&TFormLoad::DeleteGood)},
                          bar, parent);
}

TCatalogPageOf<TRecGood>* normPage(TStatusBar& bar, QWidget* parent) {
    TCatalogPageDef def{"TSNorm",
                        "EdFindNorm",
                        "ButInsNorm",
                        "ButEditNorm",
                        "ButDelNorm",
                        "SGNorm",
                        {50, 350, 80, 80},
                        {kNameHeader, QStringLiteral("Цена"), QStringLiteral("Упаковка")},
                        0,
                        {}};
    def.listOnly = true;
    const Load<TRecGood> kits = [](TFormLoad& fl, RecordList<TRecGood>& L, const QString& f, int) {
        fl.SelectGoodList(L, f, true);
    };
    const auto cells = [](const TRecGood& r) -> QStringList { return {r.Name, money(r.PCen), qty(r.Pack)}; };
    return page<TRecGood>(def, {kits, cells, newRecord<TRecGood>(), nullptr, nullptr}, bar, parent);
}

TCatalogPageOf<TRecKlient>* groupPage(TStatusBar& bar, QWidget* parent) {
    const TCatalogPageDef def{
        "TSGroup",      "EdFindGroup",
        "ButInsGroup",  "ButEditGroup",
        "ButDelGroup",  "SGGroup",
        {50, 300, 300}, {QStringLiteral("Наименование категории"), kPrimHeader},
        Right::Goods,   {QStringLiteral("Категория будет полностью удалена. Продолжить удаление ?")}};
    return page<TRecKlient>(def,
                            {listBy(&TFormLoad::SelectGroupList), namePrim, newRecord<TRecKlient>(),
                             editIn(&TWindowSeams::FormEditGroup), deleteBy(&TFormLoad::DeleteGroup)},
                            bar, parent);
}

TCatalogPageOf<TRecUser>* userPage(TStatusBar& bar, QWidget* parent) {
    // The page itself is the administrator's only; its buttons check nothing more.
    const TCatalogPageDef def{
        "TSUser",
        "EdFindUser",
        "ButInsUser",
        "ButEditUser",
        "ButDelUser",
        "SGUser",
        {50, 200, 300},
        {QStringLiteral("Пользователь"), QStringLiteral("E-Mail(логин) пользователя")},
        0,
        {QStringLiteral("Пользователь будет заблокирован и удален из списка ! Продолжить удаление ?")}};
    const auto cells = [](const TRecUser& r) -> QStringList { return {r.UserName, r.DopLogin}; };
    return page<TRecUser>(def,
                          {listBy(&TFormLoad::SelectUserList), cells, newRecord<TRecUser>(),
                           editIn(&TWindowSeams::FormEditUser), deleteBy(&TFormLoad::DeleteUser)},
                          bar, parent);
}

} // namespace

TCatalogPages TCatalogPages::Create(TStatusBar& bar, QWidget* parent) {
    TCatalogPages p;
    p.Store = storePage(bar, parent);
    p.Klient = klientPage(bar, parent);
    p.Manager = managerPage(bar, parent);
    p.Good = goodPage(bar, parent);
    p.Norm = normPage(bar, parent);
    p.Group = groupPage(bar, parent);
    p.User = userPage(bar, parent);
    return p;
}
