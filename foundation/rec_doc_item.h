#pragma once

#include "money.h"

#include <QString>

// A line of a document, with the stock of its goods as the service reports it.
class TRecDocItem {
public:
    int ID = 0;
    int IDZag = 0;
    int IDGood = 0;
    double Kol = 0;
    double Pack = 1.0;
    double CenZ = 0;
    double CenR = 0;
    double ProcNds = 0;
    int FlagNorm = 0; // 1 on the line that stands for a kit as a whole
    int IdRow = 0;    // shared by a kit's line and its components' lines
    double KolPlus = 0;
    double KolMinus = 0;
    double KolPlusV = 0;
    double KolMinusV = 0;
    double PKolPlus = 0; // receiving store of a transfer
    double PKolMinus = 0;
    double PKolPlusV = 0;
    double PKolMinusV = 0;
    QString Name;
    QString OKEI; // the goods item's unit of measure, empty for none

    QString GetKey() const;
    // True for a component line of a kit.
    bool IsItems() const;
    double GetOstI() const;
    double GetOstP() const;
    double GetKolPack() const;
    // The VAT contained in Kol × CenR at ProcNds, the rest, and a unit's price without VAT,
    // each in whole kopecks (kovrel::ComputeLine: the line's sum rounded, then its VAT, halves
    // up).
    double GetSumNds() const;
    double GetSumNotNds() const;
    double GetCenNotNds() const;
    kovrel::LineFigures GetFigures() const;
    kovrel::VatRate GetRate() const;
};
