#include "rep_move_klient_page.h"

#include "param_panel.h"

TRepMoveKlientPage::TRepMoveKlientPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepMoveKlient", 100, "SGRepMoveKlient", 5, false, 70, {120, 250, 90, 90, 90}}, slot,
                  parent) {
    AddPeriod("DTPBeginRMK", "DTPEndRMK");
    Panel()->NextColumn();
    LabKlientRMK = AddPicker("ButSelKlientRMK", QStringLiteral("Выбор счета"), "LabKlientRMK",
                             [this] { ButSelKlientRMKClick(); });
    AddButtons("ButRefRepMoveKlient", "ButPrintRepMoveKlient");
}

void TRepMoveKlientPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelKlientNameRMK, SelKlientIDRMK, LabKlientRMK);
    SelKlientGr = -1;
}

void TRepMoveKlientPage::ButSelKlientRMKClick() {
    SelKlientGr = PickKlient(true, SelKlientNameRMK, SelKlientIDRMK, LabKlientRMK);
}
