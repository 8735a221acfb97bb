#pragma once

#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// Sales structure.
class TRepSaleStPage : public TReportPage {
    Q_OBJECT
public:
    TRepSaleStPage(TSelectionSlot& slot, QWidget* parent);

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRSSClick();

    QComboBox* ComBoxManagerRSS;
    QComboBox* ComBoxStoreRSS;
    QLabel* LabKlientRSS;
    QLineEdit* EdNameRSS;
    QCheckBox* CBoxKolRSS;
    QCheckBox* CBoxKolPackRSS;
    QCheckBox* CBoxZSumRSS;
    QCheckBox* CBoxSumRSS;
    QCheckBox* CBoxNacRSS;
    QString SelKlientNameRSS;
    int SelKlientIDRSS = -1;
};
