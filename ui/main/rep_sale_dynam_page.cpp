#include "rep_sale_dynam_page.h"

#include "param_panel.h"

TRepSaleDynamPage::TRepSaleDynamPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepSaleDynam", 140, "SGRepSaleDynam", 2, true, 70, {30, 250}}, slot, parent) {
    AddPeriod("DTPBeginRSD", "DTPEndRSD");
    ComBoxManagerRSD = AddManagerCombo("ComBoxManagerRSD");
    ComBoxStoreRSD = AddStoreCombo("ComBoxStoreRSD");
    Panel()->NextColumn();
    LabKlientRSD = AddPicker("ButSelKlientRSD", QStringLiteral("Выбор покупателя"), "LabKlientRSD",
                             [this] { ButSelKlientRSDClick(); });
    ComBoxDetalRSD = AddCombo("ComBoxDetalRSD", QStringLiteral("Период детализации"), DetailPeriods());
    Panel()->NextColumn();
    CBoxKolRSD = AddCheck("CBoxKolRSD", QStringLiteral("количество"), true);
    CBoxSumRSD = AddCheck("CBoxSumRSD", QStringLiteral("продажные суммы"), true);
    CBoxZSumRSD = AddPurchaseCheck("CBoxZSumRSD", QStringLiteral("закупочные суммы"), false);
    CBoxNacRSD = AddPurchaseCheck("CBoxNacRSD", QStringLiteral("сумма наценки"), false);
    Panel()->NextColumn();
    AddButtons("ButRefRSD", "ButPrintRepSaleDynam");
}

void TRepSaleDynamPage::ResetParameters(TDateTime today) {
    TReportPage::ResetParameters(today);
    ClearPick(SelKlientNameRSD, SelKlientIDRSD, LabKlientRSD);
}

void TRepSaleDynamPage::ButSelKlientRSDClick() {
    PickKlient(false, SelKlientNameRSD, SelKlientIDRSD, LabKlientRSD);
}
