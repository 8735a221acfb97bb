#pragma once

#include "report_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Stock balance.
class TRepOstPage : public TReportPage {
    Q_OBJECT
public:
    TRepOstPage(TSelectionSlot& slot, QWidget* parent);

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
};
