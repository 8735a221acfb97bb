#include "remove_doc.h"

#include "form_load.h"
#include "fresh_request.h"
#include "server_wait.h"
#include "user_interaction.h"

#include <functional>
#include <optional>

const QString kStockShortage =
    QStringLiteral("Недостаточное количество товара на складе ! Остаток товара не может быть меньше нуля.");

namespace {

// Quantities travel with three decimals; a stock that comes back to exactly zero may still carry
// the noise of binary sums, which must not count as a shortage.
constexpr double kStockNoise = 1e-9;

bool negative(double stock) {
    return stock < -kStockNoise;
}

using ReadLines = std::function<void(TFormLoad&, RecordList<TRecDocItem>&, const TRecDoc&)>;

struct TRemoval {
    TStockRule rule;
    ReadLines lines; // null: the kind's lines are not read
    bool (TFormLoad::*remove)(const TRecDoc&);
};

// The first line that the deletion would drive below zero, or null.
const TRecDocItem* shortLine(TStockRule rule, const RecordList<TRecDocItem>& lines) {
    for (const auto& line : lines)
        if (BreaksStockRule(rule, *line)) return line.get();
    return nullptr;
}

// The stock message and a refusal of the service are shown once the wait is over.
bool removeGoodsDoc(TStatusBar& bar, const TRecDoc& rec, const TRemoval& kind) {
    std::optional<TServerWait> wait(std::in_place, bar, 0);
    TFormLoad fl;
    if (kind.lines) {
        RecordList<TRecDocItem> lines;
        kind.lines(fl, lines, rec);
        // Lines that could not be read prove nothing about the stock: the document stays, and
        // the user learns why.
        const bool unread = fl.Failed();
        if (unread || shortLine(kind.rule, lines)) {
            if (unread) wait->Fail(*fl.Failure());
            wait.reset();
            if (unread)
                ShowRefusal(fl);
            else
                ShowInfo(kStockShortage);
            return false;
        }
    }
    const bool removed = (fl.*kind.remove)(rec);
    if (!removed && fl.Failure()) wait->Fail(*fl.Failure());
    wait.reset();
    if (!removed) ShowChangeFailure(fl); // the journal reads its documents again next
    return removed;
}

ReadLines linesOfStore(void (TFormLoad::*select)(RecordList<TRecDocItem>&, int, int)) {
    return [select](TFormLoad& fl, RecordList<TRecDocItem>& L, const TRecDoc& rec) {
        (fl.*select)(L, rec.ID, rec.StoreID);
    };
}

} // namespace

bool BreaksStockRule(TStockRule rule, const TRecDocItem& line) {
    switch (rule) {
    case TStockRule::Receipt:
        return negative(line.GetOstI() - line.Kol);
    case TStockRule::Sale:
        return negative(line.GetOstI() + line.Kol);
    case TStockRule::Transfer:
        return negative(line.GetOstI() + line.Kol) || negative(line.GetOstP() - line.Kol);
    case TStockRule::None:
        break;
    }
    return false;
}

bool RemovePrhDoc(TStatusBar& bar, const TRecDoc& rec) {
    return removeGoodsDoc(
        bar, rec, {TStockRule::Receipt, linesOfStore(&TFormLoad::SelectPrhItemsList), &TFormLoad::DeletePrh});
}

bool RemoveNklDoc(TStatusBar& bar, const TRecDoc& rec) {
    return removeGoodsDoc(
        bar, rec, {TStockRule::Sale, linesOfStore(&TFormLoad::SelectNklItemsList), &TFormLoad::DeleteNkl});
}

bool RemoveInvoiceDoc(TStatusBar& bar, const TRecDoc& rec) {
    return removeGoodsDoc(bar, rec, {TStockRule::None, nullptr, &TFormLoad::DeleteInvoice});
}

bool RemoveVnkDoc(TStatusBar& bar, const TRecDoc& rec) {
    const ReadLines bothStores = [](TFormLoad& fl, RecordList<TRecDocItem>& L, const TRecDoc& r) {
        fl.SelectVnkItemsList(L, r.ID, r.StoreIDI, r.StoreIDP);
    };
    return removeGoodsDoc(bar, rec, {TStockRule::Transfer, bothStores, &TFormLoad::DeleteVnk});
}
