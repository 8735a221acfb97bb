#include "rep_ost_page.h"

#include "param_panel.h"

TRepOstPage::TRepOstPage(TSelectionSlot& slot, QWidget* parent)
    : TReportPage({"TSRepOst", 145, "SGRepOst", 2, true, 70, {40, 250}}, slot, parent) {
    EdOstName = AddNameEdit("EdOstName");
    ComBoxStore = AddStoreCombo("ComBoxStore");
    ComBoxPrintOst = AddCombo("ComBoxPrintOst", QStringLiteral("Печать"),
                              {QStringLiteral("портрет"), QStringLiteral("альбом")});
    Panel()->NextColumn();
    CBoxKol = AddCheck("CBoxKol", QStringLiteral("количество"), true);
    CBoxKolPack = AddCheck("CBoxKolPack", QStringLiteral("кол-во упаковок"), false);
    CBoxZCen = AddPurchaseCheck("CBoxZCen", QStringLiteral("закупочные цены"), false);
    CBoxZCenAvg = AddPurchaseCheck("CBoxZCenAvg", QStringLiteral("средние закупочные цены"), false);
    Panel()->NextColumn();
    CBoxZSum = AddPurchaseCheck("CBoxZSum", QStringLiteral("закупочные суммы"), false);
    CBoxCen = AddCheck("CBoxCen", QStringLiteral("продажные цены"), true);
    CBoxSum = AddCheck("CBoxSum", QStringLiteral("продажные суммы"), false);
    CBoxZero = AddCheck("CBoxZero", QStringLiteral("товары с нулевым остатком"), false);
    Panel()->NextColumn();
    AddButtons("ButRefRepOst", "ButPrintRepOst");
}
