#include "rep_prh_dynam_page.h"

#include "param_panel.h"

TRepPrhDynamPage::TRepPrhDynamPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepPrhDynam", 140, "SGRepPrhDynam", 2, true, 70, {30, 250}}, slot, parent) {
    AddPeriod("DTPBeginRPD", "DTPEndRPD");
    ComBoxStoreRPD = AddStoreCombo("ComBoxStoreRPD");
    Panel()->NextColumn();
    LabKlientRPD = AddPicker("ButSelKlientRPD", QStringLiteral("Выбор поставщика"), "LabKlientRPD",
                             [this] { ButSelKlientRPDClick(); });
    ComBoxDetalRPD = AddCombo("ComBoxDetalRPD", QStringLiteral("Период детализации"), DetailPeriods());
    Panel()->NextColumn();
    CBoxKolRPD = AddCheck("CBoxKolRPD", QStringLiteral("количество"), true);
    CBoxZSumRPD = AddPurchaseCheck("CBoxZSumRPD", QStringLiteral("закупочные суммы"), true);
    Panel()->NextColumn();
    AddButtons("ButRefRPD", "ButPrintRepPrhDynam");
}

void TRepPrhDynamPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelKlientNameRPD, SelKlientIDRPD, LabKlientRPD);
}

void TRepPrhDynamPage::ButSelKlientRPDClick() {
    PickKlient(false, SelKlientNameRPD, SelKlientIDRPD, LabKlientRPD);
}
