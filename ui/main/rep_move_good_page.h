#pragma once

#include "report_page.h"

class QComboBox;
class QLabel;

// Goods movement card.
class TRepMoveGoodPage : public TReportPage {
    Q_OBJECT
public:
    TRepMoveGoodPage(TSelectionSlot& slot, QWidget* parent);

    void ResetParameters(TDateTime today) override;
    void ButSelGoodRMGClick();

    QComboBox* ComBoxStoreRMG;
    QLabel* LabGoodRMG;
    QString SelGoodNameRMG;
    int SelGoodIDRMG = -1;
};
