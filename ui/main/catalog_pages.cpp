// The catalog pages, each one's differences in one place: names, columns, right, question and
// what it does with its records.
#include "catalog_pages.h"

#include "access_checks.h"
#include "number_text.h"
#include "right_codes.h"
#include "window_seams.h"

namespace {

QString money(double value) {
    return FormatFixed(2, value);
}
QString qty(double value) {
    return FormatQty(1, 3, value);
}

QStringList namePrim(const TRecKlient& r) {
    return {r.Name, r.Prim};
}

template <class Rec>
std::function<std::unique_ptr<Rec>(int)> newRecord() {
    return [](int) { return std::make_unique<Rec>(); };
}

std::function<std::unique_ptr<TRecKlient>(int)> newKlient(int fixedKind) {
    return [fixedKind](int kind) {
        auto r = std::make_unique<TRecKlient>();
        r->TypeKl = fixedKind > 0 ? fixedKind : kind;
        return r;
    };
}

std::function<void(QWidget*, TRecKlient&)> editKlient() {
    return [](QWidget* owner, TRecKlient& r) { WindowSeams().FormEditKl(owner, r); };
}

template <class Rec>
TCatalogPageOf<Rec>* page(const TCatalogPageDef& def, TCatalogOps<Rec> ops, TStatusBar& bar,
                          QWidget* parent) {
    return new TCatalogPageOf<Rec>(def, std::move(ops), bar, parent);
}

TCatalogPageOf<TRecKlient>* storePage(TStatusBar& bar, QWidget* parent) {
    const TCatalogPageDef def{
        "TSStore",
        "EdFindStore",
        "ButInsStore",
        "ButEditStore",
        "ButDelStore",
        "SGStore",
        {50, 200, 300},
        {QStringLiteral("Наименование склада"), QStringLiteral("Примечание")},
        Right::Stores,
        {QStringLiteral(
            "Склад будет полностью удален из списка. Приходные и расходные накладные с этим складом "
            "сохраняться. Продолжить удаление ?")}};
    TCatalogOps<TRecKlient> ops;
    ops.load = [](TFormLoad& fl, RecordList<TRecKlient>& L, const QString& f, int) {
        fl.SelectStoreList(L, f);
    };
    ops.cells = namePrim;
    ops.create = newKlient(TypeKlKind::Store);
    ops.edit = editKlient();
    ops.remove = [](TFormLoad& fl, const TRecKlient& r) { return fl.DeleteStore(r); };
    return page(def, std::move(ops), bar, parent);
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
        {QStringLiteral("Наименование"), QStringLiteral("Примечание")},
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
    TCatalogOps<TRecKlient> ops;
    ops.load = [](TFormLoad& fl, RecordList<TRecKlient>& L, const QString& f, int kind) {
        fl.SelectKlientList(L, f, kind);
    };
    ops.cells = namePrim;
    ops.create = newKlient(0);
    ops.edit = editKlient();
    ops.remove = [](TFormLoad& fl, const TRecKlient& r) { return fl.DeleteKlient(r); };
    return page(def, std::move(ops), bar, parent);
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
        {QStringLiteral("Наименование менеджера"), QStringLiteral("Примечание")},
        Right::Klients,
        {QStringLiteral("Менеджер будет полностью удален из списка. Продолжить удаление ?")}};
    TCatalogOps<TRecKlient> ops;
    ops.load = [](TFormLoad& fl, RecordList<TRecKlient>& L, const QString& f, int) {
        fl.SelectManagerList(L, f);
    };
    ops.cells = namePrim;
    ops.create = newKlient(TypeKlKind::Manager);
    ops.edit = editKlient();
    ops.remove = [](TFormLoad& fl, const TRecKlient& r) { return fl.DeleteManager(r); };
    return page(def, std::move(ops), bar, parent);
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
        {QStringLiteral("Наименование"), QStringLiteral("Цена"), QStringLiteral("Закуп.цена"),
         QStringLiteral("Упаковка")},
        Right::Goods,
        {QStringLiteral(
            "Товар будет полностью удален из списка. Приходные и расходные накладные с этим товаром "
            "сохраняться. Продолжить удаление ?")}};
    // Purchase prices are shown only to those with the right, checked once per load.
    auto showZCen = std::make_shared<bool>(false);
    TCatalogOps<TRecGood> ops;
    ops.load = [showZCen](TFormLoad& fl, RecordList<TRecGood>& L, const QString& f, int) {
        *showZCen = CheckRight(Right::PurchasePrices, false);
        fl.SelectGoodList(L, f, false);
    };
    ops.cells = [showZCen](const TRecGood& r) -> QStringList {
        return {r.Name, money(r.PCen), *showZCen ? money(r.ZCen) : QString(), qty(r.Pack)};
    };
    ops.create = newRecord<TRecGood>();
    ops.edit = [](QWidget* owner, TRecGood& r) { WindowSeams().FormEditGood(owner, r); };
    ops.remove = [](TFormLoad& fl, const TRecGood& r) { return fl.DeleteGood(r); };
    return page(def, std::move(ops), bar, parent);
}

