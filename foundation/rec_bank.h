#pragma once

#include <QString>

// Requisites of a buyer or supplier or of the own organization; ID is the counterparty's ID.
class TRecBank {
public:
    int ID = 0;
    QString Name; // full legal name
    QString BName;
    QString Rs;
    QString Ks;
    QString Bik;
    QString Inn;
    QString Kpp;
    QString Adres;
    QString Tel;
    QString Okpo;
    QString Ogrn;
    QString Okpd;
    QString Dir;
    QString GBuh;

    QString GetKey() const;
};
