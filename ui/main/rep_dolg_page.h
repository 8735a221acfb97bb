#pragma once

#include "report_page.h"

class QComboBox;
class TDatePicker;

// Debts and money balances.
class TRepDolgPage : public TReportPage {
    Q_OBJECT
public:
    TRepDolgPage(TSelectionSlot& slot, QWidget* parent);

    // The report's date is tomorrow: the moment of `now` plus 24 hours, without the time.
    void ResetParameters(TDateTime now) override;

    TDatePicker* DTPRepDolg;
    QComboBox* ComBoxGrRepDolg;
    QComboBox* ComBoxManagerRepDolg;
};
