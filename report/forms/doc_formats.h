#pragma once

#include "number_format.h"

// How the document forms print numbers, the same whatever the system's locale: money with two
// decimals, a decimal comma and blanks between digit groups (1 234,50); quantities, pack sizes
// and packs with as many decimals as they need, at most three (2,5; 0,042).
class DocFormats {
public:
    static NumberFormat Sum() { return NumberFormat::Fixed(2); }
    static NumberFormat Price() { return NumberFormat::Fixed(2); }
    static NumberFormat Plain() { return NumberFormat{}; }
};
