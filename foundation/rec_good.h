#pragma once

#include <QString>

// A goods item, a kit, or a stock row of a goods item.
class TRecGood {
public:
    int ID = 0; // goods ID; in stock report rows the row's own ID
    int FlagDel = 0;
    QString Name;
    QString Prim;
    double Pack = 1.0;
    QString BarCode;
    QString Code;
    double PCen = 0;
    double ZCen = 0;
    double Nds = 0;
    int IDGoods = 0; // goods ID that a stock row belongs to
    int GrCode = 1;  // goods category
    double KolPlus = 0;
    double KolMinus = 0;
    double KolPlusV = 0;
    double KolMinusV = 0;
    double OstKol = 0;
    double ItogZSum = 0;
    // Its unit of measure, an ОКЕИ code ("796", "166", …; units_of_measure.h); empty for none.
    // Stored through UpdateGoodUnit.
    QString OKEI;

    QString GetKey() const;
    // The key that keeps stock rows of one goods item apart by purchase price.
    QString GetKeyCenZ() const;
    double GetOst() const;
    double GetPackKol() const;
    double GetZSum() const;
    double GetSum() const;
    double GetZCenAvg() const;
};
