#include "rep_move_good_page.h"

#include "param_panel.h"

#include <QLabel>

TRepMoveGoodPage::TRepMoveGoodPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepMoveGood", 100, "SGRepMoveGood", 5, false, 70, {120, 250, 90, 90, 90}}, slot,
                  parent) {
    AddPeriod("DTPBeginRMG", "DTPEndRMG");
    ComBoxStoreRMG = AddStoreCombo("ComBoxStoreRMG");
    Panel()->NextColumn();
    LabGoodRMG = AddPicker("ButSelGoodRMG", QStringLiteral("Выбор товара"), "LabGoodRMG",
                           [this] { ButSelGoodRMGClick(); });
    AddButtons("ButRefRMG", "ButPrintRepMoveGood");
}

void TRepMoveGoodPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelGoodNameRMG, SelGoodIDRMG, LabGoodRMG);
}

void TRepMoveGoodPage::ButSelGoodRMGClick() {
    PickGood(SelGoodNameRMG, SelGoodIDRMG, LabGoodRMG);
}
