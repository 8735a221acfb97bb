#pragma once

#include "rec_dolg.h"
#include "record_list.h"
#include "report_page.h"
#include "sorted_list.h"

class QComboBox;
class TDatePicker;

// Debts and money balances.
class TRepDolgPage : public TReportPage {
    Q_OBJECT
public:
    TRepDolgPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;
    kovrel::report::TReportChoices Choices() const override;

    // The report's date is tomorrow: the moment of `now` plus 24 hours, without the time.
    void ResetParameters(TDateTime now) override;

    TDatePicker* DTPRepDolg;
    QComboBox* ComBoxGrRepDolg;
    QComboBox* ComBoxManagerRepDolg;
    RecordList<TRecDolg> ListRepDolg;
    TSortedList<TRecDolg> ListRepDolgSort;
};
