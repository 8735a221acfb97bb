#pragma once

#include <QString>

// A row of a sales or purchase structure report.
class TRecSt {
public:
    int ID = 0;
    QString Name;
    double Pack = 1.0;
    double Kol = 0;
    double SumZ = 0;
    double SumR = 0;

    double GetPackKol() const;
    double GetNac() const;
    double GetZCenAvg() const;
};
