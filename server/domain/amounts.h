#pragma once

#include <cmath>

namespace kovrel::server {

// Quantities arrive with three decimals and prices with two, but sums of doubles drift: totals
// are kept rounded to a millionth so that a stock that went to zero reads as exactly 0 and the
// client's own checks (stock − quantity ≥ 0) see what the service saw.
inline double RoundQty(double value) {
    return std::round(value * 1e6) / 1e6 + 0.0;
}

// Prices are a stock's key: rounded to the cent so that one price always names one lot.
inline double RoundPrice(double value) {
    return std::round(value * 100) / 100 + 0.0;
}

// Stock below zero by more than rounding noise.
inline bool BelowZero(double balance) {
    return balance < -1e-6;
}

} // namespace kovrel::server
