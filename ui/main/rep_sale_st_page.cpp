#include "rep_sale_st_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QLineEdit>

TRepSaleStPage::TRepSaleStPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepSaleSt", 140, "RunRepSaleSt"}, bar, slot, parent) {
    std::tie(DTPBeginRSS, DTPEndRSS) = AddPeriod("DTPBeginRSS", "DTPEndRSS");
    ComBoxManagerRSS = AddManagerCombo("ComBoxManagerRSS");
    ComBoxStoreRSS = AddStoreCombo("ComBoxStoreRSS");
    LabKlientRSS = AddPicker("ButSelKlientRSS", QStringLiteral("Выбор покупателя"), "LabKlientRSS",
                             [this] { ButSelKlientRSSClick(); });
    AddTitleName("SelKlientNameRSS", &SelKlientNameRSS);
    Panel()->NextColumn();
    EdNameRSS = AddNameEdit("EdNameRSS", LabelAt::Above);
    Panel()->NextColumn();
    CBoxKolRSS = AddCheck("CBoxKolRSS", QStringLiteral("количество"));
    CBoxKolPackRSS = AddCheck("CBoxKolPackRSS", QStringLiteral("кол-во упаковок"));
    CBoxZSumRSS = AddPurchaseCheck("CBoxZSumRSS", QStringLiteral("закупочные суммы"));
    CBoxSumRSS = AddCheck("CBoxSumRSS", QStringLiteral("продажные суммы"));
    CBoxNacRSS = AddPurchaseCheck("CBoxNacRSS", QStringLiteral("сумма наценки"));
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

void TRepSaleStPage::Refresh() {
    Load(false, [this](TFormLoad& fl) {
        fl.RunRepSaleSt(ListRepSaleSt, DTPBeginRSS->Date(), DTPEndRSS->Date(), EdNameRSS->text().trimmed(),
                        SelKlientIDRSS, GetComboID(ComBoxStoreRSS, 0), GetComboID(ComBoxManagerRSS, 0));
        return kovrel::report::RepSaleStGrid(ListRepSaleSt, Choices());
    });
}
