#include "rec_good.h"

#include "number_text.h"
#include "record_key.h"

#include <QLocale>

QString TRecGood::GetKey() const {
    return Name + QLatin1Char('=') + kovrel::D(ID);
}

QString TRecGood::GetKeyCenZ() const {
    const QChar separator = QLocale::system().decimalPoint().at(0);
    return GetKey() + QLatin1Char('=') + kovrel::FormatFixedWidth(8, 3, ZCen, separator);
}

double TRecGood::GetOst() const {
    return static_cast<double>(static_cast<long double>(KolPlus) + KolPlusV - KolMinus - KolMinusV);
}

double TRecGood::GetPackKol() const {
    return kovrel::IsZero(Pack) ? OstKol : OstKol / Pack;
}

double TRecGood::GetZSum() const {
    return OstKol * ZCen;
}

double TRecGood::GetSum() const {
    return OstKol * PCen;
}

double TRecGood::GetZCenAvg() const {
    return kovrel::IsZero(OstKol) ? 0 : ItogZSum / OstKol;
}
