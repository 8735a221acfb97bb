#include "rep_sale_st_page.h"

#include "param_panel.h"

TRepSaleStPage::TRepSaleStPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepSaleSt", 140, "SGRepSaleSt", 2, true, 70, {30, 250}}, slot, parent) {
    AddPeriod("DTPBeginRSS", "DTPEndRSS");
    ComBoxManagerRSS = AddManagerCombo("ComBoxManagerRSS");
    ComBoxStoreRSS = AddStoreCombo("ComBoxStoreRSS");
    Panel()->NextColumn();
    LabKlientRSS = AddPicker("ButSelKlientRSS", QStringLiteral("Выбор покупателя"), "LabKlientRSS",
                             [this] { ButSelKlientRSSClick(); });
    EdNameRSS = AddNameEdit("EdNameRSS");
    Panel()->NextColumn();
    CBoxKolRSS = AddCheck("CBoxKolRSS", QStringLiteral("количество"), true);
    CBoxKolPackRSS = AddCheck("CBoxKolPackRSS", QStringLiteral("кол-во упаковок"), false);
    CBoxZSumRSS = AddPurchaseCheck("CBoxZSumRSS", QStringLiteral("закупочные суммы"), false);
    CBoxSumRSS = AddCheck("CBoxSumRSS", QStringLiteral("продажные суммы"), true);
    CBoxNacRSS = AddPurchaseCheck("CBoxNacRSS", QStringLiteral("сумма наценки"), false);
    Panel()->NextColumn();
    AddButtons("ButRefRSS", "ButPrintRepSaleSt");
}

void TRepSaleStPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelKlientNameRSS, SelKlientIDRSS, LabKlientRSS);
}

void TRepSaleStPage::ButSelKlientRSSClick() {
    PickKlient(false, SelKlientNameRSS, SelKlientIDRSS, LabKlientRSS);
}
