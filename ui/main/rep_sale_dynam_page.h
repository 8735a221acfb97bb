#pragma once

#include "rec_dynam.h"
#include "record_list.h"
#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TDatePicker;

// Sales dynamics.
class TRepSaleDynamPage : public TReportPage {
    Q_OBJECT
public:
    TRepSaleDynamPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;

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
    TDatePicker* DTPBeginRSD;
    TDatePicker* DTPEndRSD;
    RecordList<TRecDynam> ListRepSaleDynam;
};
