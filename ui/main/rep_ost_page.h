#pragma once

#include "rec_good.h"
#include "record_list.h"
#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Stock balance.
class TRepOstPage : public TReportPage {
    Q_OBJECT
public:
    TRepOstPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent);

    void Refresh() override;

    QCheckBox* CBoxKol;
    QCheckBox* CBoxKolPack;
    QCheckBox* CBoxZCen;
    QCheckBox* CBoxZCenAvg;
    QCheckBox* CBoxZSum;
    QCheckBox* CBoxCen;
    QCheckBox* CBoxSum;
    QCheckBox* CBoxZero;
    QLineEdit* EdOstName;
    QComboBox* ComBoxStore;
    QComboBox* ComBoxPrintOst;
    RecordList<TRecGood> ListRepOst;
};
