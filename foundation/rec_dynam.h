#pragma once

#include "date_time.h"

// A row of a sales or purchase dynamics report: one period.
class TRecDynam {
public:
    TDateTime DocDate = 0;
    TDateTime MinDocDate = 0;
    TDateTime MaxDocDate = 0;
    double Kol = 0;
    double SumZ = 0;
    double SumR = 0;

    double GetNac() const;
};
