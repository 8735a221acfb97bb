#include "window_tour.h"

#include "date_time.h"
#include "editor_dialog.h"
#include "form_edit_good.h"
#include "form_edit_group.h"
#include "form_edit_invoice.h"
#include "form_edit_invoice_item.h"
#include "form_edit_kl.h"
#include "form_edit_money.h"
#include "form_edit_nkl.h"
#include "form_edit_nkl_item.h"
#include "form_edit_org.h"
#include "form_edit_prh.h"
#include "form_edit_prh_item.h"
#include "form_edit_user.h"
#include "form_edit_vnk.h"
#include "form_edit_vnk_item.h"
#include "form_list_good.h"
#include "form_list_kl.h"
#include "form_list_store.h"
#include "form_load.h"
#include "main_f.h"
#include "message_box_interaction.h"
#include "server_wait_window.h"
#include "session.h"

#include <QMessageBox>

namespace {

using Stop = TTourStop;

// The documents of the last three months that a tour opens.
constexpr int kDaysBack = 92;

template <class Rec, class Query>
Rec firstOf(Query query) {
    RecordList<Rec> list;
    TFormLoad fl;
    query(fl, list);
    return list.empty() ? Rec() : *list.front();
}

// The newest document of a journal: the one its first row shows.
template <class Rec>
Rec newest(void (TFormLoad::*select)(RecordList<Rec>&, const QString&, TDateTime, TDateTime)) {
    RecordList<Rec> list;
    TFormLoad fl;
    const TDateTime today = kovrel::Today();
    (fl.*select)(list, QString(), today - kDaysBack, today + 1);
    const Rec* best = nullptr;
    for (const auto& rec : list)
        if (!best || rec->GetKey() < best->GetKey()) best = rec.get();
    return best ? *best : Rec();
}

Stop klientEditor(const QString& name, int typeKl) {
    return {name, [typeKl](TMainF& main, TTourOpened& opened) {
                TRecKlient& rec = opened.Keep(firstOf<TRecKlient>([typeKl](TFormLoad& fl, auto& L) {
                    if (typeKl == TypeKlKind::Store)
                        fl.SelectStoreList(L, QString());
                    else if (typeKl == TypeKlKind::Manager)
                        fl.SelectManagerList(L, QString());
                    else
                        fl.SelectKlientList(L, QString(), typeKl);
                }));
                rec.TypeKl = typeKl;
                return opened.Hold(new TFormEditKl(&main, rec));
            }};
}

// A goods document's editor, and the line editor on its first line over the editor.
template <class Editor, class LineEditor>
std::pair<Stop, Stop> documentEditors(const QString& name,
                                      void (TFormLoad::*select)(RecordList<TRecDoc>&, const QString&,
                                                                TDateTime, TDateTime)) {
    const auto editor = [select](TMainF& main, TTourOpened& opened) {
        return opened.Hold(new Editor(&main, main, opened.Keep(newest(select))));
    };
    const auto lineEditor = [editor](TMainF& main, TTourOpened& opened) -> QWidget* {
        Editor* doc = static_cast<Editor*>(editor(main, opened));
        if (doc->ListItemsSort.IsEmpty()) return doc;
        const TStockStores stores = doc->Family().kind.StockStoresOf(doc->LocalRec);
        return new LineEditor(doc, stores, *doc->ListItemsSort.Objects(0));
    };
    return {{name, editor}, {name + QStringLiteral("Item"), lineEditor}};
}

Stop goodsPicker(const QString& name, int mode) {
    return {name, [mode](TMainF& main, TTourOpened& opened) {
                TListGoodArgs args;
                args.SelMode = mode;
                args.FlagIns = mode == 1;
                // The stock of the store the newest sale took its goods from.
                if (mode == 2) args.SelCodeStore = newest(&TFormLoad::SelectNklList).StoreID;
                return opened.Hold(new TFormListGood(&main, main, args));
            }};
}

// What the person sees when things go wrong: a journal after the service went down (it keeps its
// documents, the status bar says why), the window of a request the service has not answered
// within two seconds, and the question of an editor closed with unsaved changes.
void addTroubleStops(const TMainF& window, std::vector<Stop>& stops) {
    for (const TMainF::NavEntry& item : window.Navigation()) {
        if (item.page->objectName() != QLatin1String("TSPrh")) continue;
        stops.push_back({QStringLiteral("TSPrh-service-down"), [item](TMainF& m, TTourOpened&) -> QWidget* {
                             m.NavigationClick(item);
                             const QString service = BaseURL;
                             BaseURL = QStringLiteral("http://127.0.0.1:9"); // nothing answers there
                             m.NavigationClick(item);
                             BaseURL = service;
                             return &m;
                         }});
    }
    stops.push_back({QStringLiteral("FormServerWait"), [](TMainF& main, TTourOpened& opened) {
                         return opened.Hold(new TFormServerWait(&main));
                     }});
    stops.push_back(
        {QStringLiteral("SaveChangesQuestion"), [](TMainF& main, TTourOpened& opened) {
             return opened.Hold(
                 MessageBoxInteraction::YesNoCancelBox(TEditorDialog::kSaveQuestion, &main).release());
         }});
}

} // namespace

