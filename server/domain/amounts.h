#pragma once

#include <QString>

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

// The kinds of amount a request sends, each with the magnitude it must stay below: a double
// then holds every quantity to the millionth (kit components multiply quantities) and every
// price and sum to the cent exactly, and so do the sums of them that the stock keeps.
enum class AmountKind { Quantity, Price, Sum };

struct AmountRange {
    double limit;     // exclusive, for the magnitude
    const char* text; // the limit as the refusal names it
};

inline AmountRange RangeOf(AmountKind kind) {
    switch (kind) {
    case AmountKind::Quantity:
        return {1e9, "1 000 000 000"};
    case AmountKind::Price:
    case AmountKind::Sum:
        break;
    }
    return {1e12, "1 000 000 000 000"};
}

// A quantity in millionths, in which the stock is counted: whole numbers add up exactly.
inline qint64 ToMillionths(double quantity) {
    return std::llround(quantity * 1e6);
}

inline double FromMillionths(qint64 millionths) {
    return static_cast<double>(millionths) / 1e6;
}

} // namespace kovrel::server
