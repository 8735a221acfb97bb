#include "rep_move_klient_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

TRepMoveKlientPage::TRepMoveKlientPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepMoveKlient", 100, "RunRepMoveKl"}, bar, slot, parent) {
    std::tie(DTPBeginRMK, DTPEndRMK) = AddPeriod("DTPBeginRMK", "DTPEndRMK");
    LabKlientRMK = AddPicker("ButSelKlientRMK", QStringLiteral("Выбор счета"), "LabKlientRMK",
                             [this] { ButSelKlientRMKClick(); });
    AddTitleName("SelKlientNameRMK", &SelKlientNameRMK);
    Panel()->NextColumn();
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

void TRepMoveKlientPage::Refresh() {
    Load(false, [this](TFormLoad& fl) {
        fl.RunRepMoveKl(ListRepMK, SelKlientIDRMK, DTPEndRMK->Date());
        return kovrel::report::RepMoveKlGrid(ListRepMK, ListRepMKSort, DTPBeginRMK->Date(), Choices());
    });
}

kovrel::report::TReportChoices TRepMoveKlientPage::Choices() const {
    kovrel::report::TReportChoices c = TReportPage::Choices();
    c.SelKlientGr = SelKlientGr;
    return c;
}
