#pragma once

#include "report_page.h"

class QLabel;

// Counterparty settlement card.
class TRepMoveKlientPage : public TReportPage {
    Q_OBJECT
public:
    TRepMoveKlientPage(TSelectionSlot& slot, QWidget* parent);

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRMKClick();

    QLabel* LabKlientRMK;
    QString SelKlientNameRMK;
    int SelKlientIDRMK = -1;
    int SelKlientGr = -1; // kind of the chosen counterparty; chooses the card's captions
};
