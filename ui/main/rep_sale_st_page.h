#pragma once

#include "rec_st.h"
#include "record_list.h"
#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TDatePicker;
class QLineEdit;

// Sales structure.
class TRepSaleStPage : public TReportPage {
    Q_OBJECT
public:
    TRepSaleStPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;

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
    TDatePicker* DTPBeginRSS;
    TDatePicker* DTPEndRSS;
    RecordList<TRecSt> ListRepSaleSt;
};
