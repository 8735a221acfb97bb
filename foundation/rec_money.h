#pragma once

#include "date_time.h"

#include <QString>

// A money operation: an amount moving from one counterparty to another.
class TRecMoney {
public:
    int ID = 0;
    TDateTime DocDate = 0;
    int KlientIDI = 0; // sender
    int KlientIDP = 0; // receiver
    QString KlientNameI;
    QString KlientNameP;
    double SumM = 0;
    QString Prim;
    int DocN = 0;     // waybill or receipt it pays, 0 for none
    int InvoiceN = 0; // order it pays, 0 for none

    QString GetKey() const;
};
