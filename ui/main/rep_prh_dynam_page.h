#pragma once

#include "rec_dynam.h"
#include "record_list.h"
#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TDatePicker;

// Purchase dynamics.
class TRepPrhDynamPage : public TReportPage {
    Q_OBJECT
public:
    TRepPrhDynamPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRPDClick();

    QComboBox* ComBoxStoreRPD;
    QLabel* LabKlientRPD;
    QComboBox* ComBoxDetalRPD;
    QCheckBox* CBoxKolRPD;
    QCheckBox* CBoxZSumRPD;
    QString SelKlientNameRPD;
    int SelKlientIDRPD = -1;
    TDatePicker* DTPBeginRPD;
    TDatePicker* DTPEndRPD;
    RecordList<TRecDynam> ListRepPrhDynam;
};
