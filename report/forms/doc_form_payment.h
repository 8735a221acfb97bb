#pragma once

#include "report_template.h"

// FRDocS, the invoice for payment of an order: the notice, the payee's bank block as on a
// payment order, the parties, the lines, the total in figures and the two signatures. A4
// portrait.
class DocFormPayment {
public:
    static ReportTemplate make();
};
