#pragma once

#include "date_time.h"

#include <QString>

// The header of a receipt, sales waybill, order or internal transfer.
class TRecDoc {
public:
    int ID = 0;
    TDateTime DocDate = 0;
    int KlientID = 0;
    int StoreID = 0;
    int StoreIDI = 0; // sending store of a transfer
    int StoreIDP = 0; // receiving store of a transfer
    QString KlientName;
    QString StoreName;
    QString StoreNameI;
    QString StoreNameP;
    double SumZ = 0;
    double SumR = 0;
    double MoneySum = 0;
    QString Prim;

    // Newest date first, and within a date the highest ID first.
    QString GetKey() const;
};
