#include "rec_st.h"

#include "number_text.h"

double TRecSt::GetPackKol() const {
    return kovrel::IsZero(Pack) ? Kol : Kol / Pack;
}

double TRecSt::GetNac() const {
    return static_cast<double>(static_cast<long double>(SumR) - SumZ);
}

double TRecSt::GetZCenAvg() const {
    return kovrel::IsZero(Kol) ? 0 : SumZ / Kol;
}
