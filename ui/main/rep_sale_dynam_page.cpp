#include "rep_sale_dynam_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QComboBox>

TRepSaleDynamPage::TRepSaleDynamPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepSaleDynam", 140, "RunRepSaleDynam"}, bar, slot, parent) {
    std::tie(DTPBeginRSD, DTPEndRSD) = AddPeriod("DTPBeginRSD", "DTPEndRSD");
    ComBoxManagerRSD = AddManagerCombo("ComBoxManagerRSD");
    ComBoxStoreRSD = AddStoreCombo("ComBoxStoreRSD");
    LabKlientRSD = AddPicker("ButSelKlientRSD", QStringLiteral("Выбор покупателя"), "LabKlientRSD",
                             [this] { ButSelKlientRSDClick(); });
    AddTitleName("SelKlientNameRSD", &SelKlientNameRSD);
    Panel()->NextColumn();
    ComBoxDetalRSD = AddDetailCombo("ComBoxDetalRSD", LabelAt::Above);
    Panel()->NextColumn();
    CBoxKolRSD = AddCheck("CBoxKolRSD", QStringLiteral("количество"));
    CBoxSumRSD = AddCheck("CBoxSumRSD", QStringLiteral("продажные суммы"));
    CBoxZSumRSD = AddPurchaseCheck("CBoxZSumRSD", QStringLiteral("закупочные суммы"));
    CBoxNacRSD = AddPurchaseCheck("CBoxNacRSD", QStringLiteral("сумма наценки"));
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

void TRepSaleDynamPage::Refresh() {
    Load(false, [this](TFormLoad& fl) {
        const int detail = ComBoxDetalRSD->currentIndex();
        fl.RunRepSaleDynam(ListRepSaleDynam, DTPBeginRSD->Date(), DTPEndRSD->Date(), detail, SelKlientIDRSD,
                           GetComboID(ComBoxStoreRSD, 0), GetComboID(ComBoxManagerRSD, 0));
        return kovrel::report::RepSaleDynamGrid(ListRepSaleDynam, detail, Choices());
    });
}
