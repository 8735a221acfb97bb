#include "rep_prh_st_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QLineEdit>

TRepPrhStPage::TRepPrhStPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepPrhSt", 140, "RunRepPrhSt"}, bar, slot, parent) {
    std::tie(DTPBeginRPS, DTPEndRPS) = AddPeriod("DTPBeginRPS", "DTPEndRPS");
    ComBoxStoreRPS = AddStoreCombo("ComBoxStoreRPS");
    LabKlientRPS = AddPicker("ButSelKlientRPS", QStringLiteral("Выбор поставщика"), "LabKlientRPS",
                             [this] { ButSelKlientRPSClick(); });
    AddTitleName("SelKlientNameRPS", &SelKlientNameRPS);
    EdNameRPS = AddNameEdit("EdNameRPS", LabelAt::Beside);
    Panel()->NextColumn();
    CBoxKolRPS = AddCheck("CBoxKolRPS", QStringLiteral("количество"));
    CBoxKolPackRPS = AddCheck("CBoxKolPackRPS", QStringLiteral("кол-во упаковок"));
    CBoxZCenAvgRPS = AddPurchaseCheck("CBoxZCenAvgRPS", QStringLiteral("средние закупочные цены"));
    CBoxZSumRPS = AddPurchaseCheck("CBoxZSumRPS", QStringLiteral("закупочные суммы"));
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

void TRepPrhStPage::Refresh() {
    Load(false, [this](TFormLoad& fl) {
        fl.RunRepPrhSt(ListRepPrhSt, DTPBeginRPS->Date(), DTPEndRPS->Date(), EdNameRPS->text().trimmed(),
                       SelKlientIDRPS, GetComboID(ComBoxStoreRPS, 0));
        return kovrel::report::RepPrhStGrid(ListRepPrhSt, Choices());
    });
}
