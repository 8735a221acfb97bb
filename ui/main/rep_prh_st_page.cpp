#include "rep_prh_st_page.h"

#include "param_panel.h"

TRepPrhStPage::TRepPrhStPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepPrhSt", 140, "SGRepPrhSt", 2, true, 70, {30, 250}}, slot, parent) {
    AddPeriod("DTPBeginRPS", "DTPEndRPS");
    ComBoxStoreRPS = AddStoreCombo("ComBoxStoreRPS");
    Panel()->NextColumn();
    LabKlientRPS = AddPicker("ButSelKlientRPS", QStringLiteral("Выбор поставщика"), "LabKlientRPS",
                             [this] { ButSelKlientRPSClick(); });
    EdNameRPS = AddNameEdit("EdNameRPS");
    Panel()->NextColumn();
    CBoxKolRPS = AddCheck("CBoxKolRPS", QStringLiteral("количество"), true);
    CBoxKolPackRPS = AddCheck("CBoxKolPackRPS", QStringLiteral("кол-во упаковок"), false);
    CBoxZCenAvgRPS = AddPurchaseCheck("CBoxZCenAvgRPS", QStringLiteral("средние закупочные цены"), false);
    CBoxZSumRPS = AddPurchaseCheck("CBoxZSumRPS", QStringLiteral("закупочные суммы"), true);
    Panel()->NextColumn();
    AddButtons("ButRefRPS", "ButPrintRepPrhSt");
}

void TRepPrhStPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelKlientNameRPS, SelKlientIDRPS, LabKlientRPS);
}

void TRepPrhStPage::ButSelKlientRPSClick() {
    PickKlient(false, SelKlientNameRPS, SelKlientIDRPS, LabKlientRPS);
}
