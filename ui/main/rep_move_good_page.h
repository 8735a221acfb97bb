#pragma once

#include "rec_move_good.h"
#include "record_list.h"
#include "report_page.h"
#include "sorted_list.h"

class QComboBox;
class QLabel;
class TDatePicker;

// Goods movement card.
class TRepMoveGoodPage : public TReportPage {
    Q_OBJECT
public:
    TRepMoveGoodPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;

    void ResetParameters(TDateTime today) override;
    void ButSelGoodRMGClick();

    QComboBox* ComBoxStoreRMG;
    QLabel* LabGoodRMG;
    QString SelGoodNameRMG;
    int SelGoodIDRMG = -1;
    TDatePicker* DTPBeginRMG;
    TDatePicker* DTPEndRMG;
    RecordList<TRecMoveGood> ListRepMG;
    TSortedList<TRecMoveGood> ListRepMGSort;
};
