#pragma once

#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// Purchase structure.
class TRepPrhStPage : public TReportPage {
    Q_OBJECT
public:
    TRepPrhStPage(TSelectionSlot& slot, QWidget* parent);

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRPSClick();

    QComboBox* ComBoxStoreRPS;
    QLabel* LabKlientRPS;
    QLineEdit* EdNameRPS;
    QCheckBox* CBoxKolRPS;
    QCheckBox* CBoxKolPackRPS;
    QCheckBox* CBoxZCenAvgRPS;
    QCheckBox* CBoxZSumRPS;
    QString SelKlientNameRPS;
    int SelKlientIDRPS = -1;
};
