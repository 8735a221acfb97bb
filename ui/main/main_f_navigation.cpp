// The navigation lists of the main window: each item's text and tag, and what it opens.
#include "about_page.h"
#include "access_checks.h"
#include "combo_id.h"
#include "form_load.h"
#include "main_f.h"
#include "options_page.h"
#include "reg_page.h"
#include "rep_dolg_page.h"
#include "rep_move_good_page.h"
#include "rep_move_klient_page.h"
#include "rep_ost_page.h"
#include "rep_prh_dynam_page.h"
#include "rep_prh_st_page.h"
#include "rep_sale_dynam_page.h"
#include "rep_sale_st_page.h"
#include "right_codes.h"
#include "server_wait.h"
#include "session.h"
#include "status_bar.h"
#include "tag_list_box.h"
#include "user_interaction.h"

#include <QCheckBox>
#include <QComboBox>

void TMainF::buildNavigation() {
    m_docItems = {
        {QStringLiteral("Приходные накладные"), 1, TSPrh,
         [this] { openJournal(Right::PrhView, Right::PrhFull, TSPrh); }},
        {QStringLiteral("Расходные накладные"), 2, TSNkl,
         [this] { openJournal(Right::NklView, Right::NklFull, TSNkl); }},
        {QStringLiteral("Заказы (счета)"), 5, TSInvoice,
         [this] { openJournal(Right::InvoiceView, Right::InvoiceFull, TSInvoice); }},
        {QStringLiteral("Внутренние накладные"), 3, TSVnk,
         [this] { openJournal(Right::VnkView, Right::VnkFull, TSVnk); }},
        {QStringLiteral("Операции с деньгами"), 4, TSMoney,
         [this] { openJournal(Right::MoneyView, Right::MoneyFull, TSMoney); }},
    };
    m_repItems = {
        {QStringLiteral("Остатки товаров"), 1, TSRepOst, [this] { openReport(Right::RepOst, TSRepOst); }},
        {QStringLiteral("Карточка перемещений товара"), 2, TSRepMoveGood,
         [this] { openReport(Right::RepMoveGood, TSRepMoveGood); }},
        {QStringLiteral("Структура продаж"), 3, TSRepSaleSt,
         [this] { openReport(Right::RepSaleSt, TSRepSaleSt); }},
        {QStringLiteral("Динамика продаж"), 4, TSRepSaleDynam,
         [this] { openReport(Right::RepSaleDynam, TSRepSaleDynam); }},
        {QStringLiteral("Долги и остатки денег"), 5, TSRepDolg,
         [this] { openReport(Right::RepDolg, TSRepDolg); }},
        {QStringLiteral("Карточка взаиморасчетов"), 6, TSRepMoveKlient,
         [this] { openReport(Right::RepMoveKl, TSRepMoveKlient); }},
        {QStringLiteral("Структура покупок"), 7, TSRepPrhSt,
         [this] { openReport(Right::RepPrhSt, TSRepPrhSt); }},
        {QStringLiteral("Динамика покупок"), 8, TSRepPrhDynam,
         [this] { openReport(Right::RepPrhDynam, TSRepPrhDynam); }},
    };
    m_optionItems = {
        {QStringLiteral("Список товаров"), 1, Catalogs.Good,
         [this] { openCatalog(Catalogs.Good, [this] { RefreshGoods(); }); }},
        {QStringLiteral("Список комплектов"), 7, Catalogs.Norm,
         [this] { openCatalog(Catalogs.Norm, [this] { RefreshNorms(); }); }},
        {QStringLiteral("Список категорий"), 8, Catalogs.Group,
         [this] { openCatalog(Catalogs.Group, [this] { RefreshGroups(); }); }},
        {QStringLiteral("Покупатели, поставщики, счета..."), 2, Catalogs.Klient,
         [this] { openCatalog(Catalogs.Klient, [this] { RefreshKlients(); }); }},
        {QStringLiteral("Список менеджеров"), 10, Catalogs.Manager,
         [this] { openCatalog(Catalogs.Manager, [this] { RefreshManagers(); }); }},
        {QStringLiteral("Список складов"), 3, Catalogs.Store,
         [this] { openCatalog(Catalogs.Store, [this] { RefreshStores(); }); }},
        {QStringLiteral("Список пользователей"), 9, Catalogs.User,
         [this] {
             if (SignInState.flagAdmin != 1) {
                 ShowInfo(QString::fromUtf8(kAccessDenied));
                 return;
             }
             openCatalog(Catalogs.User, [this] { RefreshUsers(); });
         }},
        {QStringLiteral("Настройки"), 6, TSOptions, [this] { ShowPage(TSOptions); }},
        {QStringLiteral("Регистрация и доступ"), 4, TSReg,
         [this] {
             ShowPage(TSReg);
             SignIn();
         }},
        {QStringLiteral("О программе"), 5, TSAbout, [this] { ShowPage(TSAbout); }},
    };
    const auto fill = [](TagListBox* list, const std::vector<NavItem>& items) {
        list->clear();
        for (const NavItem& item : items)
            list->AddItem(item.text, item.tag);
    };
    fill(LBoxDoc, m_docItems);
    fill(LBoxRep, m_repItems);
    fill(LBoxOptions, m_optionItems);
}

