#pragma once

#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;

// Sales dynamics.
class TRepSaleDynamPage : public TReportPage {
    Q_OBJECT
public:
    TRepSaleDynamPage(TSelectionSlot& slot, QWidget* parent);

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRSDClick();

    QComboBox* ComBoxManagerRSD;
    QComboBox* ComBoxStoreRSD;
    QLabel* LabKlientRSD;
    QComboBox* ComBoxDetalRSD;
    QCheckBox* CBoxKolRSD;
    QCheckBox* CBoxSumRSD;
    QCheckBox* CBoxZSumRSD;
    QCheckBox* CBoxNacRSD;
    QString SelKlientNameRSD;
    int SelKlientIDRSD = -1;
};
