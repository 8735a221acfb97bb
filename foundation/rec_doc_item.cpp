#include "rec_doc_item.h"

#include "number_text.h"
#include "record_key.h"

QString TRecDocItem::GetKey() const {
    using namespace kovrel;
    return Pad9(IdRow) + QLatin1Char('=') + D((FlagNorm + 1) % 2) + QLatin1Char('=') + Name +
           QLatin1Char('=') + Pad9(ID);
}

bool TRecDocItem::IsItems() const {
    return FlagNorm == 0 && IdRow != 0;
}

double TRecDocItem::GetOstI() const {
    return static_cast<double>(static_cast<long double>(KolPlus) + KolPlusV - KolMinus - KolMinusV);
}

double TRecDocItem::GetOstP() const {
    return static_cast<double>(static_cast<long double>(PKolPlus) + PKolPlusV - PKolMinus - PKolMinusV);
}

double TRecDocItem::GetKolPack() const {
    return kovrel::IsZero(Pack) ? Kol : Kol / Pack;
}

kovrel::VatRate TRecDocItem::GetRate() const {
    return kovrel::VatRate::FromDouble(ProcNds);
}

kovrel::LineFigures TRecDocItem::GetFigures() const {
    return kovrel::ComputeLine(kovrel::Quantity::FromDouble(Kol), kovrel::Money::FromDouble(CenR), GetRate());
}

double TRecDocItem::GetSumNds() const {
    return GetFigures().vat.ToDouble();
}

double TRecDocItem::GetSumNotNds() const {
    return GetFigures().withoutVat.ToDouble();
}

double TRecDocItem::GetCenNotNds() const {
    return kovrel::PriceWithoutVat(kovrel::Money::FromDouble(CenR), GetRate()).ToDouble();
}
