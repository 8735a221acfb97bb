#pragma once

#include <QString>

// A row of the debts report: one counterparty's balance.
class TRecDolg {
public:
    int KlientID = 0;
    QString KlientName;
    int KlientGr = 0;
    double DolgSum = 0;

    QString GetKey() const;
};
