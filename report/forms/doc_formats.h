#pragma once

#include "number_format.h"

// How the document forms print numbers. Money has two decimals with digit grouping ("%2.2n"):
// line sums and totals with a decimal comma, prices with the system's separator. Plain numbers
// (quantities, packs) have as many decimals as they need, with the system's separator.
class DocFormats {
public:
    static NumberFormat Sum(int decimals = 2);
    static NumberFormat Price(int decimals = 2);
    static NumberFormat Plain();
};
