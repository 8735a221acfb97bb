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
    // The party's identifier with its e-document exchange operator ("2BM-7701234567-…"): the
    // service stores it through an operation of its own, UpdateEdoID, and UpdateBank leaves it.
    QString EdoID;

    QString GetKey() const;
};