void TMainF::run(const std::vector<NavItem>& items, int tag) {
    for (const NavItem& item : items) {
        if (item.tag == tag) {
            item.open();
            return;
        }
    }
}

void TMainF::LBoxDocClick(int tag) {
    run(m_docItems, tag);
    markNavigation();
}
void TMainF::LBoxRepClick(int tag) {
    run(m_repItems, tag);
    markNavigation();
}
void TMainF::LBoxOptionsClick(int tag) {
    run(m_optionItems, tag);
    markNavigation();
}

std::vector<TMainF::NavEntry> TMainF::Navigation() const {
    std::vector<NavEntry> entries;
    for (const auto& [list, items] : {std::pair{LBoxDoc, &m_docItems}, std::pair{LBoxRep, &m_repItems},
                                      std::pair{LBoxOptions, &m_optionItems}})
        for (const NavItem& item : *items)
            entries.push_back({list, item.tag, item.page});
    return entries;
}

void TMainF::NavigationClick(const NavEntry& item) {
    if (item.list == LBoxDoc) LBoxDocClick(item.tag);
    if (item.list == LBoxRep) LBoxRepClick(item.tag);
    if (item.list == LBoxOptions) LBoxOptionsClick(item.tag);
}

// One entry is highlighted across the three lists: the one of the page shown. A click that
// was refused leaves the highlight where the page is.
void TMainF::markNavigation() {
    for (TagListBox* list : {LBoxDoc, LBoxRep, LBoxOptions}) {
        const QSignalBlocker quiet(list);
        list->clearSelection();
        list->setCurrentItem(nullptr);
    }
    for (const NavEntry& item : Navigation()) {
        if (item.page != CurrentPage()) continue;
        const QSignalBlocker quiet(item.list);
        item.list->setCurrentRow(item.list->RowOfTag(item.tag));
    }
}

void TMainF::openJournal(int rightView, int rightFull, TJournalPage* page) {
    if (!CheckRight(rightView, false) && !CheckRight(rightFull, false)) {
        ShowInfo(QString::fromUtf8(kAccessDenied));
        return;
    }
    ShowPage(page);
    page->Refresh();
}

void TMainF::openReport(int right, TReportPage* page) {
    if (!CheckRight(right, false)) {
        ShowInfo(QString::fromUtf8(kAccessDenied));
        return;
    }
    // A filter that cannot be filled means the service is not answering: the report would only
    // fail after it (and, with a silent service, make the person wait once more).
    const bool filled = (!page->StoreCombo() || FillStoreCombo(page->StoreCombo())) &&
                        (!page->ManagerCombo() || FillManagerCombo(page->ManagerCombo()));
    if (!CheckRight(Right::PurchasePrices, false)) {
        // Once disabled, the boxes stay so for the run.
        for (QCheckBox* box : page->PurchasePriceBoxes()) {
            box->setChecked(false);
            box->setEnabled(false);
        }
    }
    ShowPage(page);
    if (filled) page->Refresh();
}

void TMainF::openCatalog(QWidget* page, const std::function<void()>& loader) {
    ShowPage(page);
    loader();
}

bool TMainF::fillFilterCombo(QComboBox* box,
                             const std::function<void(TFormLoad&, RecordList<TRecKlient>&)>& load,
                             const std::function<bool(const TRecKlient&)>& shown) {
    TServerWait wait(*SBarInfo, 1);
    RecordList<TRecKlient> list;
    CreateList(list, 2048);
    TFormLoad fl;
    load(fl, list);
    if (fl.Failure()) { // the filter keeps what it offered
        wait.Fail(*fl.Failure());
        return false;
    }
    box->clear();
    AddComboItem(box, QStringLiteral("(все)"), -1);
    for (const auto& rec : list)
        if (shown(*rec)) AddComboItem(box, rec->Name, rec->ID);
    box->setCurrentIndex(0);
    return true;
}

bool TMainF::FillStoreCombo(QComboBox* box) {
    return fillFilterCombo(
        box, [](TFormLoad& fl, RecordList<TRecKlient>& L) { fl.SelectStoreList(L, QString()); },
        [](const TRecKlient& r) { return CheckStoreView(r.ID, false); });
}

bool TMainF::FillManagerCombo(QComboBox* box) {
    return fillFilterCombo(
        box, [](TFormLoad& fl, RecordList<TRecKlient>& L) { fl.SelectManagerList(L, QString()); },
        [](const TRecKlient&) { return true; });
}
