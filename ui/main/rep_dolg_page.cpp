#include "rep_dolg_page.h"

#include "controls.h"
#include "date_picker.h"
#include "param_panel.h"

#include <QLabel>

TRepDolgPage::TRepDolgPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepDolg", 90, "SGRepDolg", 2, true, 80, {40, 300}}, slot, parent) {
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
