#include "doc_kind.h"

#include "id_counter.h"
#include "right_codes.h"

namespace kovrel::server {

QString DocKind::Endpoint(const char* pattern) const {
    return QString::fromLatin1(pattern).arg(QLatin1String(stem));
}

const DocKind& DocKind::Prh() {
    static const DocKind k{1,
                           "prh",
                           "Приходная накладная",
                           Right::PrhView,
                           Right::PrhFull,
                           Right::PrhLock,
                           Right::PrhNoDelete,
                           false,
                           false,
                           false,
                           StockSide::In,
                           &IdSequence::Waybills,
                           "doc_link"};
    return k;
}

const DocKind& DocKind::Nkl() {
    static const DocKind k{2,
                           "nkl",
                           "Расходная накладная",
                           Right::NklView,
                           Right::NklFull,
                           Right::NklLock,
                           Right::NklNoDelete,
                           false,
                           true,
                           true,
                           StockSide::Out,
                           &IdSequence::Waybills,
                           "doc_link"};
    return k;
}

const DocKind& DocKind::Invoice() {
    static const DocKind k{3,
                           "invoice",
                           "Заказ (счет)",
                           Right::InvoiceView,
                           Right::InvoiceFull,
                           Right::InvoiceLock,
                           Right::InvoiceNoDelete,
                           false,
                           true,
                           true,
                           StockSide::None,
                           &IdSequence::Orders,
                           "doc_link_invoice"};
    return k;
}

const DocKind& DocKind::Vnk() {
    static const DocKind k{4,
                           "vnk",
                           "Внутренняя накладная",
                           Right::VnkView,
                           Right::VnkFull,
                           Right::VnkLock,
                           Right::VnkNoDelete,
                           true,
                           true,
                           false,
                           StockSide::Transfer,
                           &IdSequence::Transfers,
                           nullptr};
    return k;
}

std::span<const DocKind* const> DocKind::All() {
    static const DocKind* const kinds[] = {&Prh(), &Nkl(), &Invoice(), &Vnk()};
    return kinds;
}

const DocKind& DocKind::FromCode(int code) {
    for (const DocKind* k : All())
        if (k->code == code) return *k;
    return Prh();
}

} // namespace kovrel::server
