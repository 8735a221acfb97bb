#pragma once

#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;

// Purchase dynamics.
class TRepPrhDynamPage : public TReportPage {
    Q_OBJECT
public:
    TRepPrhDynamPage(TSelectionSlot& slot, QWidget* parent);

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRPDClick();

    QComboBox* ComBoxStoreRPD;
    QLabel* LabKlientRPD;
    QComboBox* ComBoxDetalRPD;
    QCheckBox* CBoxKolRPD;
    QCheckBox* CBoxZSumRPD;
    QString SelKlientNameRPD;
    int SelKlientIDRPD = -1;
};
