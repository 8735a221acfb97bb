#pragma once

#include "rec_st.h"
#include "record_list.h"
#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TDatePicker;
class QLineEdit;

// Purchase structure.
class TRepPrhStPage : public TReportPage {
    Q_OBJECT
public:
    TRepPrhStPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;

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
    TDatePicker* DTPBeginRPS;
    TDatePicker* DTPEndRPS;
    RecordList<TRecSt> ListRepPrhSt;
};
