#include "rep_move_good_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QLabel>

TRepMoveGoodPage::TRepMoveGoodPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepMoveGood", 100, "RunRepMoveGood"}, bar, slot, parent) {
    std::tie(DTPBeginRMG, DTPEndRMG) = AddPeriod("DTPBeginRMG", "DTPEndRMG");
    ComBoxStoreRMG = AddStoreCombo("ComBoxStoreRMG");
    LabGoodRMG = AddPicker("ButSelGoodRMG", QStringLiteral("Выбор товара"), "LabGoodRMG",
                           [this] { ButSelGoodRMGClick(); });
    AddTitleName("SelGoodNameRMG", &SelGoodNameRMG);
    Panel()->NextColumn();
    AddButtons("ButRefRMG", "ButPrintRepMoveGood");
}

void TRepMoveGoodPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelGoodNameRMG, SelGoodIDRMG, LabGoodRMG);
}

void TRepMoveGoodPage::ButSelGoodRMGClick() {
    PickGood(SelGoodNameRMG, SelGoodIDRMG, LabGoodRMG);
}

void TRepMoveGoodPage::Refresh() {
    Load(false, [this](TFormLoad& fl) {
        fl.RunRepMoveGood(ListRepMG, SelGoodIDRMG, DTPEndRMG->Date(), GetComboID(ComBoxStoreRMG, 0));
        return kovrel::report::RepMoveGoodGrid(ListRepMG, ListRepMGSort, DTPBeginRMG->Date());
    });
}
