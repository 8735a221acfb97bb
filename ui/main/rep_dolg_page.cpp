#include "rep_dolg_page.h"

#include "combo_id.h"
#include "controls.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QComboBox>
#include <QLabel>

TRepDolgPage::TRepDolgPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepDolg", 90, "RunRepDolg"}, bar, slot, parent) {
    DTPRepDolg = MakeDatePicker(Panel(), "DTPRepDolg");
    Panel()->AddRow({MakeLabel(Panel(), QStringLiteral("Дата")), DTPRepDolg});
    ComBoxGrRepDolg = AddCombo("ComBoxGrRepDolg", QStringLiteral("Группа счетов"), KlientKindTexts());
    Panel()->NextColumn();
    ComBoxManagerRepDolg = AddManagerCombo("ComBoxManagerRepDolg");
    AddButtons("ButRefRepDolg", "ButPrintRepDolg");
}

void TRepDolgPage::ResetParameters(TDateTime now) {
    TReportPage::ResetParameters(now);
    DTPRepDolg->SetDate(kovrel::DateOnly(now + 1));
}

void TRepDolgPage::Refresh() {
    Load(true, [this](TFormLoad& fl) {
        fl.RunRepDolg(ListRepDolg, DTPRepDolg->Date(), GetComboID(ComBoxManagerRepDolg, 0));
        return kovrel::report::RepDolgGrid(ListRepDolg, ListRepDolgSort, Choices());
    });
}

kovrel::report::TReportChoices TRepDolgPage::Choices() const {
    kovrel::report::TReportChoices c = TReportPage::Choices();
    c.Group = ComBoxGrRepDolg->currentIndex();
    return c;
}
