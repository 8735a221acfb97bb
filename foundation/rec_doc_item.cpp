#include "rec_doc_item.h"

#include "number_text.h"
#include "record_key.h"

namespace {

// The VAT contained in a gross amount at `rate` percent, rounded to kopecks, halves to even.
double vatOf(long double gross, double rate) {
    const long double denominator = static_cast<long double>(rate) + 100;
    if (denominator == 0)
        return 0; // a rate of -100 % has no meaning; treat it as no VAT rather than divide by zero
    return kovrel::RoundTo2Even(gross * rate / denominator);
}

} // namespace

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

double TRecDocItem::GetSumNds() const {
    return vatOf(static_cast<long double>(Kol) * CenR, ProcNds);
}

double TRecDocItem::GetSumNotNds() const {
    return static_cast<double>(static_cast<long double>(Kol) * CenR - GetSumNds());
}

double TRecDocItem::GetCenNotNds() const {
    return static_cast<double>(CenR - static_cast<long double>(vatOf(CenR, ProcNds)));
}