std::vector<TTourStop> WindowTour(const TMainF& window) {
    std::vector<Stop> stops;
    for (const TMainF::NavEntry& item : window.Navigation()) {
        stops.push_back({item.page->objectName(), [item](TMainF& m, TTourOpened&) -> QWidget* {
                             m.NavigationClick(item);
                             return &m;
                         }});
    }
    stops.push_back(klientEditor(QStringLiteral("FormEditKl-klient"), TypeKlKind::Klient));
    stops.push_back(klientEditor(QStringLiteral("FormEditKl-account"), TypeKlKind::Account));
    stops.push_back(klientEditor(QStringLiteral("FormEditKl-store"), TypeKlKind::Store));
    stops.push_back(klientEditor(QStringLiteral("FormEditKl-manager"), TypeKlKind::Manager));
    stops.push_back({QStringLiteral("FormEditGood"), [](TMainF& main, TTourOpened& opened) {
                         TRecGood& rec = opened.Keep(firstOf<TRecGood>(
                             [](TFormLoad& fl, auto& L) { fl.SelectGoodList(L, QString(), false); }));
                         return opened.Hold(new TFormEditGood(&main, rec));
                     }});
    stops.push_back({QStringLiteral("FormEditGroup"), [](TMainF& main, TTourOpened& opened) {
                         TRecKlient& rec = opened.Keep(firstOf<TRecKlient>(
                             [](TFormLoad& fl, auto& L) { fl.SelectGroupList(L, QString()); }));
                         return opened.Hold(new TFormEditGroup(&main, rec));
                     }});
    stops.push_back({QStringLiteral("FormEditUser"), [](TMainF& main, TTourOpened& opened) {
                         TRecUser& rec = opened.Keep(firstOf<TRecUser>(
                             [](TFormLoad& fl, auto& L) { fl.SelectUserList(L, QString()); }));
                         return opened.Hold(new TFormEditUser(&main, rec));
                     }});
    stops.push_back({QStringLiteral("FormEditOrg"), [](TMainF& main, TTourOpened& opened) {
                         return opened.Hold(new TFormEditOrg(&main, kOrganizationID));
                     }});
    stops.push_back(goodsPicker(QStringLiteral("FormListGood"), 1));
    stops.push_back(goodsPicker(QStringLiteral("FormListGood-stock"), 2));
    stops.push_back({QStringLiteral("FormListKl"), [](TMainF& main, TTourOpened& opened) {
                         return opened.Hold(new TFormListKl(&main, main));
                     }});
    stops.push_back({QStringLiteral("FormListStore"), [](TMainF& main, TTourOpened& opened) {
                         return opened.Hold(new TFormListStore(&main, main));
                     }});
    for (const auto& [editor, line] :
         {documentEditors<TFormEditPrh, TFormEditPrhItem>(QStringLiteral("FormEditPrh"),
                                                          &TFormLoad::SelectPrhList),
          documentEditors<TFormEditNkl, TFormEditNklItem>(QStringLiteral("FormEditNkl"),
                                                          &TFormLoad::SelectNklList),
          documentEditors<TFormEditInvoice, TFormEditInvoiceItem>(QStringLiteral("FormEditInvoice"),
                                                                  &TFormLoad::SelectInvoiceList),
          documentEditors<TFormEditVnk, TFormEditVnkItem>(QStringLiteral("FormEditVnk"),
                                                          &TFormLoad::SelectVnkList)}) {
        stops.push_back(editor);
        stops.push_back(line);
    }
    stops.push_back({QStringLiteral("FormEditMoney"), [](TMainF& main, TTourOpened& opened) {
                         TRecMoney& rec = opened.Keep(newest(&TFormLoad::SelectMoneyList));
                         return opened.Hold(new TFormEditMoney(&main, main, rec));
                     }});
    addTroubleStops(window, stops);
    return stops;
}
