#pragma once

#include "money.h"

#include <QDate>
#include <QList>
#include <QString>

// A universal transfer document (УПД) as its XML e-document carries it: plain data, every
// figure in whole kopecks as the papers print it, every text as it will be written. Made from a
// sales waybill by TUpdBuilder, written by TUpdXml.

// Which of the two documents the УПД is.
enum class TUpdStatus {
    InvoiceAndTransfer = 1, // "СЧФДОП": a VAT invoice and the transfer document in one
    TransferOnly = 2,       // "ДОП": the transfer document alone (a seller without VAT)
};

// A surname, a first name and, when there is one, a patronymic.
struct TUpdPerson {
    QString surname;
    QString name;
    QString patronymic;
};

// The seller or the buyer.
struct TUpdParty {
    QString edoId;   // the participant ID with the e-document exchange operator
    bool soleTrader; // a sole trader (a 12-digit ИНН), otherwise an organization
    QString name;    // an organization's full name
    QString inn;
    QString kpp;       // an organization's; may be empty
    TUpdPerson person; // a sole trader's name
    QString ogrnip;    // a sole trader's registration number; may be empty
    QString address;
    TUpdPerson head; // who signs for the party: the head of the organization or the sole trader
};

struct TUpdLine {
    int number = 0; // 1, 2, … in the order of the paper
    QString name;
    QString okei;     // the unit's code; empty for none
    QString unitName; // its symbol; empty for none
    kovrel::Quantity quantity;
    kovrel::Money priceWithoutVat; // a unit's price without VAT
    kovrel::Money sumWithoutVat;
    kovrel::VatRate rate; // zero: "без НДС"
    kovrel::Money vat;
    kovrel::Money sum; // with VAT
};

struct TUpdDocument {
    TUpdStatus status = TUpdStatus::InvoiceAndTransfer;
    QString number; // the sales waybill's number
    QDate date;     // its date, also the date of shipment
    TUpdParty seller;
    TUpdParty buyer;
    QList<TUpdLine> lines;
};
