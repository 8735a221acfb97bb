#include "rep_ost_page.h"

#include "combo_id.h"
#include "date_picker.h"
#include "form_load.h"
#include "param_panel.h"
#include "report_grid_builder.h"

#include <QCheckBox>
#include <QLineEdit>

TRepOstPage::TRepOstPage(TStatusBar& bar, TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepOst", 145, "RunRepOst"}, bar, slot, parent) {
    EdOstName = AddNameEdit("EdOstName", LabelAt::Above);
    ComBoxStore = AddStoreCombo("ComBoxStore");
    ComBoxPrintOst = AddCombo("ComBoxPrintOst", QStringLiteral("Печать"),
                              {QStringLiteral("портрет"), QStringLiteral("альбом")});
    Panel()->NextColumn();
    // The short captions in one column, the long ones in the other: two columns as narrow as
    // they can be leave the room of a 1024-pixel screen to the store's name.
    CBoxKol = AddCheck("CBoxKol", QStringLiteral("количество"));
    CBoxKolPack = AddCheck("CBoxKolPack", QStringLiteral("кол-во упаковок"));
    CBoxCen = AddCheck("CBoxCen", QStringLiteral("продажные цены"));
    CBoxSum = AddCheck("CBoxSum", QStringLiteral("продажные суммы"));
    Panel()->NextColumn();
    CBoxZCen = AddPurchaseCheck("CBoxZCen", QStringLiteral("закупочные цены"));
    CBoxZCenAvg = AddPurchaseCheck("CBoxZCenAvg", QStringLiteral("средние закупочные цены"));
    CBoxZSum = AddPurchaseCheck("CBoxZSum", QStringLiteral("закупочные суммы"));
    CBoxZero = AddCheck("CBoxZero", QStringLiteral("товары с нулевым остатком"));
    Panel()->NextColumn();
    AddButtons("ButRefRepOst", "ButPrintRepOst");
}

void TRepOstPage::Refresh() {
    Load(true, [this](TFormLoad& fl) {
        fl.RunRepOst(ListRepOst, EdOstName->text().trimmed(), CBoxZero->isChecked(),
                     GetComboID(ComBoxStore, 0));
        return kovrel::report::RepOstGrid(ListRepOst, Choices());
    });
}
