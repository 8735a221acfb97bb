#pragma once

#include "rec_move_kl.h"
#include "record_list.h"
#include "report_page.h"
#include "sorted_list.h"

class QLabel;
class TDatePicker;

// Counterparty settlement card.
class TRepMoveKlientPage : public TReportPage {
    Q_OBJECT
public:
    TRepMoveKlientPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;
    kovrel::report::TReportChoices Choices() const override;

    void ResetParameters(TDateTime today) override;
    void ButSelKlientRMKClick();

    QLabel* LabKlientRMK;
    QString SelKlientNameRMK;
    int SelKlientIDRMK = -1;
    int SelKlientGr = -1; // kind of the chosen counterparty; chooses the card's captions
    TDatePicker* DTPBeginRMK;
    TDatePicker* DTPEndRMK;
    RecordList<TRecMoveKl> ListRepMK;
    TSortedList<TRecMoveKl> ListRepMKSort;
};
