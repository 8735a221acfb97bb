#include "rec_dynam.h"

double TRecDynam::GetNac() const {
    return static_cast<double>(static_cast<long double>(SumR) - SumZ);
}
