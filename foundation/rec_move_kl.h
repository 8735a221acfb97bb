#pragma once

#include "date_time.h"

#include <QString>

// A row of the counterparty settlement card.
class TRecMoveKl {
public:
    int ID = 0;
    TDateTime Dat = 0;
    QString NameDoc;
    double SumP = 0; // incoming column
    double SumR = 0; // outgoing column

    QString GetKey() const;
};
