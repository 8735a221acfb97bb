// The four goods documents side by side: every way in which the editors of sales waybills,
// receipts, orders and internal transfers (and their line editors) differ.
#include "doc_family.h"

#include "form_edit_invoice_item.h"
#include "form_edit_nkl_item.h"
#include "form_edit_prh_item.h"
#include "form_edit_vnk_item.h"
#include "right_codes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

template <class LineEditor>
int execLineEditor(QWidget* owner, TStockStores stores, TRecDocItem& line) {
    LineEditor editor(owner, stores, line);
    return editor.exec();
}

const QString kSelStore = QStringLiteral("Выбор склада");
const QString kNeedSender = QStringLiteral("Необходимо указать отправителя товаров !");
const QString kNeedReceiver = QStringLiteral("Необходимо указать получателя товаров !");
const QString kNeedBoth = QStringLiteral("Необходимо указать отправителя и получателя товаров !");
const QString kPrice = QStringLiteral("Цена");
const QString kSalePrice = QStringLiteral("Прод.цена");
const QString kStock = QStringLiteral("Остаток: ");
// Goods that leave the store are picked from its stock; goods that arrive, or are only
// ordered, from the whole catalog, where a new item can be added.
constexpr TListGoodArgs kFromStock{false, -1, 0, 2};
constexpr TListGoodArgs kFromCatalog{true, -1, 1, 1};

// Differences within this much of zero are rounding noise of the stock sums, not a shortage.
constexpr double kStockNoise = 1e-9;

} // namespace

const TDocFamily& NklFamily() {
    static const TDocFamily family{
        .kind = NklKind(),
        .caption = QStringLiteral("Расходная накладная"),
        .first = {"ButSelStore", kSelStore, TDocParty::Store},
        .second = {"ButSelKl", QStringLiteral("Выбор покупателя"), TDocParty::Klient},
        .rightFull = Right::NklFull,
        .rightLock = Right::NklLock,
        .requiredStores = {TDocParty::Store},
        .saveGuard = kNeedSender,
        .addGuard = kNeedSender,
        .picker = kFromStock,
        .pickerStore = TDocParty::Store,
        .priceHeading = kPrice,
        .kitLines = true,
        .excelImport = false,
        .updExport = true,
        .priceLabel = kSalePrice,
        .stock = {{TStockFlow::Out, true, "LabOstI", kStock}},
        .ops = {
            &TFormLoad::InsertNkl, &TFormLoad::UpdateNkl,
            [](TFormLoad& f, const TRecDocItem& r, TStockStores s) { return f.SelectNklItemOne(r, s.first); },
            &TFormLoad::InsertNklItem, &TFormLoad::DeleteNklItemOne,
            [](TFormLoad& f, const TRecDocItem& r, double, double) { return f.UpdateNklItem(r); }},
        .editLine = execLineEditor<TFormEditNklItem>,
    };
    return family;
}

const TDocFamily& PrhFamily() {
    static const TDocFamily family{
        .kind = PrhKind(),
        .caption = QStringLiteral("Приходная накладная"),
        .first = {"ButSelKl", QStringLiteral("Выбор поставщика"), TDocParty::Klient},
        .second = {"ButSelStore", kSelStore, TDocParty::Store},
        .rightFull = Right::PrhFull,
        .rightLock = Right::PrhLock,
        .requiredStores = {TDocParty::Store},
        .saveGuard = kNeedReceiver,
        .addGuard = kNeedReceiver,
        .picker = kFromCatalog,
        .pickerStore = TDocParty::Store,
        .priceHeading = QStringLiteral("Закуп. цена"),
        .kitLines = false,
        .excelImport = true,
        .updExport = false,
        .priceLabel = QStringLiteral("Закуп.цена"),
        .stock = {{TStockFlow::In, true, "LabOstI", kStock}},
        .ops = {
            &TFormLoad::InsertPrh, &TFormLoad::UpdatePrh,
            [](TFormLoad& f, const TRecDocItem& r, TStockStores s) { return f.SelectPrhItemOne(r, s.first); },
            &TFormLoad::InsertPrhItem, &TFormLoad::DeletePrhItemOne,
            // `compare` 1 asks the service to carry a changed purchase price to the stock
            // the line brought.
            [](TFormLoad& f, const TRecDocItem& r, double oldKol, double oldCenZ) {
                return f.UpdatePrhItem(r, oldKol, oldCenZ, PriceChanged(r.CenZ, oldCenZ) ? 1 : 0);
            }},
        .editLine = execLineEditor<TFormEditPrhItem>,
    };
    return family;
}

