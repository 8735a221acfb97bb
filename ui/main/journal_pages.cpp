// The document journals, each kind's differences in one place: columns, rights, who sees a
// document, its editor, its deletion and what a payment of it carries.
#include "journal_pages.h"

#include "access_checks.h"
#include "format_settings.h"
#include "fresh_request.h"
#include "number_text.h"
#include "remove_doc.h"
#include "right_codes.h"

namespace {

using DocColumn = TJournalColumn<TRecDoc>;
using MoneyColumn = TJournalColumn<TRecMoney>;

QString money(double value) {
    return FormatFixed(2, value);
}

template <class Rec>
QString number(const Rec& r) {
    return QString::number(r.ID);
}

template <class Rec>
QString date(const Rec& r) {
    return kovrel::FormatDateTime(DisplayFormat.ShortDateFormat, r.DocDate, DisplayFormat);
}

template <class Rec>
QString prim(const Rec& r) {
    return r.Prim;
}

// A linked document's number; empty without a link.
QString link(int id) {
    return id == 0 ? QString() : QString::number(id);
}

// The sum a goods document is worth (purchase prices for receipts, sale prices otherwise) and its
// unpaid rest.
DocColumn sumColumn(double TRecDoc::*sum) {
    return {QStringLiteral("Сумма"), 80, [sum](const TRecDoc& r) { return money(r.*sum); }};
}
DocColumn debtColumn(double TRecDoc::*sum) {
    return {QStringLiteral("Долг"), 80, [sum](const TRecDoc& r) { return DebtText(r.*sum, r.MoneySum); }};
}

const DocColumn kNumber{QStringLiteral("Номер"), 50, number<TRecDoc>};
const DocColumn kDate{QStringLiteral("Дата"), 80, date<TRecDoc>};
const DocColumn kPrim{QStringLiteral("Примечание"), 150, prim<TRecDoc>};
DocColumn party(const QString& heading, int width) {
    return {heading, width, [](const TRecDoc& r) { return r.KlientName; }};
}
DocColumn store(QString TRecDoc::*name, const QString& heading, int width) {
    return {heading, width, [name](const TRecDoc& r) { return r.*name; }};
}

// Documents of a store that the person may fully use; transfers when either store is.
bool storeListed(const TRecDoc& r) {
    return CheckStoreFull(r.StoreID, false);
}
bool eitherStoreListed(const TRecDoc& r) {
    return CheckStoreFull(r.StoreIDI, false) || CheckStoreFull(r.StoreIDP, false);
}

// Which side of the payment the document's counterparty takes, the amount still unpaid, and the
// link that ties the payment to the document.
enum class Party { Sender, Receiver };
std::function<void(const TRecDoc&, TRecMoney&)> payment(Party party, double TRecDoc::*sum,
                                                        int TRecMoney::*linkField) {
    return [=](const TRecDoc& doc, TRecMoney& m) {
        (party == Party::Sender ? m.KlientIDI : m.KlientIDP) = doc.KlientID;
        (party == Party::Sender ? m.KlientNameI : m.KlientNameP) = doc.KlientName;
        m.SumM = doc.*sum - doc.MoneySum;
        m.*linkField = doc.ID;
    };
}

std::function<void(TStatusBar&, const TRecDoc&)> removal(bool (*remove)(TStatusBar&, const TRecDoc&)) {
    return [remove](TStatusBar& bar, const TRecDoc& r) { remove(bar, r); };
}

TJournalKind<TRecDoc> prh() {
    return {QStringLiteral("Prh"),
            {Right::PrhFull, Right::PrhNoDelete, Right::PrhLock},
            {kNumber, kDate, party(QStringLiteral("Поставщик"), 200),
             store(&TRecDoc::StoreName, QStringLiteral("Склад"), 150), sumColumn(&TRecDoc::SumZ),
             debtColumn(&TRecDoc::SumZ), kPrim},
            &TFormLoad::SelectPrhList,
            storeListed,
            &TWindowSeams::FormEditPrh,
            removal(RemovePrhDoc),
            payment(Party::Receiver, &TRecDoc::SumZ, &TRecMoney::DocN)};
}

// Sales waybills and orders show the same columns.
std::vector<DocColumn> saleColumns() {
    return {kNumber,
            kDate,
            store(&TRecDoc::StoreName, QStringLiteral("Склад"), 150),
            party(QStringLiteral("Покупатель"), 200),
            sumColumn(&TRecDoc::SumR),
            debtColumn(&TRecDoc::SumR),
            kPrim};
}

TJournalKind<TRecDoc> nkl() {
    return {QStringLiteral("Nkl"), {Right::NklFull, Right::NklNoDelete, 0},
            saleColumns(),         &TFormLoad::SelectNklList,
            storeListed,           &TWindowSeams::FormEditNkl,
            removal(RemoveNklDoc), payment(Party::Sender, &TRecDoc::SumR, &TRecMoney::DocN)};
}

TJournalKind<TRecDoc> invoice() {
    return {QStringLiteral("Invoice"),
            {Right::InvoiceFull, Right::InvoiceNoDelete, 0},
            saleColumns(),
            &TFormLoad::SelectInvoiceList,
            storeListed,
            &TWindowSeams::FormEditInvoice,
            removal(RemoveInvoiceDoc),
            payment(Party::Sender, &TRecDoc::SumR, &TRecMoney::InvoiceN)};
}

TJournalKind<TRecDoc> vnk() {
    return {QStringLiteral("Vnk"),
            {Right::VnkFull, Right::VnkNoDelete, 0},
            {kNumber, kDate, store(&TRecDoc::StoreNameI, QStringLiteral("Сдал"), 150),
             store(&TRecDoc::StoreNameP, QStringLiteral("Получил"), 150), sumColumn(&TRecDoc::SumR), kPrim},
            &TFormLoad::SelectVnkList,
            eitherStoreListed,
            &TWindowSeams::FormEditVnk,
            removal(RemoveVnkDoc),
            nullptr};
}

TJournalKind<TRecMoney> moneyKind() {
    const auto klient = [](QString TRecMoney::*name, const QString& heading) {
        return MoneyColumn{heading, 150, [name](const TRecMoney& r) { return r.*name; }};
    };
    const auto linked = [](int TRecMoney::*id, const QString& heading) {
        return MoneyColumn{heading, 70, [id](const TRecMoney& r) { return link(r.*id); }};
    };
    return {QStringLiteral("Money"),
            {Right::MoneyFull, Right::MoneyNoDelete, 0},
            {{QStringLiteral("Номер"), 50, number<TRecMoney>},
             {QStringLiteral("Дата"), 80, date<TRecMoney>},
             klient(&TRecMoney::KlientNameI, QStringLiteral("Отправитель")),
             klient(&TRecMoney::KlientNameP, QStringLiteral("Получатель")),
             {QStringLiteral("Сумма"), 80, [](const TRecMoney& r) { return money(r.SumM); }},
             {QStringLiteral("Примечание"), 150, prim<TRecMoney>},
             linked(&TRecMoney::DocN, QStringLiteral("№ накладной")),
             linked(&TRecMoney::InvoiceN, QStringLiteral("№ заказа (счета)"))},
            &TFormLoad::SelectMoneyList,
            [](const TRecMoney&) { return true; },
            &TWindowSeams::FormEditMoney,
            [](TStatusBar&, const TRecMoney& r) {
                ChangeOnFreshRequest([&](TFormLoad& fl) { return fl.DeleteMoney(r); });
            },
            nullptr};
}

template <class Rec>
TJournalPageOf<Rec>* page(TJournalKind<Rec> kind, TStatusBar& bar, TSelectionSlot& slot, QWidget* parent) {
    return new TJournalPageOf<Rec>(std::move(kind), bar, slot, parent);
}

} // namespace

QString DebtText(double sum, double paid) {
    // Money has two decimals: a rest that rounds to nothing is nothing, not "0.00" or "-0.00".
    const QString text = money(sum - paid);
    const bool nothing = text == QLatin1String("0.00") || text == QLatin1String("-0.00");
    return nothing ? QString() : text;
}

TJournalPages TJournalPages::Create(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent) {
    TJournalPages p;
    p.Prh = page(prh(), bar, slot, parent);
    p.Nkl = page(nkl(), bar, slot, parent);
    p.Invoice = page(invoice(), bar, slot, parent);
    p.Vnk = page(vnk(), bar, slot, parent);
    p.Money = page(moneyKind(), bar, slot, parent);
    return p;
}
