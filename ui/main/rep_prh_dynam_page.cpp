#include "rep_prh_dynam_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QComboBox>

TRepPrhDynamPage::TRepPrhDynamPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepPrhDynam", 140, "RunRepPrhDynam"}, bar, slot, parent) {
    std::tie(DTPBeginRPD, DTPEndRPD) = AddPeriod("DTPBeginRPD", "DTPEndRPD");
    ComBoxStoreRPD = AddStoreCombo("ComBoxStoreRPD");
    LabKlientRPD = AddPicker("ButSelKlientRPD", QStringLiteral("Выбор поставщика"), "LabKlientRPD",
                             [this] { ButSelKlientRPDClick(); });
    AddTitleName("SelKlientNameRPD", &SelKlientNameRPD);
    ComBoxDetalRPD = AddDetailCombo("ComBoxDetalRPD", LabelAt::Beside);
    Panel()->NextColumn();
    CBoxKolRPD = AddCheck("CBoxKolRPD", QStringLiteral("количество"));
    CBoxZSumRPD = AddPurchaseCheck("CBoxZSumRPD", QStringLiteral("закупочные суммы"));
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

void TRepPrhDynamPage::Refresh() {
    Load(false, [this](TFormLoad& fl) {
        const int detail = ComBoxDetalRPD->currentIndex();
        fl.RunRepPrhDynam(ListRepPrhDynam, DTPBeginRPD->Date(), DTPEndRPD->Date(), detail, SelKlientIDRPD,
                          GetComboID(ComBoxStoreRPD, 0));
        return kovrel::report::RepPrhDynamGrid(ListRepPrhDynam, detail, Choices());
    });
}