TCatalogPageOf<TRecGood>* normPage(TStatusBar& bar, QWidget* parent) {
    TCatalogPageDef def{"TSNorm",
                        "EdFindNorm",
                        "ButInsNorm",
                        "ButEditNorm",
                        "ButDelNorm",
                        "SGNorm",
                        {50, 350, 80, 80},
                        {QStringLiteral("Наименование"), QStringLiteral("Цена"), QStringLiteral("Упаковка")},
                        0,
                        {}};
    def.listOnly = true;
    TCatalogOps<TRecGood> ops;
    ops.load = [](TFormLoad& fl, RecordList<TRecGood>& L, const QString& f, int) {
        fl.SelectGoodList(L, f, true);
    };
    ops.cells = [](const TRecGood& r) -> QStringList { return {r.Name, money(r.PCen), qty(r.Pack)}; };
    ops.create = newRecord<TRecGood>();
    return page(def, std::move(ops), bar, parent);
}

TCatalogPageOf<TRecKlient>* groupPage(TStatusBar& bar, QWidget* parent) {
    const TCatalogPageDef def{
        "TSGroup",      "EdFindGroup",
        "ButInsGroup",  "ButEditGroup",
        "ButDelGroup",  "SGGroup",
        {50, 300, 300}, {QStringLiteral("Наименование категории"), QStringLiteral("Примечание")},
        Right::Goods,   {QStringLiteral("Категория будет полностью удалена. Продолжить удаление ?")}};
    TCatalogOps<TRecKlient> ops;
    ops.load = [](TFormLoad& fl, RecordList<TRecKlient>& L, const QString& f, int) {
        fl.SelectGroupList(L, f);
    };
    ops.cells = namePrim;
    ops.create = newRecord<TRecKlient>();
    ops.edit = [](QWidget* owner, TRecKlient& r) { WindowSeams().FormEditGroup(owner, r); };
    ops.remove = [](TFormLoad& fl, const TRecKlient& r) { return fl.DeleteGroup(r); };
    return page(def, std::move(ops), bar, parent);
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
    TCatalogOps<TRecUser> ops;
    ops.load = [](TFormLoad& fl, RecordList<TRecUser>& L, const QString& f, int) { fl.SelectUserList(L, f); };
    ops.cells = [](const TRecUser& r) -> QStringList { return {r.UserName, r.DopLogin}; };
    ops.create = newRecord<TRecUser>();
    ops.edit = [](QWidget* owner, TRecUser& r) { WindowSeams().FormEditUser(owner, r); };
    ops.remove = [](TFormLoad& fl, const TRecUser& r) { return fl.DeleteUser(r); };
    return page(def, std::move(ops), bar, parent);
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
