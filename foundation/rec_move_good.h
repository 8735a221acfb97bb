#pragma once

#include "date_time.h"

#include <QString>

// A row of the goods movement card.
class TRecMoveGood {
public:
    int ID = 0;
    int DocID = 0;
    TDateTime DocDat = 0;
    int KlientID = 0;
    QString KlientName;
    double KolPrh = 0; // quantity in
    double KolNkl = 0; // quantity out
    QString Link;

    QString GetKey() const;
};