const TDocFamily& InvoiceFamily() {
    static const TDocFamily family{
        .kind = InvoiceKind(),
        .caption = QStringLiteral("Заказ (счет)"),
        .first = {"ButSelStore", kSelStore, TDocParty::Store},
        .second = {"ButSelKl", QStringLiteral("Выбор покупателя"), TDocParty::Klient},
        .rightFull = Right::InvoiceFull,
        .rightLock = Right::InvoiceLock,
        .requiredStores = {TDocParty::Store},
        .saveGuard = kNeedSender,
        .addGuard = kNeedReceiver,
        .picker = kFromCatalog,
        .pickerStore = TDocParty::Store,
        .priceHeading = kPrice,
        .kitLines = true,
        .excelImport = false,
        .updExport = false,
        .priceLabel = kSalePrice,
        // An order moves no stock: its line editor shows the stock and accepts any quantity.
        .stock = {{TStockFlow::Out, false, "LabOstI", kStock}},
        .ops = {&TFormLoad::InsertInvoice, &TFormLoad::UpdateInvoice,
                [](TFormLoad& f, const TRecDocItem& r, TStockStores s) {
                    return f.SelectInvoiceItemOne(r, s.first);
                },
                &TFormLoad::InsertInvoiceItem, &TFormLoad::DeleteInvoiceItemOne,
                [](TFormLoad& f, const TRecDocItem& r, double, double) { return f.UpdateInvoiceItem(r); }},
        .editLine = execLineEditor<TFormEditInvoiceItem>,
    };
    return family;
}

const TDocFamily& VnkFamily() {
    static const TDocFamily family{
        .kind = VnkKind(),
        .caption = QStringLiteral("Внутренняя накладная"),
        .first = {"ButSelI", QStringLiteral("Выбор отправителя"), TDocParty::StoreI},
        .second = {"ButSelP", QStringLiteral("Выбор получателя"), TDocParty::StoreP},
        .rightFull = Right::VnkFull,
        .rightLock = Right::VnkLock,
        .requiredStores = {TDocParty::StoreI, TDocParty::StoreP},
        .saveGuard = kNeedBoth,
        .addGuard = kNeedBoth,
        .picker = kFromStock,
        .pickerStore = TDocParty::StoreI,
        .priceHeading = kPrice,
        .kitLines = false,
        .excelImport = false,
        .updExport = false,
        .priceLabel = kSalePrice,
        .stock = {{TStockFlow::Out, true, "LabOstI", QStringLiteral("Остаток (отправитель): ")},
                  {TStockFlow::In, true, "LabOstP", QStringLiteral("Остаток (получатель): ")}},
        .ops = {&TFormLoad::InsertVnk, &TFormLoad::UpdateVnk,
                [](TFormLoad& f, const TRecDocItem& r, TStockStores s) {
                    return f.SelectVnkItemOne(r, s.first, s.second);
                },
                &TFormLoad::InsertVnkItem, &TFormLoad::DeleteVnkItemOne,
                [](TFormLoad& f, const TRecDocItem& r, double, double) { return f.UpdateVnkItem(r); }},
        .editLine = execLineEditor<TFormEditVnkItem>,
    };
    return family;
}

bool TDocFamily::Guarded() const {
    for (const TStockSide& side : stock)
        if (side.guarded) return true;
    return false;
}

// ---- Stock rules ------------------------------------------------------------------------------

double StockOf(const TRecDocItem& line, size_t side) {
    return side == 0 ? line.GetOstI() : line.GetOstP();
}

namespace {

// +1 when the document's quantity adds to the store's stock, -1 when it takes from it.
double signOf(TStockFlow flow) {
    return flow == TStockFlow::In ? 1.0 : -1.0;
}

bool notBelowZero(long double stock) {
    return stock >= -kStockNoise;
}

} // namespace

bool DeleteKeepsStock(const TStockSide& side, double ost, double kol) {
    return !side.guarded || notBelowZero(static_cast<long double>(ost) - signOf(side.flow) * kol);
}

bool ChangeKeepsStock(const TStockSide& side, double ost, double oldKol, double kol) {
    const long double sign = signOf(side.flow);
    return !side.guarded || notBelowZero(static_cast<long double>(ost) - sign * oldKol + sign * kol);
}

bool PriceChanged(double price, double oldPrice) {
    const double scale = std::max({1.0, std::abs(price), std::abs(oldPrice)});
    return std::abs(price - oldPrice) > scale * std::numeric_limits<double>::epsilon() * 4;
}
