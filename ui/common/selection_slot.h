#pragma once

#include <QString>

// Where a picker leaves its choice for whoever opened it. The main window carries one for the
// whole run; pickers are given it without knowing the window.
class TSelectionSlot {
public:
    QString SelName;    // name of the chosen entry
    int SelID = -1;     // its identifier; -1 when nothing was chosen
    int SelGr = -1;     // counterparty kind (TypeKl) of a chosen counterparty
    double SelCenZ = 0; // purchase price of a chosen goods item
    double SelCenR = 0; // sale price of a chosen goods item

    // Back to the values at start-up: nothing chosen.
    void ClearSelection() { *this = TSelectionSlot(); }
};
